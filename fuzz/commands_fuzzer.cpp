// libFuzzer target: any stream of bytes as the standard input of a game of the shipped story.
// The game ends at one of its pauses with status 0, plays the same stream the same way twice,
// and answers long lines exactly as it answers them cut short.

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_checks.h"
#include "world/story.h"

namespace {

const unsigned char SHIPPED_STORY[] = {
#include "shipped_story.inc"
};

const Story& shippedStory() {
  static const Story story = [] {
    Story s;
    std::string error;
    const std::string text(reinterpret_cast<const char*>(SHIPPED_STORY), sizeof SHIPPED_STORY);
    fuzz::require(parseStory("Display.txt", text, s, error), "the shipped story is accepted");
    return s;
  }();
  return story;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const Story& story = shippedStory();
  const fuzz::Played first = fuzz::play(story, input);
  fuzz::requirePlayedToTheEnd(first);
  fuzz::require(fuzz::play(story, input).out == first.out, "the same input plays the same");
  const std::string cut = cutLongLines(input);
  if (cut != input) {
    const fuzz::Played shortened = fuzz::play(story, cut);
    fuzz::require(shortened.out == first.out && shortened.err == first.err,
                  "long lines are answered as if cut short");
  }
  return 0;
}
