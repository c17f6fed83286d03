// libFuzzer target: the story loader on any text. A refused text gets one message that names
// the file and a line the text has; an accepted one reads back the same from its own rewriting
// and survives a fixed tour of the map, whatever its values.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "fuzz_checks.h"
#include "support/story_text.h"
#include "world/story.h"

namespace {

const std::string NAME = "Display.txt";

// A text that ends in a carriage return cannot be written back before a line feed.
bool rewritable(const Story& story) {
  auto fine = [](const std::string& t) { return t.empty() || t.back() != '\r'; };
  for (const std::string& t : story.introduction) {
    if (!fine(t)) return false;
  }
  for (const std::string& t : story.endings) {
    if (!fine(t)) return false;
  }
  for (const auto& column : story.rooms) {
    for (const Room& r : column) {
      if (!fine(r.description) || !fine(r.lookText) || !fine(r.commText)) return false;
    }
  }
  return true;
}

// Every action in every room it can reach, with full equipment after the first round.
std::string tour() {
  const std::string actions = "shoot\nshoot\nlook\ntake key\ntake rifle\ntake medpac\nuse comm\n";
  const char* const walk[] = {"north", "north", "north", "west", "west",  "south", "south", "south",
                              "east",  "east",  "east",  "east", "north", "north", "north", "west"};
  std::string input =
      "\nlook\nhelp\ninventory\nuse comm\ntake key\ntake medpac\ntake rifle\n"
      "use medpac\nshoot\nvorzk\n";
  for (const char* way : walk) input += actions + way + "\n";
  return input + "inventory\nexit\n\n";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  Story story;
  std::string error;
  if (!parseStory(NAME, text, story, error)) {
    fuzz::require(error.starts_with(NAME + ":"), "a refusal names the story file");
    fuzz::require(error.find('\n') == std::string::npos, "a refusal is one line");
    size_t pos = NAME.size() + 1;
    uint64_t line = 0;
    while (pos < error.size() && error[pos] >= '0' && error[pos] <= '9' && line < 1000000000) {
      line = line * 10 + static_cast<uint64_t>(error[pos++] - '0');
    }
    const auto lines = static_cast<uint64_t>(std::count(text.begin(), text.end(), '\n'));
    fuzz::require(pos > NAME.size() + 1 && line >= 1 && line <= lines + 1,
                  "a refusal names a line that the story has");
    fuzz::require(error.compare(pos, 2, ": ") == 0 && error.size() > pos + 2,
                  "a refusal says why after its line");
    return 0;
  }
  if (rewritable(story)) {
    Story again;
    std::string againError;
    const std::string written = storyText(story);
    fuzz::require(parseStory(NAME, written, again, againError), "a rewritten story is accepted");
    fuzz::require(storyText(again) == written, "a rewritten story reads back the same");
  }
  static const std::string TOUR = tour();
  const fuzz::Played first = fuzz::play(story, TOUR);
  fuzz::requirePlayedToTheEnd(first);
  fuzz::require(fuzz::play(story, TOUR).out == first.out, "the same game plays the same");
  return 0;
}
