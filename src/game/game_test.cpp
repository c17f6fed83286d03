#include "game/game.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "game/input.h"

namespace {

struct Line {
  std::string text;
  uint64_t length;
};

// Reads `input` to its end and returns every line read; checks that the read after the last
// line, and one more after that, return false and leave the line empty.
std::vector<Line> readAll(const std::string& input) {
  std::istringstream in(input);
  InputLine line;
  std::vector<Line> lines;
  while (readInputLine(in, line)) {
    lines.push_back({line.text, line.length});
    if (lines.size() > 100) break;
  }
  EXPECT_EQ(line.text, "");
  EXPECT_EQ(line.length, 0u);
  EXPECT_FALSE(readInputLine(in, line));
  return lines;
}

void expectLines(const std::string& input, const std::vector<Line>& expected) {
  SCOPED_TRACE("input: \"" + input.substr(0, 40) + "\"");
  const std::vector<Line> lines = readAll(input);
  ASSERT_EQ(lines.size(), expected.size());
  for (size_t i = 0; i < lines.size(); ++i) {
    SCOPED_TRACE("line " + std::to_string(i));
    EXPECT_EQ(lines[i].text, expected[i].text);
    EXPECT_EQ(lines[i].length, expected[i].length);
  }
}

TEST(ReadInputLine, ReadsLinesUpToTheLineFeedWithoutIt) {
  expectLines("look\nexit\n", {{"look", 4}, {"exit", 4}});
  expectLines("\n\n", {{"", 0}, {"", 0}});
  expectLines(" take key \n", {{" take key ", 10}});
}

TEST(ReadInputLine, DropsOnlyTheCarriageReturnRightBeforeTheLineFeed) {
  expectLines("look\r\nexit\r\n", {{"look", 4}, {"exit", 4}});
  expectLines("\r\n", {{"", 0}});
  expectLines("a\rb\n", {{"a\rb", 3}});
  expectLines("exit\r\r\n", {{"exit\r", 5}});
  expectLines("\r\r\n", {{"\r", 1}});
  expectLines("\rlook\n", {{"\rlook", 5}});
}

TEST(ReadInputLine, ALastLineWithoutALineFeedIsWhole) {
  expectLines("exit", {{"exit", 4}});
  expectLines("look\nhelp", {{"look", 4}, {"help", 4}});
  // Without a line feed after it, a carriage return is not a line end.
  expectLines("exit\r", {{"exit\r", 5}});
}

TEST(ReadInputLine, TheEndOfTheInputBeforeAnyByteIsNoLine) { expectLines("", {}); }

TEST(ReadInputLine, ALongLineKeepsItsFirstBytesAndCountsItsFullLength) {
  ASSERT_EQ(INPUT_KEPT, 256u);
  const std::string head(INPUT_KEPT, 'x');
  expectLines(head + "\nnext\n", {{head, 256}, {"next", 4}});
  expectLines(head + "y\nnext\n", {{head, 257}, {"next", 4}});
  expectLines("take " + std::string(995, 'k') + "\r\nnext",
              {{"take " + std::string(251, 'k'), 1000}, {"next", 4}});
  expectLines(std::string(100000, 'z'), {{std::string(256, 'z'), 100000}});
}

// The game runs in-process on a story built in code, from input in a string, writing into
// strings.
TEST(PlayGame, PlaysAWholeGameFromAStringIntoStrings) {
  Story story;
  story.introduction[0] = "Welcome aboard. ";
  story.introduction[1] = "The ship is dark. ";
  Room& start = story.rooms[2][3];
  start.description = "Start room. ";
  start.hasKey = true;
  start.exitNorth = true;
  Room& north = story.rooms[2][2];
  north.description = "North room. ";
  north.exitSouth = true;

  std::istringstream in("\ntake key\nnorth\ninventory\nvorzk\nvorzk\nvorzk\nexit\n\nleft over\n");
  std::ostringstream out;
  std::ostringstream err;
  Console console(out, err);
  EXPECT_EQ(playGame(story, in, console), 0);

  const std::string fullEquipment =
      "You now have 100 heath, a level 3 key, 10 medpacs, and a hyper-destroyer that \n\n"
      "kills anything.\n\n";
  const std::string beforeEquipment =
      "Welcome aboard.\n\n\nPress enter to continue \n\nThe ship is dark.\n\n\n\n"
      "Start room.\n\n"
      "\nYou now have a level 2 key.\n\n"
      "\nNorth room.\n\n"
      "\nInventory:\n\n0 medpacs\n\na level 2 key\n\na blaster pistol\n\n";
  EXPECT_EQ(out.str(), beforeEquipment + "\n" + fullEquipment + "\n" + fullEquipment + "\n" +
                           fullEquipment + "\n\nThanks for playing!\n\n\nPress enter to exit ");
  std::string refused;
  for (int i = 0; i < 10; ++i) {
    refused +=
        "*** Stack is full -- can't add new value ***\n"
        "Must increase value of STACK_CAPACITY in Stack\n";
  }
  EXPECT_EQ(err.str(), refused);
  // The final pause read one line and nothing after it.
  std::string rest;
  std::getline(in, rest);
  EXPECT_EQ(rest, "left over");
}

}  // namespace
