#include "world/story.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "world/story_file.h"

namespace {

// --- StoryFile -------------------------------------------------------------------------------

TEST(StoryFile, RecordsTheLineOnWhichEachValueStands) {
  StoryFile file("F", "first\n\n  1\n 0  -5 7 rest of the line\r\nnext\nlast");
  std::string first, next, last;
  bool one = false, zero = true;
  int32_t minusFive = 0, seven = 0;
  file.readLine(first, "first");
  file.readFlag(one, "one");  // skips the blank line 2
  file.readFlag(zero, "zero");
  file.readInt(minusFive, "minusFive");
  file.readInt(seven, "seven");
  file.skipRestOfLine();
  file.readLine(next, "next");
  file.readLine(last, "last");  // the last line has no line feed

  EXPECT_FALSE(file.failed());
  EXPECT_EQ(file.error(), "");
  EXPECT_EQ(first, "first");
  EXPECT_TRUE(one);
  EXPECT_FALSE(zero);
  EXPECT_EQ(minusFive, -5);
  EXPECT_EQ(seven, 7);
  EXPECT_EQ(next, "next");
  EXPECT_EQ(last, "last");
  EXPECT_EQ(file.valueLines(), (std::vector<int>{1, 3, 4, 4, 4, 5, 6}));
  EXPECT_EQ(file.line(), 6);
}

TEST(StoryFile, LineLosesOnlyItsLineFeedAndACarriageReturnBeforeIt) {
  struct Case {
    const char* text;
    const char* line;
  };
  const Case cases[] = {
      {"plain\nnext\n", "plain"},
      {"crlf\r\nnext\n", "crlf"},
      {"in\rside\n", "in\rside"},
      {"  two blanks lead \n", "  two blanks lead "},
      {"\nnext\n", ""},
      {"\r\nnext\n", ""},
      {"no line feed", "no line feed"},
      {"\ttab\n", "\ttab"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    StoryFile file("F", c.text);
    std::string line = "old";
    file.readLine(line, "line");
    EXPECT_EQ(line, c.line);
    EXPECT_FALSE(file.failed());
  }
}

TEST(StoryFile, FlagIsZeroOrOneWithAnOptionalSign) {
  struct Case {
    const char* text;
    const char* error;  // empty when the flag is read
    bool value;
  };
  const Case cases[] = {
      {"0", "", false},
      {"1", "", true},
      {"+1", "", true},
      {"-0", "", false},
      {"00", "", false},
      {"01", "", true},
      {"\n\t  1\n", "", true},
      {"1x", "", true},
      {"2", "F:1: expected a flag (0 or 1) for f, found \"2\"", false},
      {"-1", "F:1: expected a flag (0 or 1) for f, found \"-1\"", false},
      {"10", "F:1: expected a flag (0 or 1) for f, found \"10\"", false},
      {"true", "F:1: expected a flag (0 or 1) for f, found \"true\"", false},
      {"+", "F:1: expected a flag (0 or 1) for f, found \"+\"", false},
      {"x1", "F:1: expected a flag (0 or 1) for f, found \"x1\"", false},
      {"\n\n4294967297", "F:3: expected a flag (0 or 1) for f, found \"4294967297\"", false},
      {"", "F:1: expected a flag (0 or 1) for f, found the end of the file", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    StoryFile file("F", c.text);
    bool flag = !c.value;
    file.readFlag(flag, "f");
    EXPECT_EQ(file.error(), c.error);
    EXPECT_EQ(file.failed(), *c.error != '\0');
    if (!file.failed()) {
      EXPECT_EQ(flag, c.value);
    }
  }
}

TEST(StoryFile, IntegerIsADecimalThatFits32Bits) {
  struct Case {
    const char* text;
    const char* found;  // nullptr when the number is read
    int32_t value;
  };
  const Case cases[] = {
      {"2147483647", nullptr, INT32_MAX},
      {"-2147483648", nullptr, INT32_MIN},
      {"+7", nullptr, 7},
      {"-0", nullptr, 0},
      {"007", nullptr, 7},
      {" \r\n\t-12", nullptr, -12},
      {"2147483648", "\"2147483648\"", 0},
      {"-2147483649", "\"-2147483649\"", 0},
      {"4294967296", "\"4294967296\"", 0},
      {"99999999999999999999999999", "\"99999999999999999999999999\"", 0},
      {"-", "\"-\"", 0},
      {"x", "\"x\"", 0},
      {"1.5e3", nullptr, 1},
      {"", "the end of the file", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    StoryFile file("F", c.text);
    int32_t number = 99;
    file.readInt(number, "n");
    if (c.found == nullptr) {
      EXPECT_FALSE(file.failed()) << file.error();
      EXPECT_EQ(number, c.value);
    } else {
      EXPECT_EQ(file.error(), std::string("F:1: expected a whole number from -2147483648 to "
                                          "2147483647 for n, found ") +
                                  c.found);
      EXPECT_EQ(number, 99);
    }
  }
}

TEST(StoryFile, DigitsEndAtTheFirstOtherCharacterWhichStaysInPlace) {
  StoryFile file("F", "12x\n3-4 5\nnext\n");
  int32_t a = 0, b = 0, c = 0;
  std::string rest, next;
  file.readInt(a, "a");
  file.readLine(rest, "rest");
  file.readInt(b, "b");
  file.readInt(c, "c");
  file.skipRestOfLine();
  file.readLine(next, "next");
  EXPECT_FALSE(file.failed()) << file.error();
  EXPECT_EQ(a, 12);
  EXPECT_EQ(rest, "x");
  EXPECT_EQ(b, 3);
  EXPECT_EQ(c, -4);
  EXPECT_EQ(next, "next");
}

TEST(StoryFile, FailureIsStickyAndTheFirstErrorIsKept) {
  StoryFile file("Display.txt", "ok\nyes\n1 1\nline\n");
  file.setContext("room [1][2]");
  std::string text = "kept";
  bool flag = false;
  int32_t number = 42;
  file.readLine(text, "description");
  file.readFlag(flag, "hasKey");
  ASSERT_TRUE(file.failed());
  const std::string error =
      "Display.txt:2: expected a flag (0 or 1) for hasKey of room [1][2], found \"yes\"";
  EXPECT_EQ(file.error(), error);
  const std::vector<int> lines = file.valueLines();
  const int line = file.line();

  // Nothing later reads, stores or moves on, and no later failure replaces the first.
  std::string laterText = "unchanged";
  bool laterFlag = false;
  file.readLine(laterText, "lookText");
  file.readFlag(laterFlag, "exitNorth");
  file.readInt(number, "keyNorth");
  file.skipRestOfLine();
  file.readLine(laterText, "commText");
  file.fail(9, "another problem");
  EXPECT_EQ(text, "ok");
  EXPECT_EQ(laterText, "unchanged");
  EXPECT_FALSE(laterFlag);
  EXPECT_EQ(number, 42);
  EXPECT_EQ(file.valueLines(), lines);
  EXPECT_EQ(file.line(), line);
  EXPECT_EQ(file.error(), error);
}

TEST(StoryFile, EndOfTheFileIsNamedAtItsLastLine) {
  struct Case {
    const char* text;
    int linesFirst;  // lines read before the read that finds the end
    bool number;     // whether that read is a number rather than a line
    int line;
  };
  const Case cases[] = {
      {"", 0, false, 1},     {"a\n", 1, false, 1},   {"a", 1, false, 1},
      {"a\nb", 2, false, 2}, {"a\nb\n", 2, true, 2}, {"a\n\n\n", 1, true, 3},
      {"a\n  ", 1, true, 2}, {"a\r\n", 1, false, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    StoryFile file("F", c.text);
    std::string line;
    for (int i = 0; i < c.linesFirst; ++i) file.readLine(line, "line");
    ASSERT_FALSE(file.failed());
    int32_t number = 0;
    if (c.number) {
      file.readInt(number, "n");
    } else {
      file.readLine(line, "text");
    }
    const std::string expected =
        "F:" + std::to_string(c.line) + ": expected " +
        (c.number ? "a whole number from -2147483648 to 2147483647 for n" : "the text") +
        ", found the end of the file";
    EXPECT_EQ(file.error(), expected);
  }
}

TEST(StoryFile, OffendingTokenIsQuotedUpToTheNextWhitespace) {
  struct Case {
    std::string text;
    std::string found;
  };
  const Case cases[] = {
      {"true\r\n", "\"true\""},
      {"tr\"ue\\ 1", "\"tr\\\"ue\\\\\""},
      {std::string("\x01z\x7f 0"), "\"\\x01z\\x7f\""},
      {std::string(40, 'z') + " 0", "\"" + std::string(40, 'z') + "\""},
      {std::string(41, 'z'), "\"" + std::string(40, 'z') + "\"..."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    StoryFile file("F", c.text);
    bool flag = false;
    file.readFlag(flag, "f");
    EXPECT_EQ(file.error(), "F:1: expected a flag (0 or 1) for f, found " + c.found);
  }
}

// --- readStory -------------------------------------------------------------------------------

// The usual five-line form of `story`, with each record's two lines of numbers (the flags, then
// the integers, without line ends) replaced by `numbers(flags, integers)`, and with each line
// ended by `lineEnd`.
std::string storyFileText(
    const Story& story,
    const std::function<std::string(const std::string&, const std::string&)>& numbers,
    const std::string& lineEnd = "\n") {
  std::ostringstream text;
  text << story.introduction[0] << lineEnd << story.introduction[1] << lineEnd;
  for (int x = 0; x < MAP_WIDTH; ++x) {
    for (int y = 0; y < MAP_HEIGHT; ++y) {
      const Room& r = story.rooms[x][y];
      std::ostringstream flags, integers;
      flags << r.searched << ' ' << r.hasAlien << ' ' << r.hasCommStation << ' ' << r.hasMedpac
            << ' ' << r.hasRifle << ' ' << r.hasKey << ' ' << r.exitNorth << ' ' << r.exitSouth
            << ' ' << r.exitEast << ' ' << r.exitWest;
      integers << r.alienHealth << ' ' << r.keyNorth << ' ' << r.keySouth << ' ' << r.keyEast << ' '
               << r.keyWest;
      std::string block = numbers(flags.str(), integers.str());
      std::string ended;
      for (char c : block) ended += c == '\n' ? lineEnd : std::string(1, c);
      text << r.description << lineEnd << r.lookText << lineEnd << ended << lineEnd << r.commText
           << lineEnd;
    }
  }
  text << story.endings[0] << lineEnd << story.endings[1] << lineEnd;
  return text.str();
}

std::string usualForm(const std::string& flags, const std::string& integers) {
  return flags + "\n" + integers;
}

std::string spaced(const std::string& numbers, char separator) {
  std::string out = numbers;
  for (char& c : out) {
    if (c == ' ') c = separator;
  }
  return out;
}

// A story in which every room differs from the others in every value, with exits on the map.
Story variedStory() {
  Story story;
  story.introduction[0] = "Intro 1. ";
  story.introduction[1] = "";
  story.endings[0] = "End 1. ";
  story.endings[1] = "  End 2. ";
  for (int x = 0; x < MAP_WIDTH; ++x) {
    for (int y = 0; y < MAP_HEIGHT; ++y) {
      Room& r = story.rooms[x][y];
      const int n = 4 * x + y;
      const std::string name = std::to_string(x) + std::to_string(y);
      r.description = "Room " + name + ". ";
      r.lookText = n % 3 == 0 ? "" : "  Look " + name + ". ";
      r.commText = n % 2 == 0 ? "" : "Comm " + name + ". ";
      r.searched = n % 2 == 1;
      r.hasAlien = n % 3 == 1;
      r.hasCommStation = n % 4 == 2;
      r.hasMedpac = n % 5 == 3;
      r.hasRifle = n == 13;
      r.hasKey = n % 6 == 4;
      r.exitNorth = y > 0 && n % 2 == 0;
      r.exitSouth = y < MAP_HEIGHT - 1 && n % 3 != 0;
      r.exitEast = x < MAP_WIDTH - 1;
      r.exitWest = x > 0 && n % 5 != 0;
      r.alienHealth = n == 0 ? INT32_MIN : n == 19 ? INT32_MAX : 3 * n - 20;
      r.keyNorth = n;
      r.keySouth = -n;
      r.keyEast = 100 + n;
      r.keyWest = n % 4;
    }
  }
  return story;
}

void expectSameStory(const Story& loaded, const Story& written) {
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(loaded.introduction[i], written.introduction[i]);
    EXPECT_EQ(loaded.endings[i], written.endings[i]);
  }
  for (int x = 0; x < MAP_WIDTH; ++x) {
    for (int y = 0; y < MAP_HEIGHT; ++y) {
      SCOPED_TRACE("room [" + std::to_string(x) + "][" + std::to_string(y) + "]");
      const Room& a = loaded.rooms[x][y];
      const Room& b = written.rooms[x][y];
      EXPECT_EQ(a.description, b.description);
      EXPECT_EQ(a.lookText, b.lookText);
      EXPECT_EQ(a.commText, b.commText);
      EXPECT_EQ(a.searched, b.searched);
      EXPECT_EQ(a.hasAlien, b.hasAlien);
      EXPECT_EQ(a.hasCommStation, b.hasCommStation);
      EXPECT_EQ(a.hasMedpac, b.hasMedpac);
      EXPECT_EQ(a.hasRifle, b.hasRifle);
      EXPECT_EQ(a.hasKey, b.hasKey);
      EXPECT_EQ(a.exitNorth, b.exitNorth);
      EXPECT_EQ(a.exitSouth, b.exitSouth);
      EXPECT_EQ(a.exitEast, b.exitEast);
      EXPECT_EQ(a.exitWest, b.exitWest);
      EXPECT_EQ(a.alienHealth, b.alienHealth);
      EXPECT_EQ(a.keyNorth, b.keyNorth);
      EXPECT_EQ(a.keySouth, b.keySouth);
      EXPECT_EQ(a.keyEast, b.keyEast);
      EXPECT_EQ(a.keyWest, b.keyWest);
    }
  }
}

TEST(ReadStory, EveryLayoutOfTheNumbersLoadsTheSameRooms) {
  struct Case {
    const char* name;
    std::function<std::string(const std::string&, const std::string&)> numbers;
    const char* lineEnd;
  };
  const Case cases[] = {
      {"the usual form", usualForm, "\n"},
      {"CRLF", usualForm, "\r\n"},
      {"one number per line",
       [](const std::string& f, const std::string& i) { return spaced(f + " " + i, '\n'); }, "\n"},
      {"one number per line, CRLF",
       [](const std::string& f, const std::string& i) { return spaced(f + " " + i, '\n'); },
       "\r\n"},
      {"all fifteen on one line",
       [](const std::string& f, const std::string& i) { return f + " " + i; }, "\n"},
      {"comments after the fifth integer",
       [](const std::string& f, const std::string& i) { return f + "\n" + i + " 1 0 # 7 x"; },
       "\n"},
      {"blank lines before and between the numbers, tabs between them",
       [](const std::string& f, const std::string& i) {
         return "\n \t\n" + spaced(f, '\t') + "\n\n" + i;
       },
       "\n"},
  };
  const Story written = variedStory();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    StoryFile file("Display.txt", storyFileText(written, c.numbers, c.lineEnd));
    Story loaded;
    EXPECT_TRUE(readStory(file, loaded)) << file.error();
    expectSameStory(loaded, written);
  }
}

TEST(ReadStory, RecordsTheLineOfEveryPart) {
  const Story written = variedStory();
  {
    SCOPED_TRACE("the usual form");
    StoryFile file("Display.txt", storyFileText(written, usualForm));
    Story loaded;
    ASSERT_TRUE(readStory(file, loaded)) << file.error();
    EXPECT_EQ(loaded.introductionLines[0], 1);
    EXPECT_EQ(loaded.introductionLines[1], 2);
    for (int x = 0; x < MAP_WIDTH; ++x) {
      for (int y = 0; y < MAP_HEIGHT; ++y) {
        const int first = 3 + 5 * (4 * x + y);
        const int* lines = loaded.roomLines[x][y].field;
        EXPECT_EQ(lines[Room::DESCRIPTION], first);
        EXPECT_EQ(lines[Room::LOOK_TEXT], first + 1);
        for (int f = Room::SEARCHED; f <= Room::EXIT_WEST; ++f) EXPECT_EQ(lines[f], first + 2);
        for (int f = Room::ALIEN_HEALTH; f <= Room::KEY_WEST; ++f) EXPECT_EQ(lines[f], first + 3);
        EXPECT_EQ(lines[Room::COMM_TEXT], first + 4);
      }
    }
    EXPECT_EQ(loaded.endingLines[0], 103);
    EXPECT_EQ(loaded.endingLines[1], 104);
  }
  {
    SCOPED_TRACE("one number per line: each record takes 18 lines");
    StoryFile file("Display.txt",
                   storyFileText(written, [](const std::string& f, const std::string& i) {
                     return spaced(f + " " + i, '\n');
                   }));
    Story loaded;
    ASSERT_TRUE(readStory(file, loaded)) << file.error();
    for (int x = 0; x < MAP_WIDTH; ++x) {
      for (int y = 0; y < MAP_HEIGHT; ++y) {
        const int first = 3 + 18 * (4 * x + y);
        for (int f = 0; f < Room::FIELD_COUNT; ++f) {
          EXPECT_EQ(loaded.roomLines[x][y].field[f], first + f);
        }
      }
    }
    EXPECT_EQ(loaded.endingLines[0], 3 + 18 * 20);
    EXPECT_EQ(loaded.endingLines[1], 4 + 18 * 20);
  }
}

TEST(ReadStory, ExitOffTheMapIsRefusedAtTheLineOfItsFlag) {
  struct Case {
    const char* name;
    std::function<void(Story&)> breakIt;
    bool onePerLine;
    const char* error;
  };
  const Case cases[] = {
      {"the first in room order is named",
       [](Story& s) {
         s.rooms[4][3].exitSouth = true;
         s.rooms[0][0].exitWest = true;
         s.rooms[0][0].exitNorth = true;
       },
       false, "Display.txt:5: exitNorth of room [0][0] leads off the map"},
      {"a flag on a line of its own", [](Story& s) { s.rooms[0][0].exitWest = true; }, true,
       "Display.txt:14: exitWest of room [0][0] leads off the map"},
      {"the south-east corner", [](Story& s) { s.rooms[4][3].exitEast = true; }, false,
       "Display.txt:100: exitEast of room [4][3] leads off the map"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Story written = variedStory();
    c.breakIt(written);
    const auto onePerLine = [](const std::string& f, const std::string& i) {
      return spaced(f + " " + i, '\n');
    };
    StoryFile file("Display.txt", c.onePerLine ? storyFileText(written, onePerLine)
                                               : storyFileText(written, usualForm));
    Story loaded;
    EXPECT_FALSE(readStory(file, loaded));
    EXPECT_EQ(file.error(), c.error);
  }
}

TEST(ReadStory, RecordCutShortKeepsWhatWasReadAndLeavesTheRestAtFalseAndZero) {
  // rooms[0][1] fails at its hasRifle flag: its texts and first four flags are stored; its
  // other values, and every later room, keep the values of a new Room.
  const Story written = variedStory();
  std::string text = storyFileText(written, usualForm);
  const std::string flagsOf01 = "\n1 1 0 0 0 0 0 1 1 0\n";  // rooms[0][1], n = 1
  const size_t at = text.find(flagsOf01);
  ASSERT_NE(at, std::string::npos);
  text.replace(at, flagsOf01.size(), "\n1 1 0 0 yes 0 0 1 1 0\n");
  StoryFile file("Display.txt", text);
  Story loaded;
  EXPECT_FALSE(readStory(file, loaded));
  EXPECT_EQ(file.error(),
            "Display.txt:10: expected a flag (0 or 1) for hasRifle of room [0][1], found \"yes\"");
  const Room& cut = loaded.rooms[0][1];
  EXPECT_EQ(cut.description, "Room 01. ");
  EXPECT_EQ(cut.lookText, "  Look 01. ");
  EXPECT_TRUE(cut.searched);
  EXPECT_TRUE(cut.hasAlien);
  EXPECT_FALSE(cut.exitSouth);
  EXPECT_FALSE(cut.exitEast);
  EXPECT_EQ(cut.alienHealth, 0);
  EXPECT_EQ(cut.keySouth, 0);
  EXPECT_EQ(cut.commText, "");
  const Room& later = loaded.rooms[3][2];
  EXPECT_EQ(later.description, "");
  EXPECT_FALSE(later.exitEast);
  EXPECT_EQ(later.keyEast, 0);
  EXPECT_EQ(loaded.endings[0], "");
}

// --- loadStory -------------------------------------------------------------------------------

// A new empty directory that is removed with its contents at the end of the test.
class ScratchDirectory {
 public:
  ScratchDirectory() {
    std::string name = (std::filesystem::temp_directory_path() / "derelict-story-XXXXXX").string();
    if (mkdtemp(name.data()) == nullptr) ADD_FAILURE() << "mkdtemp failed";
    path_ = name;
  }
  ~ScratchDirectory() { std::filesystem::remove_all(path_); }
  std::filesystem::path path(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

TEST(LoadStory, FileThatCannotBeOpenedOrReadOrIsTooLargeIsRefused) {
  ScratchDirectory dir;
  std::filesystem::create_directory(dir.path("folder"));
  {
    std::ofstream large(dir.path("large"), std::ios::binary);
    large << std::string(STORY_SIZE_LIMIT + 1, '\n');
  }
  struct Case {
    const char* file;
    const char* error;
  };
  const Case cases[] = {
      {"missing", "Display.txt: cannot open the story file: No such file or directory"},
      {"folder", "Display.txt: cannot read the story file: Is a directory"},
      {"large", "Display.txt: the story file is larger than 16 MiB; a story is a few KiB"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    Story story;
    std::string error;
    EXPECT_FALSE(loadStory(dir.path(c.file).string(), "Display.txt", story, error));
    EXPECT_EQ(error, c.error);
  }
}

TEST(LoadStory, ValidFileLoadsWhole) {
  ScratchDirectory dir;
  const Story written = variedStory();
  {
    std::ofstream file(dir.path("Display.txt"), std::ios::binary);
    file << storyFileText(written, usualForm, "\r\n");
  }
  Story loaded;
  std::string error;
  EXPECT_TRUE(loadStory(dir.path("Display.txt").string(), "Display.txt", loaded, error));
  EXPECT_EQ(error, "");
  expectSameStory(loaded, written);
}

}  // namespace
