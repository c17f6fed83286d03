// Transcripts of the commands the game answers itself: the inventory report, the
// full-equipment command, the usage prompts and item cutting of take and use, and the finale
// in the final room.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/run_program.h"
#include "support/story_text.h"
#include "transcripts/game_text.h"

namespace {

using game_text::FAREWELL;
using game_text::INTRODUCTION;
using game_text::NOT_VALID;
using game_text::Pass;
using game_text::scriptInput;
using game_text::scriptOutput;
using game_text::smallStory;
using game_text::START_ARRIVAL;

const std::string FULL_EQUIPMENT =
    "You now have 100 heath, a level 3 key, 10 medpacs, and a hyper-destroyer that \n\n"
    "kills anything.\n\n";
const std::string STACK_FULL =
    "*** Stack is full -- can't add new value ***\nMust increase value of STACK_CAPACITY in "
    "Stack\n";
const std::string TAKE_PROMPT = "Please enter and item to take, like \"take medpac\"\n";
const std::string USE_PROMPT = "Please enter and item to use, like \"use medpac\"\n";

std::string inventoryReport(const std::string& medpacs, const std::string& keyLevel,
                            const std::string& weapon) {
  return "Inventory:\n\n" + medpacs + " medpacs\n\na level " + keyLevel + " key\n\na " + weapon;
}

std::string repeated(const std::string& text, int times) {
  std::string all;
  for (int i = 0; i < times; ++i) all += text;
  return all;
}

// Plays `passes` on `story` and checks both output streams and the exit status.
void expectPlay(const Story& story, const std::vector<Pass>& passes, const std::string& err = "") {
  const RunResult r = runGame(storyText(story), scriptInput(passes));
  EXPECT_EQ(r.out, scriptOutput(passes));
  EXPECT_EQ(r.err, err);
  EXPECT_EQ(r.status, 0);
  EXPECT_FALSE(r.timedOut);
}

// The start room holds a key, a medpac and the rifle, and leads north to a room with a second
// key, so the player can reach key level 3 and take the rifle.
Story armouryStory() {
  Story story = smallStory();
  Room& start = story.rooms[2][3];
  start.hasKey = true;
  start.hasMedpac = true;
  start.hasRifle = true;
  start.exitNorth = true;
  Room& north = story.rooms[2][2];
  north.description = "North room. ";
  north.hasKey = true;
  north.exitSouth = true;
  return story;
}

TEST(InventoryReport, NamesTheMedpacCountTheKeyLevelAndTheWeaponOfEachDamage) {
  struct Case {
    std::string name;
    std::vector<Pass> passes;
  };
  const Case cases[] = {
      {"at the start: damage 2", {{"inventory", inventoryReport("0", "1", "blaster pistol\n\n")}}},
      {"after taking the rifle at key level 3: damage 4",
       {{"take key", "You now have a level 2 key.\n\n"},
        {"north", "North room.\n\n"},
        {"take key", "You now have a level 3 key.\n\n"},
        {"south", START_ARRIVAL},
        {"take rifle", "With your new cuncussion rifle you now do twice the damage as before\n\n"},
        {"take medpac", "You put the MedPac in your pack\n\n"},
        {"inven", inventoryReport("1", "3", "concussion rifle\n\n")}}},
      {"after the full-equipment command: damage 12",
       {{"vorzk", FULL_EQUIPMENT},
        {"inventory", inventoryReport("10", "3", "hyper-destroyer\n\n")}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    expectPlay(armouryStory(), c.passes);
  }
}

// The start room holds an alien of strength 100, so every shot costs the player 4 health.
Story alienStory() {
  Story story = smallStory();
  story.rooms[2][3].hasAlien = true;
  story.rooms[2][3].alienHealth = 100;
  return story;
}

TEST(FullEquipment, OnceGivesTenMedpacsKeyLevelThreeAndTheHyperDestroyer) {
  expectPlay(alienStory(), {{"vorzk", FULL_EQUIPMENT},
                            {"inven", inventoryReport("10", "3", "hyper-destroyer\n\n")},
                            {"shoot", "Health: 96\nEnemy: 88\n\n"}});
}

TEST(FullEquipment, TwiceFillsTheInventoryAndSetsHealthBackTo100) {
  expectPlay(alienStory(), {{"vorzk", FULL_EQUIPMENT},
                            {"shoot", "Health: 96\nEnemy: 88\n\n"},
                            {"vorzk", FULL_EQUIPMENT},
                            {"shoot", "Health: 96\nEnemy: 76\n\n"},
                            {"inven", inventoryReport("20", "3", "hyper-destroyer\n\n")}});
}

TEST(FullEquipment, AThirdTimeHasAllTenPushesRefusedOnTheErrorStreamAndTheSameMessage) {
  expectPlay(alienStory(),
             {{"vorzk", FULL_EQUIPMENT},
              {"vorzk", FULL_EQUIPMENT},
              {"vorzk", FULL_EQUIPMENT},
              {"inven", inventoryReport("20", "3", "hyper-destroyer\n\n")}},
             repeated(STACK_FULL, 10));
}

// The start room holds a key and a CommStation.
Story itemStory() {
  Story story = smallStory();
  Room& start = story.rooms[2][3];
  start.hasKey = true;
  start.hasCommStation = true;
  start.commText = "Comm text. ";
  return story;
}

TEST(TakeAndUse, ABareWordGetsItsPromptAndTheItemTextStartsAfterOneDroppedCharacter) {
  const std::vector<Pass> cases = {
      {"take", TAKE_PROMPT},
      {"take ", "You cannot take that.\n\n"},    // item ""
      {"takekey", "You cannot take that.\n\n"},  // item "ey"
      {"take key", "You now have a level 2 key.\n\n"},
      {"take-key", "You now have a level 2 key.\n\n"},
      {"take  key", "You cannot take that.\n\n"},  // item " key"
      {"take key ", "You cannot take that.\n\n"},  // item "key "
      {"takex", "You cannot take that.\n\n"},      // item ""
      {"use", USE_PROMPT},
      {"use ", "You cannot use that.\n"},  // item ""
      {"usex", "You cannot use that.\n"},  // item ""
      {"use comm", "Comm text.\n\n"},
      {"use_comm", "Comm text.\n\n"},
      {"usecomm", "You cannot use that.\n"},  // item "omm"
      {"use medpac", "You have no medpacs in your inventory.\n"},
  };
  for (const Pass& pass : cases) {
    SCOPED_TRACE("line: \"" + pass.line + "\"");
    expectPlay(itemStory(), {pass});
  }
}

TEST(TakeAndUse, APromptOrAMiscutItemLeavesTheKeyInTheRoom) {
  expectPlay(itemStory(), {{"take", TAKE_PROMPT},
                           {"takekey", "You cannot take that.\n\n"},
                           {"use", USE_PROMPT},
                           {"take key", "You now have a level 2 key.\n\n"},
                           {"take key", "There is no key in this room.\n"}});
}

// All passages open, so the final room rooms[4][1] is four moves from the start; it has a look
// text and a living alien, which the finale never shows nor shoots. One more line stands after
// the two ending lines.
const std::string ENDING_1_PRINTED =
    "You reach the bridge and send the distress signal, and within the hour a rescue\n\n"
    "ship answers your call.\n\n";
const std::string ENDING_2_PRINTED = "You blast the controls and drift on into the dark.\n\n";

std::string finaleStoryText(bool withEndings = true) {
  Story story = smallStory();
  openAllPassages(story);
  Room& finalRoom = story.rooms[4][1];
  finalRoom.description = "Final room. ";
  finalRoom.lookText = "Final look. ";
  finalRoom.hasAlien = true;
  finalRoom.alienHealth = 6;
  if (withEndings) {
    story.endings[0] =
        "You reach the bridge and send the distress signal, and within the hour a rescue ship "
        "answers your call. ";
    story.endings[1] = "You blast the controls and drift on into the dark. ";
  }
  return storyText(story) + "This line is never read. \n";
}

const std::string TO_FINAL_ROOM = "\neast\neast\nnorth\nnorth\n";
// The start room and the rooms on the way (whose descriptions are empty), then the final room.
const std::string UP_TO_FINAL_ROOM = INTRODUCTION + START_ARRIVAL + "\n\n\n\nFinal room.\n\n";

TEST(Finale, LookOrShootInTheFinalRoomPrintsAnEndingAndEndsTheGame) {
  struct Case {
    std::string lines;  // the lines given in the final room
    std::string play;   // what follows the final room's arrival text, before the farewell
  };
  const Case cases[] = {
      {"look\n", "\n\n\n\n\n" + ENDING_1_PRINTED},
      {"lookout\n", "\n\n\n\n\n" + ENDING_1_PRINTED},
      {"shoot\n", "\n\n\n\n\n" + ENDING_2_PRINTED},
      {"shoot it\n", "\n\n\n\n\n" + ENDING_2_PRINTED},
      // Other commands work as in any room until look or shoot ends the game.
      {"inven\nshoo\nlook\n", "\n" + inventoryReport("0", "1", "blaster pistol\n\n") + "\n" +
                                  NOT_VALID + "\n\n\n\n\n" + ENDING_1_PRINTED},
      // "exit" is tested before the finale: no ending line.
      {"exit\n", "\n"},
  };
  const std::string story = finaleStoryText();
  for (const Case& c : cases) {
    SCOPED_TRACE("lines: \"" + c.lines + "\"");
    // The line after the finale is read by the final pause; the one after it is never read.
    const RunResult r = runGame(story, TO_FINAL_ROOM + c.lines + "\nlook\n");
    EXPECT_EQ(r.out, UP_TO_FINAL_ROOM + c.play + FAREWELL);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.status, 0);
  }
}

TEST(Finale, EmptyEndingLinesPrintOnlyTheFourNewlines) {
  const std::string story = finaleStoryText(false);
  for (const std::string line : {"look\n", "shoot\n"}) {
    SCOPED_TRACE("line: " + line);
    const RunResult r = runGame(story, TO_FINAL_ROOM + line + "\n");
    EXPECT_EQ(r.out, UP_TO_FINAL_ROOM + "\n\n\n\n\n" + FAREWELL);
    EXPECT_EQ(r.status, 0);
  }
}

}  // namespace
