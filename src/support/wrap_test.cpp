#include "support/wrap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string wrapped(std::string_view text) {
  std::ostringstream out;
  printWrapped(out, text);
  return out.str();
}

std::string run(char c, size_t count) { return std::string(count, c); }

// A text of `length` characters 'x' with spaces at `spaces`.
std::string withSpaces(size_t length, const std::vector<size_t>& spaces) {
  std::string text(length, 'x');
  for (size_t at : spaces) text[at] = ' ';
  return text;
}

struct Case {
  std::string name;
  std::string text;
  std::string expected;
};

void expectCases(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(wrapped(c.text), c.expected);
  }
}

TEST(PrintWrapped, BreaksAtTheRightmostSpaceWithinTheNext79Characters) {
  const std::string worked = withSpaces(100, {40, 78, 99});
  expectCases({
      {"one short line", "Hello world. ", "Hello world.\n\n"},
      {"inner spaces stay", "one two  three ", "one two  three\n\n"},
      {"the worked example: 78 characters, then 20", worked,
       run('x', 40) + " " + run('x', 37) + "\n\n" + run('x', 20) + "\n\n"},
      {"the rightmost of several spaces in reach",
       run('a', 30) + " " + run('b', 30) + " " + run('c', 30) + " ",
       run('a', 30) + " " + run('b', 30) + "\n\n" + run('c', 30) + "\n\n"},
      {"a space at position 79 gives a line of 79", run('b', 79) + " cc ",
       run('b', 79) + "\n\ncc\n\n"},
      {"a space at position 80 is out of reach of the first piece",
       run('a', 10) + " " + run('b', 69) + " cc ",
       run('a', 10) + "\n\n" + run('b', 69) + " cc\n\n"},
      {"three pieces", run('a', 70) + " " + run('b', 70) + " " + run('c', 70) + " ",
       run('a', 70) + "\n\n" + run('b', 70) + "\n\n" + run('c', 70) + "\n\n"},
  });
}

TEST(PrintWrapped, TheFinalSpaceIsNeverPrinted) {
  expectCases({
      {"empty text prints nothing", "", ""},
      {"two characters", "a ", "a\n\n"},
      {"79 characters ending in a space", run('a', 78) + " ", run('a', 78) + "\n\n"},
      {"80 characters ending in a space", run('a', 79) + " ", run('a', 79) + "\n\n"},
      {"80 characters with inner spaces", run('a', 40) + " " + run('b', 38) + " ",
       run('a', 40) + " " + run('b', 38) + "\n\n"},
  });
}

TEST(PrintWrapped, TwoSpacesLeaveOneAtTheEdgeOfALine) {
  expectCases({
      {"break on the first of two: the next line begins with a space", run('a', 79) + "  b ",
       run('a', 79) + "\n\n b\n\n"},
      {"break on the second of two: the line ends with a space", run('a', 78) + "  b ",
       run('a', 78) + " \n\nb\n\n"},
      {"a text ending in two spaces", "ab  ", "ab \n\n"},
  });
}

TEST(PrintWrapped, OnlyTheSpaceBreaksALine) {
  expectCases({
      {"a tab is printed like a letter", "one\ttwo ", "one\ttwo\n\n"},
      // Were the tab a break, the first line would be the 50 characters before it.
      {"a tab never ends a line", run('x', 50) + "\t" + run('y', 40) + " ",
       run('x', 50) + "\t" + run('y', 28) + "\n\n" + run('y', 12) + "\n\n"},
      {"a newline byte is printed like a letter", "a\nb ", "a\nb\n\n"},
  });
}

TEST(PrintWrapped, WithoutASpaceInReachPrintsTheRestOr79Characters) {
  expectCases({
      {"no space at all", "abc", "abc\n\n"},
      {"no final space", "aaa bbb", "aaa\n\nbbb\n\n"},
      {"79 characters without a space", run('w', 79), run('w', 79) + "\n\n"},
      {"80 characters without a space", run('w', 80), run('w', 79) + "\n\nw\n\n"},
      {"a word of 200 characters", run('z', 200),
       run('z', 79) + "\n\n" + run('z', 79) + "\n\n" + run('z', 42) + "\n\n"},
      {"a word of 200 characters, then more words", run('z', 200) + " tail end ",
       run('z', 79) + "\n\n" + run('z', 79) + "\n\n" + run('z', 42) + " tail end\n\n"},
      {"a single space", " ", " \n\n"},
      {"two spaces", "  ", " \n\n"},
      {"ending in two spaces with the break on the first", run('a', 79) + "  ",
       run('a', 79) + "\n\n \n\n"},
  });
}

TEST(PrintWrapped, ReadsNothingBeyondTheEndOfTheText) {
  const std::string buffer = "ab cd ef ";
  // Were the space after "cd" seen, "ab cd" would be one line.
  EXPECT_EQ(wrapped(std::string_view(buffer).substr(0, 5)), "ab\n\ncd\n\n");
}

// Records what the stream had received each time it was flushed.
class FlushRecorder : public std::stringbuf {
 public:
  std::vector<std::string> flushed;

 protected:
  int sync() override {
    flushed.push_back(str());
    return std::stringbuf::sync();
  }
};

TEST(PrintWrapped, FlushesEachPieceBeforeTheNext) {
  FlushRecorder buffer;
  std::ostream out(&buffer);
  printWrapped(out, run('a', 50) + " " + run('b', 50) + " ");
  const std::string first = run('a', 50) + "\n\n";
  const std::string both = first + run('b', 50) + "\n\n";
  EXPECT_NE(std::find(buffer.flushed.begin(), buffer.flushed.end(), first), buffer.flushed.end());
  ASSERT_FALSE(buffer.flushed.empty());
  EXPECT_EQ(buffer.flushed.back(), both);
  EXPECT_EQ(buffer.str(), both);
}

}  // namespace
