// Transcripts of the game loop: the introduction and its pause, the dispatch of command lines,
// arrival texts, death, the farewell and the final pause, and the end of the input.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/run_program.h"
#include "support/story_text.h"
#include "transcripts/game_text.h"

namespace {

using game_text::CONTINUE_PROMPT;
using game_text::DEATH;
using game_text::FAREWELL;
using game_text::gameOutput;
using game_text::INTRODUCTION;
using game_text::NOT_VALID;
using game_text::Pass;
using game_text::scriptInput;
using game_text::scriptOutput;
using game_text::smallStory;
using game_text::START_ARRIVAL;

const std::string HELP_TEXT =
    "Commands:\n\ntake medpac  look\n\ntake key     take rifle\n\nuse medpac   use comm\n\n"
    "shoot        move north\n\nmove south   move east\n\nmove west    help\n\n"
    "inventory    exit\n\n";
const std::string START_INVENTORY =
    "Inventory:\n\n0 medpacs\n\na level 1 key\n\na blaster pistol\n\n";
const std::string FULL_EQUIPMENT =
    "You now have 100 heath, a level 3 key, 10 medpacs, and a hyper-destroyer that \n\n"
    "kills anything.\n\n";

// What the game writes up to its pause, for smallStory().
const std::string UP_TO_PAUSE = "Welcome aboard.\n\n" + CONTINUE_PROMPT;

void expectClean(const RunResult& r) {
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.status, 0);
  EXPECT_FALSE(r.timedOut);
}

TEST(Introduction, PrintsBothLinesWrappedWithThePauseBetweenThemThenTheStartRoom) {
  Story story = smallStory();
  story.introduction[0] =
      "The distress call reached you at the end of a long watch, from a freighter that nobody "
      "had heard from in eleven years. ";
  story.introduction[1] =
      "You dock, cycle the airlock and step into the dark. The lights are out and the air is "
      "cold. ";
  const RunResult r = runGame(storyText(story), "\nexit\n\n");
  EXPECT_EQ(r.out,
            "The distress call reached you at the end of a long watch, from a freighter that\n\n"
            "nobody had heard from in eleven years.\n\n"
            "\nPress enter to continue "
            "\n\n"
            "You dock, cycle the airlock and step into the dark. The lights are out and the\n\n"
            "air is cold.\n\n"
            "\n\n"
            "Start room.\n\n"
            "\n"
            "\nThanks for playing!\n\n\nPress enter to exit ");
  expectClean(r);
}

TEST(Introduction, ExitOrTheEndOfTheInputAtThePauseEndsTheProgramAtOnce) {
  const std::string story = storyText(smallStory());
  for (const std::string input : {"exit\n", "exit", "exit\r\n", "exit\nlook\nexit\n\n", ""}) {
    SCOPED_TRACE("input: \"" + input + "\"");
    const RunResult r = runGame(story, input);
    EXPECT_EQ(r.out, UP_TO_PAUSE);
    expectClean(r);
  }
}

TEST(Introduction, AnyOtherLineAtThePauseGoesOnWithTheGame) {
  const std::string story = storyText(smallStory());
  // "exit\r\r" with its line feed is the line "exit\r": only the last carriage return goes.
  for (const std::string pauseLine : {"", "Exit", "exit ", " exit", "exi", "look", "exit\r\r"}) {
    SCOPED_TRACE("pause line: \"" + pauseLine + "\"");
    const RunResult r = runGame(story, pauseLine + "\nexit\n\n");
    EXPECT_EQ(r.out, gameOutput(START_ARRIVAL + "\n"));
    expectClean(r);
  }
}

// The start room of smallStory() with a look text, a key and a CommStation, an open exit north
// and west, an exit east that needs a level 2 key, and no exit south (the map's edge).
Story dispatchStory() {
  Story story = smallStory();
  Room& start = story.rooms[2][3];
  start.lookText = "Start look. ";
  start.hasKey = true;
  start.hasCommStation = true;
  start.commText = "Comm text. ";
  start.exitNorth = true;
  start.exitWest = true;
  start.exitEast = true;
  start.keyEast = 2;
  Room& north = story.rooms[2][2];
  north.description = "North room. ";
  north.lookText = "North look. ";
  north.exitSouth = true;
  story.rooms[1][3].description = "West room. ";
  story.rooms[3][3].description = "East room. ";
  return story;
}

TEST(Dispatch, EachCommandWordRunsItsRowOnTheLinesFirstCharacters) {
  const std::string story = storyText(dispatchStory());
  const std::vector<Pass> cases = {
      // Row 3: the first four characters "look".
      {"look", "Start look.\n\n"},
      {"look around", "Start look.\n\n"},
      {"look" + std::string(300, 'x'), "Start look.\n\n"},
      // Row 4: "east" or "west", handed to move as exactly that word.
      {"east", "You need a higher level key.\n\n"},
      {"eastward", "You need a higher level key.\n\n"},
      {"west", "West room.\n\n"},
      {"westward", "West room.\n\n"},
      // Row 5: "north" or "south", handed to move as exactly that word.
      {"north", "North room.\n\n"},
      {"northward", "North room.\n\n"},
      {"south", "There is no exit that way.\n\n"},
      {"southwest", "There is no exit that way.\n\n"},
      // Row 6: "inven".
      {"inven", START_INVENTORY},
      {"inventory", START_INVENTORY},
      // Row 7: the full-equipment word.
      {"vorzk", FULL_EQUIPMENT},
      {"vorzkvorzk", FULL_EQUIPMENT},
      // Row 8: "take".
      {"take", "Please enter and item to take, like \"take medpac\"\n"},
      {"take key", "You now have a level 2 key.\n\n"},
      // Row 9: "help".
      {"help", HELP_TEXT},
      {"helpme", HELP_TEXT},
      // Row 10: "use".
      {"use", "Please enter and item to use, like \"use medpac\"\n"},
      {"use comm", "Comm text.\n\n"},
      // Row 11: "shoot", followed by one more "\n".
      {"shoot", "There is nothing to shoot here.\n\n"},
      {"shooting", "There is nothing to shoot here.\n\n"},
      // Row 12: nothing matched.
      {"", NOT_VALID},
      {"Exit", NOT_VALID},
      {"exit ", NOT_VALID},
      {" exit", NOT_VALID},
      {"exitexit", NOT_VALID},
      {"exit" + std::string(300, ' '), NOT_VALID},
      {" look", NOT_VALID},
      {"Look", NOT_VALID},
      {"LOOK", NOT_VALID},
      {"loo", NOT_VALID},
      {"move north", NOT_VALID},
      {"go west", NOT_VALID},
      {"nort", NOT_VALID},
      {"eas", NOT_VALID},
      {"inv", NOT_VALID},
      {"vorz", NOT_VALID},
      {"tak", NOT_VALID},
      {"hel", NOT_VALID},
      {"us", NOT_VALID},
      {"shoo", NOT_VALID},
      {"\tlook", NOT_VALID},
  };
  for (const Pass& pass : cases) {
    SCOPED_TRACE("line: \"" + pass.line.substr(0, 20) + "\"");
    const RunResult r = runGame(story, scriptInput({pass}));
    EXPECT_EQ(r.out, scriptOutput({pass}));
    expectClean(r);
  }
}

TEST(Dispatch, ArrivalTextFollowsOnlyACommandThatChangedTheRoom) {
  const std::vector<Pass> passes = {
      {"south", "There is no exit that way.\n\n"},
      {"east", "You need a higher level key.\n\n"},
      {"take key", "You now have a level 2 key.\n\n"},
      {"help", HELP_TEXT},
      {"north", "North room.\n\n"},
      {"look", "North look.\n\n"},
      {"north", "There is no exit that way.\n\n"},
      {"x", NOT_VALID},
      {"south", START_ARRIVAL},
      {"east", "East room.\n\n"},
  };
  const RunResult r = runGame(storyText(dispatchStory()), scriptInput(passes));
  EXPECT_EQ(r.out, scriptOutput(passes));
  expectClean(r);
}

TEST(Death, APassThatBringsHealthToZeroOrBelowEndsTheGameWithTheDeathMessage) {
  struct Case {
    int alienHealth;
    std::string shots;  // what the four shots print, each followed by the "\n" of shoot
  };
  // With damage 2, each shot at an alien still at 9 or more costs 4 health, from 5 to 8 it
  // costs 3: from 15, four shots leave 0 against strength 16 and -1 against strength 18.
  const Case cases[] = {
      {16,
       "Health: 11\nEnemy: 14\n\n\nHealth: 7\nEnemy: 12\n\n\nHealth: 3\nEnemy: 10\n\n\n"
       "Health: 0\nEnemy: 8\n\n"},
      {18,
       "Health: 11\nEnemy: 16\n\n\nHealth: 7\nEnemy: 14\n\n\nHealth: 3\nEnemy: 12\n\n\n"
       "Health: -1\nEnemy: 10\n\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("alien strength " + std::to_string(c.alienHealth));
    Story story = smallStory();
    story.rooms[2][3].hasAlien = true;
    story.rooms[2][3].alienHealth = c.alienHealth;
    // After the fourth shot the next line is read by the final pause, and nothing after it.
    const RunResult r =
        runGame(storyText(story), "\nshoot\nshoot\nshoot\nshoot\nhelp\nlook\nexit\n");
    EXPECT_EQ(r.out, INTRODUCTION + START_ARRIVAL + "\n" + c.shots + DEATH + FAREWELL);
    expectClean(r);
  }
}

TEST(EndOfTheGame, ExitGivesTheFarewellAndTheFinalPauseReadsOneLineAndNothingMore) {
  const std::string story = storyText(smallStory());
  for (const std::string afterExit : {"\n", "look\nhelp\nexit\n", "", "exit"}) {
    SCOPED_TRACE("after exit: \"" + afterExit + "\"");
    const RunResult r = runGame(story, "\nexit\n" + afterExit);
    EXPECT_EQ(r.out, gameOutput(START_ARRIVAL + "\n"));
    expectClean(r);
  }
}

TEST(EndOfInput, AtACommandPromptIsHandledAsExit) {
  const std::string story = storyText(smallStory());
  struct Case {
    std::string input;
    std::string play;
  };
  const Case cases[] = {
      // The input ends right at the first prompt.
      {"\n", START_ARRIVAL + "\n"},
      // A last line without a line feed is a whole line.
      {"\nhelp", START_ARRIVAL + "\n" + HELP_TEXT + "\n"},
      {"\nhelp\n", START_ARRIVAL + "\n" + HELP_TEXT + "\n"},
      {"\nexit", START_ARRIVAL + "\n"},
      {"\nx\nhelp", START_ARRIVAL + "\n" + NOT_VALID + "\n" + HELP_TEXT + "\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("input: \"" + c.input + "\"");
    const RunResult r = runGame(story, c.input);
    EXPECT_EQ(r.out, gameOutput(c.play));
    expectClean(r);
  }
}

TEST(InputLines, ACarriageReturnBeforeTheLineFeedIsNotPartOfTheLine) {
  const std::string story = storyText(dispatchStory());
  struct Case {
    std::string input;
    std::string play;
  };
  const Case cases[] = {
      {"\r\nhelp\r\nexit\r\n\r\n", START_ARRIVAL + "\n" + HELP_TEXT + "\n"},
      {"\r\nnorth\r\nexit\r\n", START_ARRIVAL + "\n" + "North room.\n\n" + "\n"},
      {"\r\ntake key\r\nexit\r\n", START_ARRIVAL + "\n" + "You now have a level 2 key.\n\n" + "\n"},
      {"\r\nuse comm\r\nexit\r\n", START_ARRIVAL + "\n" + "Comm text.\n\n" + "\n"},
      // Only the one carriage return right before the line feed goes: the line is "take key\r".
      {"\ntake key\r\r\nexit\n", START_ARRIVAL + "\n" + "You cannot take that.\n\n" + "\n"},
      // The line "exit\r" is not "exit"; the end of the input then ends the loop.
      {"\nexit\r\r\n", START_ARRIVAL + "\n" + NOT_VALID + "\n"},
      // A carriage return inside a line stays: "take" with the item "key\rx".
      {"\ntake key\rx\nexit\n", START_ARRIVAL + "\n" + "You cannot take that.\n\n" + "\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("input: \"" + c.input + "\"");
    const RunResult r = runGame(story, c.input);
    EXPECT_EQ(r.out, gameOutput(c.play));
    expectClean(r);
  }
}

TEST(CommandLine, ArgumentsAreIgnored) {
  const std::string story = storyText(smallStory());
  const std::string input = "\nhelp\nexit\n\n";
  for (const std::vector<std::string>& extra :
       {std::vector<std::string>{"--help"}, {"exit"}, {"-x", "Display.txt", "look"}, {""}}) {
    std::vector<std::string> argv = {gameBinary()};
    argv.insert(argv.end(), extra.begin(), extra.end());
    SCOPED_TRACE("first argument: \"" + extra[0] + "\"");
    const RunResult r = runProgram(argv, story, input);
    EXPECT_EQ(r.out, gameOutput(START_ARRIVAL + "\n" + HELP_TEXT + "\n"));
    expectClean(r);
  }
}

}  // namespace
