// Transcripts of loading the story file: the layouts that load as described, and the story files
// that are refused with one message on standard error, nothing on standard output and status 1.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "support/run_program.h"
#include "support/story_text.h"
#include "transcripts/game_text.h"
#include "transcripts/room_text.h"

namespace {

using namespace room_text;

// In the usual five-line form (storyText), the record of rooms[x][y] begins at this line; its
// lines hold description, lookText, the ten flags, the five integers and commText.
int recordLine(int x, int y) { return 3 + 5 * (4 * x + y); }
const int START_FLAGS = recordLine(2, 3) + 2;  // line 60
const int START_INTEGERS = START_FLAGS + 1;    // line 61

// The lines of a story file written with line feeds, without them.
std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    lines.push_back(text.substr(start, end - start));
  }
  EXPECT_EQ(start, text.size()) << "the last line has no line feed";
  return lines;
}

// `lines`, each followed by `lineEnd`.
std::string joined(const std::vector<std::string>& lines, const std::string& lineEnd = "\n") {
  std::string text;
  for (const std::string& line : lines) text += line + lineEnd;
  return text;
}

// The story with its lines `first` to `last` (1-based) replaced by `replacement`, which may
// itself hold line feeds or be empty; `last` = `first` - 1 inserts before `first`.
std::string withLines(const Story& story, int first, int last, const std::string& replacement) {
  std::vector<std::string> lines = linesOf(storyText(story));
  lines.erase(lines.begin() + (first - 1), lines.begin() + last);
  lines.insert(lines.begin() + (first - 1), replacement);
  return joined(lines);
}

// The first `count` lines of the story, each with its line feed.
std::string firstLines(const Story& story, int count) {
  std::vector<std::string> lines = linesOf(storyText(story));
  lines.resize(count);
  return joined(lines);
}

std::string crlf(const std::string& text) {
  std::string out;
  for (char c : text) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
  return out;
}

void expectRefused(const std::optional<std::string>& file, const std::string& message) {
  const RunResult r = runGame(file, "\nexit\n\n");
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, message);
  EXPECT_EQ(r.status, 1);
}

// --- Layouts that load -----------------------------------------------------------------------

// A story whose start room uses every value of its record, and whose final room, reached from
// there, ends the game with ending line 2.
Story probeStory() {
  Story story = blankStory();
  openAllPassages(story);
  story.introduction[0] = "Intro one. ";
  story.introduction[1] = "Intro two. ";
  story.endings[0] = "End one. ";
  story.endings[1] = "End two. ";
  Room& start = story.rooms[2][3];
  start.description = "Start. ";
  start.lookText = "  Look, two blanks before. ";
  start.commText = "Comm. ";
  start.hasAlien = start.hasCommStation = start.hasMedpac = start.hasKey = true;
  start.alienHealth = 10;
  start.keyNorth = 2;
  start.keyEast = 3;
  start.keyWest = 1;
  story.rooms[4][1].description = "Final. ";
  return story;
}

// The commands of a game of probeStory() and their answers, by the values the start room holds:
// flags 0 1 1 1 0 1 1 0 1 1, integers 10 2 0 3 1.
const std::vector<Exchange> PROBE_PLAY = {
    {"look", "  Look, two blanks before.\n\n"},
    {"use comm", "Comm.\n\n"},
    {"west", CUT_OFF},
    {"north", NEED_KEY},
    {"south", NO_EXIT},
    {"take key", newKey(2)},
    {"north", CUT_OFF},
    {"east", NEED_KEY},
    {"take rifle", NO_GUN},
    {"take medpac", MEDPAC_TAKEN},
    {"shoot", shotStatus(12, 8)},
    {"shoot", shotStatus(9, 6)},
    {"shoot", shotStatus(7, 4)},
    {"shoot", shotStatus(5, 2)},
    {"shoot", killingShot(5, 0)},
    {"use medpac", healed(15)},
    {"east", NEED_KEY},
    {"north", ""},
    {"east", ""},
    {"east", ""},
    {"north", "Final.\n\n"},
    {"shoot", finale("End two.\n\n")},
};
const std::string PROBE_INPUT = scriptInput(PROBE_PLAY);
const std::string PROBE_OUTPUT = "Intro one.\n\n" + game_text::CONTINUE_PROMPT + "\n\n" +
                                 "Intro two.\n\n" + "\n\n" +
                                 scriptOutput("Start.\n\n", PROBE_PLAY, "");

TEST(StoryLayout, NumbersMaySpreadOverLinesAndCommentsFollowTheFifthInteger) {
  struct Case {
    const char* name;
    std::string numbers;  // stands in place of the start room's two lines of numbers
  };
  const Case cases[] = {
      {"the usual form", "0 1 1 1 0 1 1 0 1 1\n10 2 0 3 1"},
      {"one number per line", "0\n1\n1\n1\n0\n1\n1\n0\n1\n1\n10\n2\n0\n3\n1"},
      {"all fifteen on one line", "0 1 1 1 0 1 1 0 1 1 10 2 0 3 1"},
      {"a comment after the fifth integer", "0 1 1 1 0 1 1 0 1 1\n10 2 0 3 1   7 7 7 not read"},
      {"a comment right after the fifth integer's digits", "0 1 1 1 0 1 1 0 1 1\n10 2 0 3 1x 9"},
      {"blank lines, tabs and runs of blanks", "\n\n0\t1  1 1 0 1 1 0 1 1\n\n \n10\t2 0   3 1\t"},
      {"signs and leading zeros", "-0 +1 01 1 00 1 1 -0 1 +1\n+010 02 -0 003 +1"},
  };
  const Story story = probeStory();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const RunResult r =
        runGame(withLines(story, START_FLAGS, START_INTEGERS, c.numbers), PROBE_INPUT);
    EXPECT_EQ(r.out, PROBE_OUTPUT);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.status, 0);
  }
}

TEST(StoryLayout, LineEndsMayBeCrLfAndTheLastLineNeedsNone) {
  struct Case {
    const char* name;
    std::string file;
  };
  const std::string lf = storyText(probeStory());
  const std::string lfOnePerLine = withLines(probeStory(), START_FLAGS, START_INTEGERS,
                                             "0\n1\n1\n1\n0\n1\n1\n0\n1\n1\n10\n2\n0\n3\n1 #");
  const Case cases[] = {
      {"CRLF", crlf(lf)},
      {"CRLF, numbers one per line", crlf(lfOnePerLine)},
      {"no line feed after ending line 2", lf.substr(0, lf.size() - 1)},
      {"CRLF and no line end after ending line 2", crlf(lf.substr(0, lf.size() - 1))},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const RunResult r = runGame(c.file, PROBE_INPUT);
    EXPECT_EQ(r.out, PROBE_OUTPUT);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.status, 0);
  }
}

TEST(StoryLayout, ValuesAtThe32BitLimitsLoadAndPlay) {
  Story story = blankStory();
  openAllPassages(story);
  Room& start = story.rooms[2][3];
  start.description = "Start. ";
  start.hasAlien = true;
  start.alienHealth = INT32_MIN;
  start.keyNorth = INT32_MAX;
  start.keyWest = INT32_MAX;
  start.keyEast = INT32_MIN;
  Room& east = story.rooms[3][3];
  east.description = "East. ";
  east.hasAlien = true;
  east.alienHealth = INT32_MAX;
  east.keyWest = INT32_MIN;
  const std::vector<Exchange> play = {
      {"shoot", ALREADY_DEAD},
      {"north", NEED_KEY},
      {"west", NEED_KEY},
      {"east", "East.\n\n"},
      {"shoot", shotStatus(11, 2147483645)},
      {"vorzk", FULL_EQUIPMENT},
      {"shoot", shotStatus(96, 2147483633)},
      {"west", CUT_OFF},
  };
  const std::string file = storyText(story);
  ASSERT_NE(file.find("\n-2147483648 2147483647 0 -2147483648 2147483647\n"), std::string::npos);
  const RunResult r = runGame(file, scriptInput(play));
  EXPECT_EQ(r.out, game_text::CONTINUE_PROMPT + "\n\n\n\n" + scriptOutput("Start.\n\n", play));
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.status, 0);
}

TEST(StoryLayout, BlankLineBeforeCommTextShiftsTheFollowingTexts) {
  // The blank line becomes the commText of rooms[2][2]; the line meant as that commText becomes
  // the start room's description, its description its lookText, and its blank lookText is
  // skipped before the flags, so the numbers and all later records are read as written.
  Story story = blankStory();
  story.rooms[2][2].commText = "Shifted. ";
  story.rooms[2][3].description = "Start. ";
  const std::vector<Exchange> play = {{"look", "Start.\n\n"}};
  const RunResult r =
      runGame(withLines(story, recordLine(2, 2) + 4, recordLine(2, 2) + 3, ""), scriptInput(play));
  EXPECT_EQ(r.out, game_text::CONTINUE_PROMPT + "\n\n\n\n" + scriptOutput("Shifted.\n\n", play));
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.status, 0);
}

// --- Story files that are refused ------------------------------------------------------------

TEST(StoryRefused, MissingFile) {
  expectRefused(std::nullopt,
                "Display.txt: cannot open the story file: No such file or directory\n");
}

TEST(StoryRefused, FileEndsEarly) {
  struct Case {
    const char* name;
    std::string file;
    std::string message;
  };
  const Story blank = blankStory();
  const Case cases[] = {
      {"empty file", "",
       "Display.txt:1: expected the introduction line 1, found the end of the file\n"},
      {"before introduction line 2", firstLines(blank, 1),
       "Display.txt:1: expected the introduction line 2, found the end of the file\n"},
      {"before the first record", firstLines(blank, 2),
       "Display.txt:2: expected the description of room [0][0], found the end of the file\n"},
      {"before a lookText", firstLines(blank, recordLine(2, 3)),
       "Display.txt:58: expected the lookText of room [2][3], found the end of the file\n"},
      {"before the flags", firstLines(blank, recordLine(2, 3) + 1),
       "Display.txt:59: expected a flag (0 or 1) for searched of room [2][3], found the end of "
       "the file\n"},
      {"inside the flags, with no line end", firstLines(blank, recordLine(2, 3) + 1) + "0 0 0 0 0",
       "Display.txt:60: expected a flag (0 or 1) for hasKey of room [2][3], found the end of the "
       "file\n"},
      {"before the integers", firstLines(blank, recordLine(2, 3) + 2),
       "Display.txt:60: expected a whole number from -2147483648 to 2147483647 for alienHealth "
       "of room [2][3], found the end of the file\n"},
      {"inside the integers, with blank lines after them",
       firstLines(blank, recordLine(2, 3) + 2) + "0 0 0 0\n\n\n",
       "Display.txt:63: expected a whole number from -2147483648 to 2147483647 for keyWest of "
       "room [2][3], found the end of the file\n"},
      {"before the last commText", firstLines(blank, recordLine(4, 3) + 3),
       "Display.txt:101: expected the commText of room [4][3], found the end of the file\n"},
      {"after the last integers, with no line end",
       firstLines(blank, recordLine(4, 3) + 2) + "0 0 0 0 0",
       "Display.txt:101: expected the commText of room [4][3], found the end of the file\n"},
      {"before ending line 1", firstLines(blank, 102),
       "Display.txt:102: expected the ending line 1, found the end of the file\n"},
      {"before ending line 2", firstLines(blank, 103),
       "Display.txt:103: expected the ending line 2, found the end of the file\n"},
      {"before ending line 2, ending line 1 with no line end", firstLines(blank, 102) + "End one. ",
       "Display.txt:103: expected the ending line 2, found the end of the file\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    expectRefused(c.file, c.message);
  }
}

TEST(StoryRefused, BadFlagOrInteger) {
  struct Case {
    const char* name;
    std::string file;
    std::string message;
  };
  const Story blank = blankStory();
  const std::string startFlag = "Display.txt:60: expected a flag (0 or 1) for ";
  const std::string firstKey =
      "Display.txt:6: expected a whole number from -2147483648 to 2147483647 for ";
  const Case cases[] = {
      {"flag 2", withLines(blank, START_FLAGS, START_FLAGS, "0 0 0 0 0 2 0 0 0 0"),
       startFlag + "hasKey of room [2][3], found \"2\"\n"},
      {"flag true", withLines(blank, START_FLAGS, START_FLAGS, "0 0 0 0 0 true 0 0 0 0"),
       startFlag + "hasKey of room [2][3], found \"true\"\n"},
      {"flag -1", withLines(blank, START_FLAGS, START_FLAGS, "0 0 0 0 0 -1 0 0 0 0"),
       startFlag + "hasKey of room [2][3], found \"-1\"\n"},
      {"two flags written together",
       withLines(blank, START_FLAGS, START_FLAGS, "0 0 0 0 0 0 0 0 10"),
       startFlag + "exitEast of room [2][3], found \"10\"\n"},
      {"flag true in a CRLF file",
       crlf(withLines(blank, START_FLAGS, START_FLAGS, "0 0 0 0 0 true 0 0 0 0")),
       startFlag + "hasKey of room [2][3], found \"true\"\n"},
      {"integer x", withLines(blank, 6, 6, "0 x 0 0 0"),
       firstKey + "keyNorth of room [0][0], found \"x\"\n"},
      {"integer 2147483648", withLines(blank, 6, 6, "0 2147483648 0 0 0"),
       firstKey + "keyNorth of room [0][0], found \"2147483648\"\n"},
      {"integer -2147483649", withLines(blank, 6, 6, "-2147483649 0 0 0 0"),
       firstKey + "alienHealth of room [0][0], found \"-2147483649\"\n"},
      {"a decimal point ends the digits", withLines(blank, 6, 6, "0 0 0 1.5 0"),
       firstKey + "keyWest of room [0][0], found \".5\"\n"},
      {"a sign without digits", withLines(blank, 101, 101, "0 0 - 0 0"),
       "Display.txt:101: expected a whole number from -2147483648 to 2147483647 for keySouth of "
       "room [4][3], found \"-\"\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    expectRefused(c.file, c.message);
  }
}

TEST(StoryRefused, BlankLineBeforeCommTextLeavesATextWhereAFlagBelongs) {
  // The line meant as the commText of rooms[0][0] becomes the description of rooms[0][1], its
  // description the lookText, and its lookText, on line 10, stands where the flags begin.
  Story story = blankStory();
  story.rooms[0][1].lookText = "Look at this. ";
  expectRefused(withLines(story, recordLine(0, 0) + 4, recordLine(0, 0) + 3, ""),
                "Display.txt:10: expected a flag (0 or 1) for searched of room [0][1], found "
                "\"Look\"\n");
}

TEST(StoryRefused, ExitLeadingOffTheMap) {
  struct Case {
    int x, y;
    std::function<void(Room&)> setExit;
    const char* message;
  };
  const Case cases[] = {
      {2, 0, [](Room& r) { r.exitNorth = true; },
       "Display.txt:45: exitNorth of room [2][0] leads off the map\n"},
      {1, 3, [](Room& r) { r.exitSouth = true; },
       "Display.txt:40: exitSouth of room [1][3] leads off the map\n"},
      {4, 2, [](Room& r) { r.exitEast = true; },
       "Display.txt:95: exitEast of room [4][2] leads off the map\n"},
      {0, 1, [](Room& r) { r.exitWest = true; },
       "Display.txt:10: exitWest of room [0][1] leads off the map\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    Story story = blankStory();
    openAllPassages(story);  // every exit that stays on the map is accepted
    c.setExit(story.rooms[c.x][c.y]);
    expectRefused(storyText(story), c.message);
  }
}

}  // namespace
