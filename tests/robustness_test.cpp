// No input makes the game crash, hang, lie or eat memory: every cut and a seeded sample of
// one-byte changes of the shipped story, the end of the input at every read of a playthrough,
// seeded random command streams, lines of any length, extreme story values and oversized story
// files. Most cases run the game in-process on texts held in memory; a sample of each goes
// through the real binary. A seeded case names its seed when it fails, and the seed alone
// reproduces it.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <istream>
#include <limits>
#include <optional>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "game/game.h"
#include "game/input.h"
#include "support/long_lines.h"
#include "support/run_program.h"
#include "support/story_text.h"
#include "support/wrap.h"
#include "transcripts/game_text.h"
#include "transcripts/room_text.h"
#include "world/story.h"

namespace {

using room_text::Exchange;

// Byte-by-byte loops cost ten times as much under the sanitizers or without optimisation; the
// tests that read billions of bytes then read fewer, which shows the same bounded memory.
#if defined(__SANITIZE_ADDRESS__) || !defined(__OPTIMIZE__)
constexpr bool SLOW_BUILD = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool SLOW_BUILD = true;
#else
constexpr bool SLOW_BUILD = false;
#endif
#else
constexpr bool SLOW_BUILD = false;
#endif

const std::string STORY_NAME = "Display.txt";
const std::string STACK_FULL =
    "*** Stack is full -- can't add new value ***\n"
    "Must increase value of STACK_CAPACITY in Stack\n";

// --- helpers -----------------------------------------------------------------------------------

struct Played {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs the game in-process on `story` as the story file's text, reading `in`.
Played play(const std::string& story, std::istream& in) {
  std::ostringstream out;
  std::ostringstream err;
  Played p;
  p.status = runStoryText(STORY_NAME, story, in, out, err);
  p.out = out.str();
  p.err = err.str();
  return p;
}

Played play(const std::string& story, const std::string& input) {
  std::istringstream in(input);
  return play(story, in);
}

Played fromRun(const RunResult& r) { return {r.status, r.out, r.err}; }

std::string shippedStory() { return readFile(testDataPath("../data/Display.txt")); }

std::string walkthroughInput(const std::string& name) {
  return readFile(testDataPath("walkthroughs/" + name + ".in"));
}

size_t countLineFeeds(std::string_view text) {
  return static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
}

// The offset at which line `number` (from 1) of `text` begins.
size_t lineStart(const std::string& text, size_t number) {
  size_t pos = 0;
  for (size_t line = 1; line < number; ++line) {
    pos = text.find('\n', pos);
    if (pos == std::string::npos) return text.size();
    ++pos;
  }
  return pos;
}

// A refusal: status 1, nothing on standard output, and one line on standard error of the form
// "Display.txt:LINE: message" whose LINE exists in a story text of `storyLines` lines.
void expectRefused(const Played& p, size_t storyLines) {
  EXPECT_EQ(p.status, 1);
  EXPECT_EQ(p.out, "");
  const std::string& err = p.err;
  ASSERT_GT(err.size(), STORY_NAME.size() + 1) << err;
  ASSERT_EQ(err.compare(0, STORY_NAME.size() + 1, STORY_NAME + ":"), 0) << err;
  EXPECT_EQ(err.find('\n'), err.size() - 1) << "one line ended by a line feed: " << err;
  size_t pos = STORY_NAME.size() + 1;
  size_t line = 0;
  const size_t digits = pos;
  while (pos < err.size() && err[pos] >= '0' && err[pos] <= '9') {
    line = line * 10 + static_cast<size_t>(err[pos] - '0');
    ++pos;
  }
  ASSERT_GT(pos, digits) << "the message names a line: " << err;
  EXPECT_GE(line, 1u) << err;
  EXPECT_LE(line, storyLines + 1) << err;
  ASSERT_LT(pos + 2, err.size()) << err;
  EXPECT_EQ(err.substr(pos, 2), ": ") << err;
}

// The standard error of a game that ran: only the stack's refusals of pushes onto a full pack.
void expectOnlyStackRefusals(const std::string& err) {
  std::string rest = err;
  while (rest.compare(0, STACK_FULL.size(), STACK_FULL) == 0) rest.erase(0, STACK_FULL.size());
  EXPECT_EQ(rest, "") << "unexpected standard error";
}

// A game that ran to its end: status 0, the farewell's final pause last on standard output, or
// the introduction's pause when the input ended or said "exit" there.
void expectPlayedToTheEnd(const Played& p) {
  EXPECT_EQ(p.status, 0);
  const bool ended = p.out.ends_with(game_text::FAREWELL);
  const bool leftAtIntroduction =
      p.out.ends_with(game_text::CONTINUE_PROMPT) &&
      p.out.find(game_text::CONTINUE_PROMPT) == p.out.size() - game_text::CONTINUE_PROMPT.size();
  EXPECT_TRUE(ended || leftAtIntroduction)
      << "output ends with: " << p.out.substr(p.out.size() - std::min<size_t>(p.out.size(), 200));
  expectOnlyStackRefusals(p.err);
}

// What printWrapped prints for `text`.
std::string wrapped(const std::string& text) {
  std::ostringstream out;
  printWrapped(out, text);
  return out.str();
}

// The longest line of `text`.
size_t longestLine(const std::string& text) {
  size_t longest = 0;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    longest = std::max(longest, end - start);
    start = end + 1;
  }
  return longest;
}

// A stream of `prefix`, then `count` copies of `fill`, then `suffix`, served from one small
// buffer: however long it is, it is never held in memory.
class GeneratedStream : public std::streambuf {
 public:
  GeneratedStream(std::string prefix, uint64_t count, char fill, std::string suffix)
      : prefix_(std::move(prefix)),
        count_(count),
        fill_(1 << 16, fill),
        suffix_(std::move(suffix)) {}

 protected:
  int_type underflow() override {
    if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
    while (stage_ < 3) {
      const int stage = stage_++;
      if (stage == 0 && !prefix_.empty()) {
        setg(prefix_.data(), prefix_.data(), prefix_.data() + prefix_.size());
      } else if (stage == 1 && count_ > 0) {
        const size_t n = static_cast<size_t>(std::min<uint64_t>(count_, fill_.size()));
        count_ -= n;
        if (count_ > 0) --stage_;  // more copies of `fill` to come
        setg(fill_.data(), fill_.data(), fill_.data() + n);
      } else if (stage == 2 && !suffix_.empty()) {
        setg(suffix_.data(), suffix_.data(), suffix_.data() + suffix_.size());
      } else {
        continue;
      }
      return traits_type::to_int_type(*gptr());
    }
    return traits_type::eof();
  }

 private:
  std::string prefix_;
  uint64_t count_;
  std::string fill_;
  std::string suffix_;
  int stage_ = 0;
};

// Serves `text` and then, like a file buffer whose read fails, throws instead of ending.
class FailingStream : public std::streambuf {
 public:
  explicit FailingStream(std::string text) : text_(std::move(text)) {
    setg(text_.data(), text_.data(), text_.data() + text_.size());
  }

 protected:
  int_type underflow() override { throw std::ios_base::failure("read error"); }

 private:
  std::string text_;
};

// The small story of the transcripts with an exit north to a room that says so.
Story storyWithNorthRoom() {
  Story story = game_text::smallStory();
  story.rooms[2][3].exitNorth = true;
  story.rooms[2][2].description = "North room. ";
  return story;
}

// --- every cut and one-byte changes of the shipped story ---------------------------------------

// The shipped story's text and the output of a full playthrough of it, to compare with.
struct Shipped {
  std::string text;
  std::string input;  // the playthrough that ends with look on the bridge
  Played whole;
  Story story;
  size_t endingTwoStart = 0;  // where the last line, ending line 2, begins
};

const Shipped& shipped() {
  static const Shipped s = [] {
    Shipped r;
    r.text = shippedStory();
    r.input = walkthroughInput("win_look");
    r.whole = play(r.text, r.input);
    std::string error;
    EXPECT_TRUE(parseStory(STORY_NAME, r.text, r.story, error)) << error;
    // Two introduction lines, 20 records of 5 lines and ending line 1 stand before it.
    r.endingTwoStart = lineStart(r.text, 2 + 20 * 5 + 1 + 1);
    return r;
  }();
  return s;
}

TEST(StoryCuts, TheShippedStoryIsOneThatEveryCutTestRelatesTo) {
  const Shipped& s = shipped();
  ASSERT_EQ(s.whole.status, 0);
  EXPECT_EQ(s.whole.out, readFile(testDataPath("walkthroughs/win_look.out")));
  EXPECT_EQ(s.whole.err, "");
  // Ending line 2 is the file's last line, with a line feed after it.
  ASSERT_LT(s.endingTwoStart, s.text.size());
  EXPECT_EQ(s.text.back(), '\n');
  EXPECT_EQ(countLineFeeds(std::string_view(s.text).substr(s.endingTwoStart)), 1u);
  EXPECT_EQ(s.text.substr(s.endingTwoStart, s.story.endings[1].size()), s.story.endings[1]);
}

// A story cut anywhere before its last line lacks at least its last line and is refused; a cut
// within the last line is a story whose second ending is shorter, which plays like the whole.
TEST(StoryCuts, EveryCutOfTheShippedStoryPlaysAsTheWholeOrIsRefused) {
  const Shipped& s = shipped();
  const std::string whole = storyText(s.story);
  size_t accepted = 0;
  for (size_t cut = 0; cut <= s.text.size(); ++cut) {
    SCOPED_TRACE("story cut after " + std::to_string(cut) + " bytes");
    const std::string prefix = s.text.substr(0, cut);
    const Played p = play(prefix, s.input);
    if (cut <= s.endingTwoStart) {
      expectRefused(p, countLineFeeds(prefix));
      if (HasFailure()) return;
      continue;
    }
    ++accepted;
    EXPECT_EQ(p.status, 0);
    EXPECT_EQ(p.err, "");
    EXPECT_EQ(p.out, s.whole.out);
    Story loaded;
    std::string error;
    ASSERT_TRUE(parseStory(STORY_NAME, prefix, loaded, error)) << error;
    Story expected = s.story;
    expected.endings[1] = s.story.endings[1].substr(0, cut - s.endingTwoStart);
    EXPECT_EQ(storyText(loaded), storyText(expected));
    if (HasFailure()) return;
  }
  EXPECT_EQ(accepted, s.text.size() - s.endingTwoStart);
}

TEST(StoryCuts, TheGameRefusesASampleOfCutsOfItsStoryFileAsItDoesInProcess) {
  const Shipped& s = shipped();
  std::vector<size_t> cuts = {
      0, 1, s.endingTwoStart - 1, s.endingTwoStart, s.endingTwoStart + 1, s.text.size() - 1};
  for (size_t cut = 97; cut < s.text.size(); cut += 331) cuts.push_back(cut);
  for (const size_t cut : cuts) {
    SCOPED_TRACE("story cut after " + std::to_string(cut) + " bytes");
    const std::string prefix = s.text.substr(0, cut);
    const RunResult r = runGame(prefix, s.input);
    ASSERT_FALSE(r.timedOut);
    EXPECT_EQ(r.signal, 0);
    const Played inProcess = play(prefix, s.input);
    EXPECT_EQ(r.status, inProcess.status);
    EXPECT_EQ(r.out, inProcess.out);
    EXPECT_EQ(r.err, inProcess.err);
    if (cut <= s.endingTwoStart) expectRefused(fromRun(r), countLineFeeds(prefix));
  }
}

// One-byte changes: position and byte from a seeded generator, the byte half of the time one
// that the story format gives a meaning to.
struct ByteChange {
  size_t position;
  char byte;
};

std::vector<ByteChange> byteChanges(uint64_t seed, size_t count, const std::string& text) {
  static const char MEANINGFUL[] = {'0',  '1',  ' ',  '2',  '9', '-',    '+',
                                    '\t', '\n', '\r', '\0', 'x', '\x7f', '\xff'};
  const std::string_view meaningful(MEANINGFUL, sizeof MEANINGFUL);
  std::mt19937_64 rng(seed);
  std::vector<ByteChange> changes;
  while (changes.size() < count) {
    const size_t position = rng() % text.size();
    const char byte =
        rng() % 2 == 0 ? meaningful[rng() % meaningful.size()] : static_cast<char>(rng() % 256);
    if (byte != text[position]) changes.push_back({position, byte});
  }
  return changes;
}

constexpr uint64_t BYTE_CHANGE_SEED = 20240611;

TEST(StoryByteChanges, EveryChangedStoryIsRefusedOrPlayedToTheEndAlike) {
  const Shipped& s = shipped();
  size_t refused = 0;
  for (const ByteChange& change : byteChanges(BYTE_CHANGE_SEED, 3000, s.text)) {
    SCOPED_TRACE("seed " + std::to_string(BYTE_CHANGE_SEED) + ": byte " +
                 std::to_string(change.position) + " set to " +
                 std::to_string(static_cast<unsigned char>(change.byte)));
    std::string text = s.text;
    text[change.position] = change.byte;
    const Played p = play(text, s.input);
    if (p.status == 1) {
      ++refused;
      expectRefused(p, countLineFeeds(text));
    } else {
      expectPlayedToTheEnd(p);
      EXPECT_EQ(p.err, "");
      const Played again = play(text, s.input);
      EXPECT_EQ(again.out, p.out);
    }
    if (HasFailure()) return;
  }
  // Both ways are taken: changed flags and numbers fail, changed letters in texts do not.
  EXPECT_GT(refused, 100u);
  EXPECT_LT(refused, 2900u);
}

TEST(StoryByteChanges, TheGameAnswersASampleOfChangedStoriesAsItDoesInProcess) {
  const Shipped& s = shipped();
  for (const ByteChange& change : byteChanges(BYTE_CHANGE_SEED + 1, 40, s.text)) {
    SCOPED_TRACE("seed " + std::to_string(BYTE_CHANGE_SEED + 1) + ": byte " +
                 std::to_string(change.position) + " set to " +
                 std::to_string(static_cast<unsigned char>(change.byte)));
    std::string text = s.text;
    text[change.position] = change.byte;
    const RunResult r = runGame(text, s.input);
    ASSERT_FALSE(r.timedOut);
    EXPECT_EQ(r.signal, 0);
    const Played inProcess = play(text, s.input);
    EXPECT_EQ(r.status, inProcess.status);
    EXPECT_EQ(r.out, inProcess.out);
    EXPECT_EQ(r.err, inProcess.err);
  }
}

// --- the end of the input at every read ----------------------------------------------------

std::vector<std::string> splitLines(const std::string& input) {
  std::vector<std::string> lines;
  std::istringstream in(input);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string firstLines(const std::vector<std::string>& lines, size_t k) {
  std::string input;
  for (size_t i = 0; i < k; ++i) input += lines[i] + "\n";
  return input;
}

class EndOfInput : public testing::TestWithParam<const char*> {};

// Cut after its first k lines, a playthrough ends as if "exit" followed: at the introduction's
// pause at once, at a command prompt with the "\n" and the farewell, at the final pause quietly.
// Up to there the game wrote exactly what the whole playthrough writes.
TEST_P(EndOfInput, APlaythroughCutAfterAnyLineEndsCleanly) {
  const std::string story = shippedStory();
  const std::vector<std::string> lines = splitLines(walkthroughInput(GetParam()));
  const Played whole = play(story, firstLines(lines, lines.size()));
  ASSERT_EQ(whole.status, 0);
  ASSERT_EQ(whole.out, readFile(testDataPath(std::string("walkthroughs/") + GetParam() + ".out")));
  const std::string exitTail = "\n" + game_text::FAREWELL;
  size_t lastPlayed = 0;
  for (size_t k = 0; k <= lines.size(); ++k) {
    SCOPED_TRACE("input cut after " + std::to_string(k) + " lines");
    const std::string input = firstLines(lines, k);
    const Played p = play(story, input);
    EXPECT_EQ(p.status, 0);
    EXPECT_EQ(p.err, "");
    EXPECT_EQ(p.out, play(story, input + "exit\n").out);
    if (k == 0) {
      EXPECT_TRUE(p.out.ends_with(game_text::CONTINUE_PROMPT));
      EXPECT_TRUE(whole.out.starts_with(p.out));
    } else if (p.out != whole.out) {
      ASSERT_TRUE(p.out.ends_with(exitTail));
      const std::string played = p.out.substr(0, p.out.size() - exitTail.size());
      EXPECT_TRUE(whole.out.starts_with(played));
      EXPECT_GT(played.size(), lastPlayed) << "every command line adds to the output";
      lastPlayed = played.size();
    }
    if (HasFailure()) return;
  }
}

TEST_P(EndOfInput, TheGameEndsAtASampleOfCutsAsItDoesInProcess) {
  const std::string story = shippedStory();
  const std::vector<std::string> lines = splitLines(walkthroughInput(GetParam()));
  for (const size_t k : {size_t{0}, size_t{1}, size_t{2}, lines.size() / 2, lines.size() - 1}) {
    SCOPED_TRACE("input cut after " + std::to_string(k) + " lines");
    const std::string input = firstLines(lines, k);
    const RunResult r = runGame(story, input);
    ASSERT_FALSE(r.timedOut);
    const Played inProcess = play(story, input);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, inProcess.out);
    EXPECT_EQ(r.err, "");
  }
}

INSTANTIATE_TEST_SUITE_P(Walkthroughs, EndOfInput,
                         testing::Values("win_look", "win_shoot", "death"),
                         [](const testing::TestParamInfo<const char*>& info) {
                           return std::string(info.param);
                         });

TEST(ReadError, AFailingReadEndsTheLineAndThenTheInput) {
  FailingStream buffer("look\nhel");
  std::istream in(&buffer);
  InputLine line;
  ASSERT_TRUE(readInputLine(in, line));
  EXPECT_EQ(line.text, "look");
  ASSERT_TRUE(readInputLine(in, line));
  EXPECT_EQ(line.text, "hel");
  EXPECT_EQ(line.length, 3u);
  EXPECT_FALSE(readInputLine(in, line));
  EXPECT_EQ(line.text, "");
  EXPECT_TRUE(in.bad());
}

TEST(ReadError, AFailingReadOfTheInputCountsAsItsEnd) {
  const std::string story = storyText(storyWithNorthRoom());
  for (const char* input : {"", "\n", "\nnorth\n", "\nnorth\nlo"}) {
    SCOPED_TRACE(std::string("input before the failing read: ") + input);
    FailingStream buffer(input);
    std::istream in(&buffer);
    const Played failing = play(story, in);
    EXPECT_EQ(failing.status, 0);
    EXPECT_EQ(failing.out, play(story, input).out);
    EXPECT_EQ(failing.err, "");
  }
}

// Reading a directory fails; the game's standard input may be one.
TEST(ReadError, TheGameEndsWhenReadingItsStandardInputFails) {
  const std::string story = storyText(game_text::smallStory());
  const RunResult r = runProgram({"/bin/sh", "-c", "exec \"$0\" < .", gameBinary()}, story, "");
  ASSERT_FALSE(r.timedOut);
  EXPECT_EQ(r.signal, 0);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "Welcome aboard.\n\n" + game_text::CONTINUE_PROMPT);
  EXPECT_EQ(r.err, "");
}

// --- seeded random command streams ---------------------------------------------------------

class CommandStream {
 public:
  explicit CommandStream(uint64_t seed) : rng_(seed) {}

  // A stream of `lines` lines of every kind; lines of 1 MiB only when `huge` is set.
  std::string make(size_t lines, bool huge) {
    std::string input = below(8) == 0 ? line(huge) : std::string();
    input += lineEnd();
    for (size_t i = 0; i < lines; ++i) input += line(huge) + lineEnd();
    if (below(4) == 0 && input.ends_with('\n')) input.pop_back();  // no line feed at the end
    return input;
  }

 private:
  uint64_t below(uint64_t n) { return rng_() % n; }

  std::string lineEnd() { return below(6) == 0 ? "\r\n" : "\n"; }

  std::string bytes(size_t n, bool lineFeeds) {
    std::string s;
    for (size_t i = 0; i < n; ++i) {
      char c = static_cast<char>(below(256));
      if (c == '\n' && !lineFeeds) c = '\r';
      s += c;
    }
    return s;
  }

  std::string command() {
    static const char* const COMMANDS[] = {
        "look",     "north",      "south",     "east",        "west",         "inventory",
        "help",     "shoot",      "take key",  "take medpac", "take rifle",   "use medpac",
        "use comm", "take",       "use",       "take book",   "take egg",     "take ",
        "use ",     "lookaround", "northward", "inven",       "shoot!",       "Look",
        " look",    "exit ",      "takekey",   "usemedpac",   "take magazine"};
    constexpr uint64_t COUNT = sizeof COMMANDS / sizeof COMMANDS[0];
    if (below(400) == 0) return "vorzk";
    if (below(5000) == 0) return "exit";
    return COMMANDS[below(COUNT)];
  }

  std::string line(bool huge) {
    switch (below(12)) {
      case 0:
        return bytes(below(40), below(3) == 0);
      case 1:
        return command() + bytes(below(8), false);
      case 2:
        return std::string(1 + below(3), '\r') + (below(2) ? command() : "");
      case 3:
        return below(2) ? "\t" + command() : command() + "\t";
      case 4:
        return std::string(below(100), ' ');
      case 5:
        return std::string(1 + below(4), '\0') + (below(2) ? command() : "");
      case 6:
        if (huge && below(40) == 0) return command() + std::string(1 << 20, 'q');
        return command() + bytes(250 + below(5000), false);
      default:
        return command();
    }
  }

  std::mt19937_64 rng_;
};

// For each seed: the same stream gives the same output twice, its long lines answer as if cut
// short, and the game ends in good order.
TEST(RandomCommands, SeededStreamsEndInGoodOrderAndAnswerAlike) {
  const std::string story = shippedStory();
  for (uint64_t seed = 1; seed <= 40; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    const std::string input = CommandStream(seed).make(1500, seed % 8 == 0);
    const Played p = play(story, input);
    expectPlayedToTheEnd(p);
    EXPECT_EQ(play(story, input).out, p.out) << "same input, same output";
    const Played cut = play(story, cutLongLines(input));
    EXPECT_EQ(cut.out, p.out) << "long lines answer as if cut short";
    EXPECT_EQ(cut.err, p.err);
    if (HasFailure()) return;
  }
}

TEST(RandomCommands, VeryManyLinesEndInGoodOrder) {
  const std::string story = shippedStory();
  const uint64_t seed = 77;
  SCOPED_TRACE("seed " + std::to_string(seed));
  const std::string input = CommandStream(seed).make(200000, false);
  const Played p = play(story, input);
  expectPlayedToTheEnd(p);
  EXPECT_EQ(play(story, cutLongLines(input)).out, p.out);
}

TEST(RandomCommands, TheGameAnswersSeededStreamsAsItDoesInProcess) {
  const std::string story = shippedStory();
  for (uint64_t seed = 101; seed <= 106; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    const std::string input = CommandStream(seed).make(1500, seed == 106);
    const RunResult r = runGame(story, input);
    ASSERT_FALSE(r.timedOut);
    EXPECT_EQ(r.signal, 0);
    const Played inProcess = play(story, input);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, inProcess.out);
    EXPECT_EQ(r.err, inProcess.err);
  }
}

// On a map with every passage open, aliens everywhere and something in every room, random
// streams reach every room and every action.
TEST(RandomCommands, SeededStreamsOnAnOpenMapFullOfThingsEndInGoodOrder) {
  Story full = game_text::smallStory();
  openAllPassages(full);
  for (int x = 0; x < MAP_WIDTH; ++x) {
    for (int y = 0; y < MAP_HEIGHT; ++y) {
      Room& r = full.rooms[x][y];
      r.hasAlien = (x + y) % 3 != 0;
      r.alienHealth = (x * 7 + y * 3) % 14;
      r.hasKey = r.hasMedpac = r.hasRifle = r.hasCommStation = true;
      r.keyNorth = r.keySouth = r.keyEast = r.keyWest = (x + y) % 4;
      r.lookText = "Look " + std::to_string(x) + std::to_string(y) + ". ";
      r.commText = "Comm " + std::to_string(x) + std::to_string(y) + ". ";
    }
  }
  const std::string story = storyText(full);
  for (uint64_t seed = 201; seed <= 220; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    const std::string input = CommandStream(seed).make(1500, false);
    const Played p = play(story, input);
    expectPlayedToTheEnd(p);
    EXPECT_EQ(play(story, cutLongLines(input)).out, p.out);
    if (HasFailure()) return;
  }
}

// --- lines of any length -------------------------------------------------------------------

TEST(LongLines, ReadingALineOfAnyLengthKeepsOnlyItsFirstBytes) {
  static_assert(std::numeric_limits<decltype(InputLine::length)>::max() >= (uint64_t{1} << 62),
                "the length of any line that can be fed is counted exactly");
  const uint64_t length = SLOW_BUILD ? (uint64_t{1} << 26) : (uint64_t{1} << 30);
  GeneratedStream generated("take ", length - 5, 'k', "\r\nnext");
  std::istream in(&generated);
  InputLine line;
  ASSERT_TRUE(readInputLine(in, line));
  EXPECT_EQ(line.length, length);
  EXPECT_EQ(line.text, "take " + std::string(INPUT_KEPT - 5, 'k'));
  EXPECT_LE(line.text.capacity(), 4 * INPUT_KEPT) << "the kept part stays small";
  ASSERT_TRUE(readInputLine(in, line));
  EXPECT_EQ(line.text, "next");
  EXPECT_EQ(line.length, 4u);
  EXPECT_FALSE(readInputLine(in, line));
}

TEST(LongLines, AGeneratedLineOfAnyLengthIsAnsweredExactly) {
  const uint64_t length = SLOW_BUILD ? (uint64_t{1} << 25) : (uint64_t{1} << 27);
  const std::string story = storyText(storyWithNorthRoom());
  struct Case {
    std::string start;
    std::string reply;
  };
  const Case cases[] = {
      {"north", "North room.\n\n"},
      {"take key", room_text::CANNOT_TAKE},
      {"take magazine", room_text::CANNOT_TAKE},
      {"use ", room_text::CANNOT_USE},
      {"exit", game_text::NOT_VALID},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("a line of " + std::to_string(length) + " bytes beginning with " + c.start);
    GeneratedStream generated("\n" + c.start, length - c.start.size(), 'y', "\nexit\n\n");
    std::istream in(&generated);
    const Played p = play(story, in);
    EXPECT_EQ(p.status, 0);
    EXPECT_EQ(p.out, game_text::gameOutput(game_text::START_ARRIVAL + "\n" + c.reply + "\n"));
    EXPECT_EQ(p.err, "");
  }
}

TEST(LongLines, TheGameAnswersALineOfTensOfMebibytesExactly) {
  const std::string story = storyText(storyWithNorthRoom());
  const std::string longLine = "north" + std::string(40 << 20, 'z');
  const RunResult r = runGame(story, "\n" + longLine + "\r\ninventory\nexit\n\n", 120);
  ASSERT_FALSE(r.timedOut);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out,
            game_text::gameOutput(game_text::START_ARRIVAL + "\nNorth room.\n\n\n" +
                                  room_text::inventoryReport(0, 1, "blaster pistol") + "\n"));
  EXPECT_EQ(r.err, "");
}

// --- extreme story values ------------------------------------------------------------------

Played playScript(const Story& story, const std::vector<Exchange>& exchanges) {
  return play(storyText(story), room_text::scriptInput(exchanges));
}

std::string fullEquipment() { return room_text::FULL_EQUIPMENT; }

TEST(ExtremeStory, AliensAtTheIntegerLimitsFightByTheSameRules) {
  constexpr int32_t MAX = std::numeric_limits<int32_t>::max();
  constexpr int32_t MIN = std::numeric_limits<int32_t>::min();
  Story story = game_text::smallStory();
  openAllPassages(story);
  story.rooms[2][3].hasAlien = true;
  story.rooms[2][3].alienHealth = MAX;
  story.rooms[1][3].description = "West room. ";
  story.rooms[1][3].hasAlien = true;
  story.rooms[1][3].alienHealth = MIN;
  const std::vector<Exchange> alive = {{"north", room_text::CUT_OFF},
                                       {"vorzk", fullEquipment()},
                                       {"shoot", room_text::shotStatus(96, MAX - 12)},
                                       {"shoot", room_text::shotStatus(92, MAX - 24)},
                                       {"west", room_text::CUT_OFF}};
  const Played p = playScript(story, alive);
  EXPECT_EQ(p.status, 0);
  EXPECT_EQ(p.out, game_text::INTRODUCTION + room_text::scriptOutput("Start room.\n\n", alive));

  // An alien at the lowest strength is dead: it does not block, and shooting it changes nothing.
  story.rooms[2][3].alienHealth = MIN;
  const std::vector<Exchange> dead = {{"shoot", room_text::ALREADY_DEAD},
                                      {"west", "West room.\n\n"},
                                      {"shoot", room_text::ALREADY_DEAD}};
  EXPECT_EQ(playScript(story, dead).out,
            game_text::INTRODUCTION + room_text::scriptOutput("Start room.\n\n", dead));
}

TEST(ExtremeStory, AnAlienTooStrongToKillOutlastsThePlayer) {
  Story story = game_text::smallStory();
  story.rooms[2][3].hasAlien = true;
  story.rooms[2][3].alienHealth = std::numeric_limits<int32_t>::max();
  std::vector<Exchange> exchanges;
  int32_t enemy = story.rooms[2][3].alienHealth;
  for (int32_t health = 15 - 4; health > -4; health -= 4) {
    enemy -= 2;
    exchanges.push_back({"shoot", room_text::shotStatus(health, enemy)});
  }
  const Played p = playScript(story, exchanges);
  EXPECT_EQ(p.status, 0);
  EXPECT_EQ(p.out, game_text::INTRODUCTION +
                       room_text::scriptOutput("Start room.\n\n", exchanges, game_text::DEATH));
}

TEST(ExtremeStory, KeyValuesAtTheIntegerLimitsOpenNeverOrAlways) {
  Story story = game_text::smallStory();
  openAllPassages(story);
  Room& start = story.rooms[2][3];
  start.keyNorth = std::numeric_limits<int32_t>::max();
  start.keyEast = std::numeric_limits<int32_t>::min();
  start.hasKey = true;
  story.rooms[3][3].description = "East room. ";
  story.rooms[3][3].keyWest = std::numeric_limits<int32_t>::max();
  const std::vector<Exchange> exchanges = {
      {"north", room_text::NEED_KEY}, {"take key", room_text::newKey(2)},
      {"vorzk", fullEquipment()},     {"north", room_text::NEED_KEY},
      {"east", "East room.\n\n"},     {"west", room_text::NEED_KEY}};
  const Played p = playScript(story, exchanges);
  EXPECT_EQ(p.status, 0);
  EXPECT_EQ(p.out, game_text::INTRODUCTION + room_text::scriptOutput("Start room.\n\n", exchanges));
}

TEST(ExtremeStory, TheLoaderTakesExactlyTheSignedThirtyTwoBitNumbers) {
  // The start room's alienHealth stands on line 3 + 5 * 11 + 3 of the usual form.
  const size_t alienHealthLine = 61;
  Story story = game_text::smallStory();
  const std::string text = storyText(story);
  const size_t at = lineStart(text, alienHealthLine);
  ASSERT_EQ(text.substr(at, 10), "0 0 0 0 0\n");
  const struct {
    const char* number;
    std::optional<int32_t> value;
  } cases[] = {
      {"2147483647", std::numeric_limits<int32_t>::max()},
      {"-2147483648", std::numeric_limits<int32_t>::min()},
      {"+0000000000000000000000000000000000000000012", 12},
      {"2147483648", std::nullopt},
      {"-2147483649", std::nullopt},
      {"4294967296", std::nullopt},
      {"18446744073709551617", std::nullopt},
      {"99999999999999999999999999999999999999999999999999", std::nullopt},
      {"-", std::nullopt},
      {"--1", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("alienHealth ") + c.number);
    const std::string changed = text.substr(0, at) + c.number + text.substr(at + 1);
    Story loaded;
    std::string error;
    const bool ok = parseStory(STORY_NAME, changed, loaded, error);
    ASSERT_EQ(ok, c.value.has_value()) << error;
    if (ok) {
      EXPECT_EQ(loaded.rooms[2][3].alienHealth, *c.value);
    } else {
      EXPECT_TRUE(error.starts_with(STORY_NAME + ":" + std::to_string(alienHealthLine) + ": "))
          << error;
    }
  }
}

// A text for the story of `size` bytes (at least word.size() + 1): copies of `word`, each
// followed by a space, the last one lengthened to fill the size.
std::string wordsOf(size_t size, const std::string& word) {
  std::string text;
  while (text.size() + word.size() + 1 <= size) text += word + " ";
  text.insert(text.size() - 1, size - text.size(), 'w');
  return text;
}

TEST(ExtremeStory, TextsOfAMebibytePrintWrappedInFull) {
  const size_t MIB = size_t{1} << 20;
  Story story = game_text::smallStory();
  story.introduction[0] = wordsOf(MIB, "Derelict");
  story.introduction[1] = std::string(MIB, 'x');  // one word of a mebibyte breaks the rules
  Room& start = story.rooms[2][3];
  start.description = wordsOf(MIB, "alpha");
  start.lookText = wordsOf(MIB, "supercalifragilisticexpialidocious-and-then-some-more-words");
  start.hasCommStation = true;
  start.commText = std::string(MIB - 1, ' ') + "x ";
  story.endings[0] = wordsOf(MIB, "end");
  const std::string text = storyText(story);
  const std::string input = "\nlook\nuse comm\nuse comm\nlook\n\n";

  const Played p = play(text, input);
  EXPECT_EQ(p.status, 0);
  EXPECT_EQ(p.err, "");
  const std::string expected =
      wrapped(story.introduction[0]) + game_text::CONTINUE_PROMPT + "\n\n" +
      wrapped(story.introduction[1]) + "\n\n" + wrapped(start.description) + "\n" +
      wrapped(start.lookText) + "\n" + wrapped(start.commText) + "\n" + wrapped(start.commText) +
      "\n" + wrapped(start.lookText) + "\n" + game_text::NOT_VALID + "\n" + game_text::FAREWELL;
  EXPECT_EQ(p.out.size(), expected.size());
  EXPECT_TRUE(p.out == expected);
  EXPECT_LE(longestLine(p.out), static_cast<size_t>(WRAP_WIDTH));

  // The real program reads the same story from its file and says the same.
  const RunResult r = runGame(text, input, 120);
  ASSERT_FALSE(r.timedOut);
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(r.out == expected);
}

TEST(ExtremeStory, AStoryWhoseEveryTextIsEmptyPrintsOnlyTheGamesOwnTexts) {
  Story story = blankStory();
  openAllPassages(story);
  // From the start room two rooms east and two north lead to the final room, where look ends.
  const std::vector<Exchange> exchanges = {{"look", ""},
                                           {"use comm", room_text::NO_COMM_STATION},
                                           {"east", ""},
                                           {"east", ""},
                                           {"north", ""},
                                           {"north", ""},
                                           {"look", room_text::finale("")}};
  const Played p = playScript(story, exchanges);
  EXPECT_EQ(p.status, 0);
  EXPECT_EQ(p.err, "");
  EXPECT_EQ(p.out, game_text::CONTINUE_PROMPT + "\n\n" + "\n\n" +
                       room_text::scriptOutput("", exchanges, ""));
}

TEST(ExtremeStory, AStoryWithEveryExitClosedKeepsThePlayerInTheStartRoom) {
  Story story = game_text::smallStory();
  for (int x = 0; x < MAP_WIDTH; ++x) {
    for (int y = 0; y < MAP_HEIGHT; ++y) {
      Room& r = story.rooms[x][y];
      r.keyNorth = r.keySouth = std::numeric_limits<int32_t>::min();
      r.keyEast = r.keyWest = std::numeric_limits<int32_t>::max();
    }
  }
  std::vector<Exchange> exchanges = {{"vorzk", fullEquipment()}};
  for (const char* way : {"north", "south", "east", "west", "northeast", "wester"}) {
    exchanges.push_back({way, room_text::NO_EXIT});
  }
  const Played p = playScript(story, exchanges);
  EXPECT_EQ(p.status, 0);
  EXPECT_EQ(p.out, game_text::INTRODUCTION + room_text::scriptOutput("Start room.\n\n", exchanges));
}

TEST(ExtremeStory, EveryRoomWithAnAlienIsFoughtThroughToTheFinalRoom) {
  Story story = game_text::smallStory();
  openAllPassages(story);
  for (int x = 0; x < MAP_WIDTH; ++x) {
    for (int y = 0; y < MAP_HEIGHT; ++y) {
      Room& r = story.rooms[x][y];
      r.hasAlien = true;
      r.alienHealth = 12;
      r.description = "Room " + std::to_string(x) + std::to_string(y) + ". ";
    }
  }
  story.endings[1] = "The end. ";
  // A walk through all 20 rooms, the final room last; rooms[3][0] is passed twice.
  const char* const walk[] = {"west",  "west",  "north", "north", "north", "east", "south",
                              "south", "east",  "north", "north", "east",  "east", "west",
                              "south", "south", "south", "east",  "north", "north"};
  std::vector<Exchange> exchanges = {{"vorzk", fullEquipment()}};
  int x = 2;
  int y = 3;
  bool dead[MAP_WIDTH][MAP_HEIGHT] = {};
  for (const std::string_view way : walk) {
    exchanges.push_back(
        {"shoot", dead[x][y] ? room_text::ALREADY_DEAD : room_text::killingShot(100, 0)});
    dead[x][y] = true;
    x += way == "east" ? 1 : way == "west" ? -1 : 0;
    y += way == "south" ? 1 : way == "north" ? -1 : 0;
    ASSERT_TRUE(x >= 0 && x < MAP_WIDTH && y >= 0 && y < MAP_HEIGHT);
    exchanges.push_back({std::string(way), dead[x][y] ? wrapped(story.rooms[x][y].description)
                                                      : room_text::MOTHER_ALIEN});
  }
  ASSERT_EQ(x, 4);
  ASSERT_EQ(y, 1);
  int killed = 0;
  for (const bool(&column)[MAP_HEIGHT] : dead)
    killed += std::count(column, column + MAP_HEIGHT, true);
  ASSERT_EQ(killed, MAP_WIDTH * MAP_HEIGHT - 1) << "every room but the final one is fought in";
  exchanges.push_back({"shoot", room_text::finale("The end.\n\n")});
  const Played p = playScript(story, exchanges);
  EXPECT_EQ(p.status, 0);
  EXPECT_EQ(p.err, "");
  EXPECT_EQ(p.out, game_text::INTRODUCTION +
                       room_text::scriptOutput(room_text::MOTHER_ALIEN, exchanges, ""));
}

TEST(ExtremeStory, ExitsOffTheMapAreRefusedWithTheirLine) {
  struct Case {
    int x;
    int y;
    bool Room::*exit;
  };
  const Case cases[] = {{1, 0, &Room::exitNorth},
                        {3, 3, &Room::exitSouth},
                        {4, 2, &Room::exitEast},
                        {0, 1, &Room::exitWest}};
  for (const Case& c : cases) {
    SCOPED_TRACE("room " + std::to_string(c.x) + " " + std::to_string(c.y));
    Story story = game_text::smallStory();
    story.rooms[c.x][c.y].*c.exit = true;
    const Played p = play(storyText(story), "\nexit\n\n");
    const size_t flagLine = 3 + 5 * (4 * c.x + c.y) + 2;
    expectRefused(p, 104);
    EXPECT_TRUE(p.err.starts_with(STORY_NAME + ":" + std::to_string(flagLine) + ": ")) << p.err;
    EXPECT_NE(p.err.find("off the map"), std::string::npos) << p.err;
  }
}

// --- story files of any size ---------------------------------------------------------------

// A valid story of exactly `size` bytes: the small story with a long ending line 2.
std::string storyOfSize(size_t size) {
  Story story = game_text::smallStory();
  const size_t base = storyText(story).size();
  story.endings[1] = wordsOf(size - base, "padding");
  const std::string text = storyText(story);
  EXPECT_EQ(text.size(), size);
  return text;
}

class TemporaryFile {
 public:
  explicit TemporaryFile(const std::string& text) {
    std::string name = (std::filesystem::temp_directory_path() / "derelict-story-XXXXXX").string();
    const int fd = mkstemp(name.data());
    EXPECT_GE(fd, 0);
    if (fd >= 0) close(fd);
    path_ = name;
    std::ofstream(path_, std::ios::binary) << text;
  }
  ~TemporaryFile() { std::filesystem::remove(path_); }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

TEST(StorySize, AStoryFileUpToTheLimitIsReadAndOneByteMoreIsRefused) {
  {
    TemporaryFile file(storyOfSize(STORY_SIZE_LIMIT));
    Story story;
    std::string error;
    EXPECT_TRUE(loadStory(file.path(), STORY_NAME, story, error)) << error;
    EXPECT_EQ(story.introduction[0], "Welcome aboard. ");
  }
  {
    TemporaryFile file(storyOfSize(STORY_SIZE_LIMIT + 1));
    Story story;
    std::string error;
    EXPECT_FALSE(loadStory(file.path(), STORY_NAME, story, error));
    EXPECT_TRUE(error.starts_with(STORY_NAME + ": ")) << error;
    EXPECT_NE(error.find("larger than 16 MiB"), std::string::npos) << error;
    EXPECT_EQ(error.find('\n'), std::string::npos) << error;
  }
}

TEST(StorySize, TheGameRefusesAStoryFileOverTheLimit) {
  const RunResult r = runGame(storyOfSize(STORY_SIZE_LIMIT + 1), "\nexit\n\n", 120);
  ASSERT_FALSE(r.timedOut);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_TRUE(r.err.starts_with(STORY_NAME + ": ")) << r.err;
  EXPECT_NE(r.err.find("larger than 16 MiB"), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
}

// A story file that never ends, or that is a directory: refused, not read forever nor crashed on.
TEST(StorySize, TheGameRefusesAStoryFileThatCannotBeReadToItsEnd) {
  struct Case {
    const char* setUp;
    const char* says;
  };
  const Case cases[] = {{"ln -s /dev/zero Display.txt", "larger than 16 MiB"},
                        {"mkdir Display.txt", "cannot read"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.setUp);
    const RunResult r =
        runProgram({"/bin/sh", "-c", std::string(c.setUp) + " && exec \"$0\"", gameBinary()},
                   std::nullopt, "\nexit\n\n", 120);
    ASSERT_FALSE(r.timedOut);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(r.err.starts_with(STORY_NAME + ": ")) << r.err;
    EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
  }
}

}  // namespace
