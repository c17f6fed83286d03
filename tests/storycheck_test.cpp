// Whole-program tests of storycheck: it runs on story fixtures written in code, and its verdicts,
// messages and walkthroughs are compared with what the game itself does with the same files.
//
// In a fixture written by storyText() the record of rooms[x][y] is record n = 4x + y + 1 and
// begins at line 3 + 5 (n - 1): description, lookText, flags, integers, commText. The two
// ending lines are lines 103 and 104.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "support/run_program.h"
#include "support/story_text.h"

namespace {

constexpr int STATUS_CLEAN = 0;
constexpr int STATUS_REFUSED = 1;
constexpr int STATUS_WARNINGS = 2;
constexpr int STATUS_USAGE = 64;

constexpr const char* FAREWELL = "\nThanks for playing!\n\n\nPress enter to exit ";

RunResult runCheck(const std::vector<std::string>& args, const std::optional<std::string>& story) {
  std::vector<std::string> argv = {STORYCHECK_BINARY};
  argv.insert(argv.end(), args.begin(), args.end());
  return runProgram(argv, story, "");
}

// Every room reachable, no items, no aliens, empty texts: a story with nothing to warn about.
Story openStory() {
  Story story = blankStory();
  openAllPassages(story);
  return story;
}

// Closes every passage into and out of rooms[x][y], both ways.
void wallOff(Story& story, int x, int y) {
  Room& room = story.rooms[x][y];
  room.exitNorth = room.exitSouth = room.exitEast = room.exitWest = false;
  if (y > 0) story.rooms[x][y - 1].exitSouth = false;
  if (y < MAP_HEIGHT - 1) story.rooms[x][y + 1].exitNorth = false;
  if (x < MAP_WIDTH - 1) story.rooms[x + 1][y].exitWest = false;
  if (x > 0) story.rooms[x - 1][y].exitEast = false;
}

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// `text` with its line `number` (from 1) replaced by `replacement`.
std::string withLine(const std::string& text, int number, const std::string& replacement) {
  std::vector<std::string> lines = splitLines(text);
  lines.at(static_cast<size_t>(number - 1)) = replacement;
  std::string result;
  for (const std::string& line : lines) result += line + "\n";
  return result;
}

// The first `count` lines of `text`, each with its line feed.
std::string firstLines(const std::string& text, int count) {
  size_t end = 0;
  for (int i = 0; i < count; ++i) end = text.find('\n', end) + 1;
  return text.substr(0, end);
}

// ---------------------------------------------------------------------------------------------
// Warnings: each fixture breaks exactly one rule.

struct WarningCase {
  const char* name;
  std::function<void(Story&)> change;
  std::string expectedErr;
};

void PrintTo(const WarningCase& c, std::ostream* os) { *os << c.name; }

class StorycheckWarning : public testing::TestWithParam<WarningCase> {};

TEST_P(StorycheckWarning, ReportsTheRuleAtItsLineAndExitsWithTwo) {
  Story story = openStory();
  GetParam().change(story);
  const RunResult r = runCheck({}, storyText(story));
  EXPECT_EQ(r.err, GetParam().expectedErr);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.status, STATUS_WARNINGS);
}

// Lines used below: rooms[0][0] is record 1 (lines 3-7), rooms[0][3] record 4 (lines 18-22),
// rooms[1][2] record 7 (lines 33-37), rooms[2][0] record 9 (lines 43-47), rooms[3][1] record 14
// (lines 68-72), rooms[4][1] record 18 (lines 88-92).
const WarningCase WARNING_CASES[] = {
    {"DescriptionWithoutFinalSpace",
     [](Story& s) { s.rooms[0][0].description = "A dark store room."; },
     "Display.txt:3: warning: the description of room [0][0] does not end in a space, so its "
     "last line will not print as written\n"},
    {"LookTextEndingInTwoSpaces", [](Story& s) { s.rooms[1][2].lookText = "Dust everywhere.  "; },
     "Display.txt:34: warning: the lookText of room [1][2] ends in more than one space, or is "
     "only a space\n"},
    {"IntroductionOfOnlyASpace", [](Story& s) { s.introduction[1] = " "; },
     "Display.txt:2: warning: introduction line 2 ends in more than one space, or is only a "
     "space\n"},
    {"CommTextOfACommStationWithoutFinalSpace",
     [](Story& s) {
       s.rooms[3][1].hasCommStation = true;
       s.rooms[3][1].commText = "Log entry 7";
     },
     "Display.txt:72: warning: the commText of room [3][1] does not end in a space, so its last "
     "line will not print as written\n"},
    {"WordOf79Characters",
     [](Story& s) { s.endings[0] = "The " + std::string(79, 'x') + " end. "; },
     "Display.txt:103: warning: ending line 1 has a word of 79 characters; words must have at "
     "most 78\n"},
    {"OneWayPassage", [](Story& s) { s.rooms[1][0].exitEast = false; },
     "Display.txt:45: warning: the passage west from room [2][0] to room [1][0] is one-way: "
     "room [1][0] has no exit east\n"},
    {"RoomBehindDoorsNoKeyOpens",
     [](Story& s) {
       s.rooms[1][0].keyWest = 2;
       s.rooms[0][1].keyNorth = 2;
     },
     "Display.txt:3: warning: room [0][0] can never be reached from the start room\n"},
    {"AlienThatCannotBeShot", [](Story& s) { s.rooms[0][3].alienHealth = 3; },
     "Display.txt:21: warning: room [0][3] has an alien of strength 3 that cannot be shot "
     "(hasAlien is 0): it traps the player\n"},
    {"RifleWithoutKeys", [](Story& s) { s.rooms[0][0].hasRifle = true; },
     "Display.txt:5: warning: the rifle in room [0][0] can never be taken (it needs a level 3 "
     "key)\n"},
    {"ThirdKeyBeforeTheRifle",
     [](Story& s) {
       // Keys in rooms[1][3] and rooms[2][2]; the third, in rooms[0][0] behind level 3 doors,
       // is always taken last, and the rifle in rooms[3][3] may still be in its closet then.
       s.rooms[1][3].hasKey = true;
       s.rooms[2][2].hasKey = true;
       s.rooms[0][0].hasKey = true;
       s.rooms[1][0].keyWest = 3;
       s.rooms[0][1].keyNorth = 3;
       s.rooms[3][3].hasRifle = true;
     },
     "Display.txt:5: warning: the key in room [0][0] can raise the key level beyond 3 while the "
     "rifle is still in its closet\n"},
    {"RoomOnlyBeyondTheFinalRoomsAlien",
     [](Story& s) {
       // rooms[4][0] (record 17, line 83) opens only onto the final room, whose alien keeps the
       // player in: shoot there ends the game instead of hitting it.
       s.rooms[4][1].hasAlien = true;
       s.rooms[4][1].alienHealth = 2;
       s.rooms[3][0].exitEast = s.rooms[4][0].exitWest = false;
     },
     "Display.txt:83: warning: room [4][0] can never be reached from the start room\n"},
    {"FinalRoomWalledOff", [](Story& s) { wallOff(s, 4, 1); },
     "Display.txt:88: warning: the final room, room [4][1], can never be reached from the start "
     "room\n"},
    {"DeadAlienOfStrengthZero",
     [](Story& s) {
       s.rooms[0][3].hasAlien = true;
       s.rooms[0][3].alienHealth = 0;
     },
     "Display.txt:21: warning: room [0][3] has an alien that is dead from the start "
     "(alienHealth 0)\n"},
    {"DeadAlienOfNegativeStrength",
     [](Story& s) {
       s.rooms[0][3].hasAlien = true;
       s.rooms[0][3].alienHealth = -5;
     },
     "Display.txt:21: warning: room [0][3] has an alien that is dead from the start "
     "(alienHealth -5)\n"},
    {"SeveralFindingsInLineOrder",
     [](Story& s) {
       s.endings[1] = "Game over.";
       s.rooms[0][0].description = "Dark.";
     },
     "Display.txt:3: warning: the description of room [0][0] does not end in a space, so its "
     "last line will not print as written\n"
     "Display.txt:104: warning: ending line 2 does not end in a space, so its last line will "
     "not print as written\n"},
};

INSTANTIATE_TEST_SUITE_P(Kinds, StorycheckWarning, testing::ValuesIn(WARNING_CASES),
                         [](const testing::TestParamInfo<WarningCase>& info) {
                           return std::string(info.param.name);
                         });

TEST(StorycheckClean, StoryThatFollowsEveryRuleHasNoFindings) {
  Story story = openStory();
  story.introduction[0] = "You wake up in the dark. ";
  story.introduction[1] = "Somewhere an alarm is ringing. ";
  // A word of 78 characters still fits a printed line.
  story.rooms[2][3].description = "A " + std::string(78, 'w') + " corridor. ";
  story.rooms[2][3].lookText = "Nothing here. ";
  // Texts the game never prints are not checked: the final room's lookText (look ends the game
  // there) and the commText of a room without a CommStation.
  story.rooms[4][1].lookText = "never shown";
  story.rooms[1][1].commText = "no station here";
  story.rooms[3][0].hasCommStation = true;
  story.rooms[3][0].commText = "Station log. ";
  // Two keys open the rifle's closet, and no third key can pass its level.
  story.rooms[1][3].hasKey = true;
  story.rooms[2][2].hasKey = true;
  story.rooms[3][3].hasRifle = true;
  // An alien that can be shot and killed.
  story.rooms[0][0].hasAlien = true;
  story.rooms[0][0].alienHealth = 4;
  story.rooms[1][1].hasMedpac = true;
  story.endings[0] = "You made it. ";
  story.endings[1] = "You shot the bridge. ";

  const RunResult r = runCheck({}, storyText(story));
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.status, STATUS_CLEAN);
}

// ---------------------------------------------------------------------------------------------
// Refused files: storycheck gives the game's own verdict.

struct RefusedCase {
  const char* name;
  std::function<std::string()> story;
  std::string expectedErr;
};

void PrintTo(const RefusedCase& c, std::ostream* os) { *os << c.name; }

class StorycheckRefused : public testing::TestWithParam<RefusedCase> {};

TEST_P(StorycheckRefused, ReportsWhatTheGameReportsAndExitsWithOne) {
  const std::string story = GetParam().story();
  const RunResult game = runGame(story, "\n");
  const RunResult check = runCheck({}, story);
  EXPECT_EQ(game.err, GetParam().expectedErr);
  EXPECT_EQ(check.err, game.err);
  EXPECT_EQ(check.out, "");
  EXPECT_EQ(check.status, STATUS_REFUSED);

  // With --walkthrough there is no walkthrough either, and a FILE argument names the file.
  const RunResult named = runCheck({"--walkthrough", "./Display.txt"}, story);
  EXPECT_EQ(named.err, "./" + GetParam().expectedErr);
  EXPECT_EQ(named.out, "");
  EXPECT_EQ(named.status, STATUS_REFUSED);
}

const RefusedCase REFUSED_CASES[] = {
    // rooms[2][3] is record 12, lines 58-62; its flags are on line 60.
    {"WordForAFlag", [] { return withLine(storyText(openStory()), 60, "0 0 0 0 0 true 1 0 1 1"); },
     "Display.txt:60: expected a flag (0 or 1) for hasKey of room [2][3], found \"true\"\n"},
    // rooms[0][0] is record 1; its integers are on line 6.
    {"NumberBeyond32Bits", [] { return withLine(storyText(openStory()), 6, "2147483648 0 0 0 0"); },
     "Display.txt:6: expected a whole number from -2147483648 to 2147483647 for alienHealth of "
     "room [0][0], found \"2147483648\"\n"},
    // Lines 48 and 49 are the description and lookText of rooms[2][1] (record 10).
    {"FileEndingInsideARecord", [] { return firstLines(storyText(openStory()), 49); },
     "Display.txt:49: expected a flag (0 or 1) for searched of room [2][1], found the end of the "
     "file\n"},
    {"FileEndingBeforeTheEndings", [] { return firstLines(storyText(openStory()), 102); },
     "Display.txt:102: expected the ending line 1, found the end of the file\n"},
    // rooms[0][0] is on the north edge; its flags are on line 5.
    {"ExitOffTheMap",
     [] {
       Story story = openStory();
       story.rooms[0][0].exitNorth = true;
       return storyText(story);
     },
     "Display.txt:5: exitNorth of room [0][0] leads off the map\n"},
};

INSTANTIATE_TEST_SUITE_P(Files, StorycheckRefused, testing::ValuesIn(REFUSED_CASES),
                         [](const testing::TestParamInfo<RefusedCase>& info) {
                           return std::string(info.param.name);
                         });

// ---------------------------------------------------------------------------------------------
// --walkthrough

// The only way to the final room runs start -> east rooms[3][3] (take the key) -> east
// rooms[4][3] -> north rooms[4][2] (an alien of strength 4: two shots) -> north through a level 2
// door into rooms[4][1]. Every other room can be reached, so the story is clean.
Story keyAndFightStory() {
  Story story = openStory();
  story.rooms[3][3].hasKey = true;
  story.rooms[4][2].hasAlien = true;
  story.rooms[4][2].alienHealth = 4;
  story.rooms[4][2].keyNorth = 2;
  story.rooms[4][2].exitWest = story.rooms[3][2].exitEast = false;
  story.rooms[4][1].exitWest = story.rooms[3][1].exitEast = false;
  story.rooms[4][1].exitNorth = story.rooms[4][0].exitSouth = false;
  story.endings[0] = "You reach the bridge. ";
  story.endings[1] = "You shoot the controls. ";
  return story;
}

constexpr const char* KEY_AND_FIGHT_WALKTHROUGH =
    "\neast\ntake key\neast\nnorth\nshoot\nshoot\nnorth\n";

TEST(StorycheckWalkthrough, PrintsTheShortestScriptThatTheGameWinsWith) {
  const std::string story = storyText(keyAndFightStory());
  const RunResult check = runCheck({"--walkthrough"}, story);
  EXPECT_EQ(check.out, KEY_AND_FIGHT_WALKTHROUGH);
  EXPECT_EQ(check.err, "");
  EXPECT_EQ(check.status, STATUS_CLEAN);

  for (const auto& [command, ending] : {std::pair{"look", "You reach the bridge."},
                                        std::pair{"shoot", "You shoot the controls."}}) {
    SCOPED_TRACE(command);
    const RunResult game = runGame(story, check.out + command + "\n\n");
    const std::string tail = std::string("\n\n\n\n") + ending + "\n\n" + FAREWELL;
    ASSERT_GE(game.out.size(), tail.size());
    EXPECT_EQ(game.out.substr(game.out.size() - tail.size()), tail);
    // The fight went as the script expects: two shots, the second one kills.
    EXPECT_NE(game.out.find("Health: 13\nEnemy: 2\n"), std::string::npos);
    EXPECT_NE(game.out.find("Health: 13\nEnemy: 0\nYou have killed everything in the room.\n"),
              std::string::npos);
    EXPECT_EQ(game.out.find("You've been killed"), std::string::npos);
    EXPECT_EQ(game.err, "");
    EXPECT_EQ(game.status, 0);
  }
}

TEST(StorycheckWalkthrough, SaysWhyThereIsNoneForAnUnwinnableStory) {
  Story walled = openStory();
  wallOff(walled, 4, 1);
  // An alien of strength 40 in the only room before the final one: the pistol cannot kill it
  // before it kills the player, and there is no rifle.
  Story tooStrong = keyAndFightStory();
  tooStrong.rooms[4][2].alienHealth = 40;

  for (const Story& story : {walled, tooStrong}) {
    const RunResult r = runCheck({"--walkthrough"}, storyText(story));
    // rooms[4][1] is record 18, which begins at line 88.
    EXPECT_EQ(r.err,
              "Display.txt:88: warning: the final room, room [4][1], can never be reached from the "
              "start room\n"
              "Display.txt: no walkthrough: no game reaches the final room alive\n");
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.status, STATUS_WARNINGS);
  }
}

// ---------------------------------------------------------------------------------------------
// Command line

TEST(StorycheckCommandLine, HelpPrintsUsageOnStandardOutput) {
  const RunResult r = runCheck({"--help"}, std::nullopt);
  EXPECT_EQ(r.out.rfind("usage: storycheck [--walkthrough] [FILE]\n", 0), 0u) << r.out;
  EXPECT_NE(r.out.find("\n  --walkthrough "), std::string::npos);
  EXPECT_NE(r.out.find("\n  --help "), std::string::npos);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.status, STATUS_CLEAN);
}

TEST(StorycheckCommandLine, UnknownOptionOrSecondFileIsAUsageError) {
  const std::string story = storyText(openStory());
  for (const auto& [args, bad] :
       {std::pair{std::vector<std::string>{"--verbose"}, "--verbose"},
        std::pair{std::vector<std::string>{"Display.txt", "other.txt"}, "other.txt"}}) {
    SCOPED_TRACE(bad);
    const RunResult r = runCheck(args, story);
    EXPECT_EQ(r.err.rfind(std::string("storycheck: unexpected argument '") + bad + "'\n", 0), 0u)
        << r.err;
    EXPECT_NE(r.err.find("usage: storycheck"), std::string::npos);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.status, STATUS_USAGE);
  }
}

TEST(StorycheckCommandLine, WithoutFileReadsDisplayTxtOfTheWorkingDirectory) {
  Story story = openStory();
  story.introduction[0] = "Hello";
  const RunResult found = runCheck({}, storyText(story));
  EXPECT_EQ(found.err,
            "Display.txt:1: warning: introduction line 1 does not end in a space, so its last "
            "line will not print as written\n");
  EXPECT_EQ(found.status, STATUS_WARNINGS);

  const RunResult missing = runCheck({}, std::nullopt);
  EXPECT_EQ(missing.err.rfind("Display.txt: cannot open the story file: ", 0), 0u) << missing.err;
  EXPECT_EQ(missing.status, STATUS_REFUSED);
}

TEST(StorycheckCommandLine, FileArgumentIsReadAndNamedInMessages) {
  Story story = openStory();
  story.introduction[0] = "Hello";
  const RunResult found = runCheck({"./Display.txt"}, storyText(story));
  EXPECT_EQ(found.err,
            "./Display.txt:1: warning: introduction line 1 does not end in a space, so its last "
            "line will not print as written\n");
  EXPECT_EQ(found.status, STATUS_WARNINGS);

  // The Display.txt of the working directory is not read instead of a missing FILE.
  const RunResult missing = runCheck({"stories/missing.txt"}, storyText(openStory()));
  EXPECT_EQ(missing.err.rfind("stories/missing.txt: cannot open the story file: ", 0), 0u)
      << missing.err;
  EXPECT_EQ(missing.out, "");
  EXPECT_EQ(missing.status, STATUS_REFUSED);
}

// ---------------------------------------------------------------------------------------------
// The shipped story

TEST(StorycheckShippedStory, HasNoFindings) {
  const std::string story = readFile(testDataPath("../data/Display.txt"));
  ASSERT_FALSE(story.empty());
  const RunResult r = runCheck({}, story);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.status, STATUS_CLEAN);
}

TEST(StorycheckShippedStory, WalkthroughWinsWithEitherEnding) {
  const std::string story = readFile(testDataPath("../data/Display.txt"));
  const std::vector<std::string> lines = splitLines(story);
  ASSERT_GE(lines.size(), 104u);
  const RunResult check = runCheck({"--walkthrough"}, story);
  ASSERT_EQ(check.status, STATUS_CLEAN) << check.err;
  ASSERT_EQ(check.out.rfind("\n", 0), 0u) << "the script must answer the introduction's pause";

  for (const auto& [command, endingLine] : {std::pair{"look", 103}, std::pair{"shoot", 104}}) {
    SCOPED_TRACE(command);
    const std::string& ending = lines[static_cast<size_t>(endingLine - 1)];
    ASSERT_FALSE(ending.empty());
    const RunResult game = runGame(story, check.out + command + "\n\n");
    EXPECT_EQ(game.err, "");
    EXPECT_EQ(game.status, 0);
    EXPECT_EQ(game.out.find("You've been killed"), std::string::npos);
    if (ending.size() <= 80) {
      // One printed line: the text without its final space.
      const std::string tail = "\n\n\n\n" + ending.substr(0, ending.size() - 1) + "\n\n" + FAREWELL;
      ASSERT_GE(game.out.size(), tail.size());
      EXPECT_EQ(game.out.substr(game.out.size() - tail.size()), tail);
    } else {
      // Wrapped over several lines: its first words follow the break before the ending.
      size_t wordsEnd = ending.rfind(' ', 40);
      if (wordsEnd == std::string::npos) wordsEnd = ending.find(' ');
      const std::string firstWords = ending.substr(0, wordsEnd);
      EXPECT_NE(game.out.find("\n\n\n\n" + firstWords), std::string::npos) << game.out;
      const std::string farewell = FAREWELL;
      ASSERT_GE(game.out.size(), farewell.size());
      EXPECT_EQ(game.out.substr(game.out.size() - farewell.size()), farewell);
    }
  }
}

}  // namespace
