// Transcripts of what rooms do when the player acts in them: arrival texts, look and help, taking
// and using items, shooting and moving. Each game starts in rooms[2][3], which the test stocks
// with the things under test; both introduction lines are empty.
#include <gtest/gtest.h>

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

// What the introduction writes when both of its lines are empty.
const std::string INTRODUCTION = game_text::CONTINUE_PROMPT + "\n\n\n\n";

// Plays `exchanges` in `story`, from the start room whose arrival text is `arrival`. Without
// `ending` the player types "exit" afterwards; with it, the game must end by itself after the
// last command and write `ending` before the farewell.
void expectGame(const Story& story, const std::string& arrival,
                const std::vector<Exchange>& exchanges,
                const std::optional<std::string>& ending = std::nullopt) {
  const RunResult r = runGame(storyText(story), scriptInput(exchanges));
  EXPECT_EQ(r.out, INTRODUCTION + scriptOutput(arrival, exchanges, ending));
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.status, 0);
}

// A story whose rooms are joined both ways, each of the start room's neighbours named by its
// description, and the start room set up by `setUp`.
Story mapWithStart(const std::function<void(Room&)>& setUp) {
  Story story = blankStory();
  openAllPassages(story);
  story.rooms[2][3].description = "Start. ";
  story.rooms[2][2].description = "North. ";
  story.rooms[3][3].description = "East. ";
  story.rooms[1][3].description = "West. ";
  setUp(story.rooms[2][3]);
  return story;
}

// --- Arrival ---------------------------------------------------------------------------------

TEST(RoomArrival, AlienStrengthTwelveEightOrFourShowsAnEncounterWhateverTheAlienFlag) {
  struct Case {
    int alienHealth;
    bool hasAlien;
    const std::string& text;
  };
  const Case cases[] = {{12, true, MOTHER_ALIEN}, {12, false, MOTHER_ALIEN},
                        {8, true, LARGE_ALIEN},   {8, false, LARGE_ALIEN},
                        {4, true, SMALL_ALIEN},   {4, false, SMALL_ALIEN}};
  for (const Case& c : cases) {
    SCOPED_TRACE("alienHealth " + std::to_string(c.alienHealth) + ", hasAlien " +
                 std::to_string(c.hasAlien));
    const Story story = mapWithStart([&](Room& r) {
      r.alienHealth = c.alienHealth;
      r.hasAlien = c.hasAlien;
    });
    expectGame(story, c.text, {});
  }
}

TEST(RoomArrival, OtherAlienStrengthsShowTheDescription) {
  for (const int alienHealth : {10, 3, 0, -2}) {
    SCOPED_TRACE("alienHealth " + std::to_string(alienHealth));
    const Story story = mapWithStart([&](Room& r) {
      r.alienHealth = alienHealth;
      r.hasAlien = true;
    });
    expectGame(story, "Start.\n\n", {});
  }
}

TEST(RoomArrival, LongRoomTextsWrapAtTheRightmostSpace) {
  // Spaces at positions 39, 79 and 90 of the description: its first line holds 79 characters.
  const std::string a(39, 'a'), b(39, 'b'), c(10, 'c');
  // The lookText's rightmost space within reach of its start is at position 78.
  const std::string x(78, 'x');
  const Story story = mapWithStart([&](Room& r) {
    r.description = a + " " + b + " " + c + " ";
    r.lookText = x + " yy ";
  });
  expectGame(story, a + " " + b + "\n\n" + c + "\n\n", {{"look", x + "\n\nyy\n\n"}});
}

TEST(RoomArrival, ReturningAfterTheAlienIsKilledShowsTheDescription) {
  Story story = mapWithStart([](Room&) {});
  story.rooms[2][2].hasAlien = true;
  story.rooms[2][2].alienHealth = 4;
  expectGame(story, "Start.\n\n",
             {{"north", SMALL_ALIEN},
              {"south", CUT_OFF},
              {"shoot", shotStatus(13, 2)},
              {"shoot", killingShot(13, 0)},
              {"south", "Start.\n\n"},
              {"north", "North.\n\n"}});
}

// --- look and help ---------------------------------------------------------------------------

TEST(RoomLook, RifleClosetOpensOnlyAtKeyLevelExactlyThree) {
  struct Case {
    const char* name;
    std::vector<Exchange> exchanges;
  };
  const Case cases[] = {
      {"key level 1", {{"look", "Look.\n\n"}, {"take rifle", NO_GUN}, {"look", "Look.\n\n"}}},
      {"key level 2, then 3",
       {{"take key", newKey(2)},
        {"look", "Look.\n\n"},
        {"take rifle", NO_GUN},
        {"vorzk", FULL_EQUIPMENT},
        {"look", CLOSET},
        {"take rifle", RIFLE_TAKEN}}},
      {"key level 3 until the rifle is taken",
       {{"vorzk", FULL_EQUIPMENT},
        {"look", CLOSET},
        {"look", CLOSET},
        {"take rifle", RIFLE_TAKEN},
        {"look", "Look.\n\n"},
        {"take rifle", NO_GUN},
        {"inventory", inventoryReport(10, 3, "concussion rifle")}}},
      {"key level 4",
       {{"vorzk", FULL_EQUIPMENT},
        {"take key", newKey(4)},
        {"look", "Look.\n\n"},
        {"take rifle", NO_GUN},
        {"inventory", inventoryReport(10, 4, "hyper-destroyer")}}},
  };
  const Story story = mapWithStart([](Room& r) {
    r.lookText = "Look. ";
    r.hasRifle = true;
    r.hasKey = true;
  });
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    expectGame(story, "Start.\n\n", c.exchanges);
  }
}

TEST(RoomHelp, SameListInEveryRoomWithNoEndOfLine) {
  const Story story = mapWithStart([](Room&) {});
  expectGame(story, "Start.\n\n",
             {{"help", HELP}, {"north", "North.\n\n"}, {"help", HELP}, {"look", ""}});
}

// --- take ------------------------------------------------------------------------------------

TEST(TakeItem, AnswersByTheExactItemWordAndWhatTheRoomHolds) {
  struct Case {
    const char* name;
    bool stocked;  // the room holds a key, a medpac and the rifle, beside a living alien
    std::vector<Exchange> exchanges;
  };
  const Case cases[] = {
      {"a key raises the level once",
       true,
       {{"take key", newKey(2)},
        {"take key", NO_KEY},
        {"inventory", inventoryReport(0, 2, "blaster pistol")}}},
      {"a medpac goes into the pack once",
       true,
       {{"take medpac", MEDPAC_TAKEN},
        {"take medpac", NO_MEDPAC},
        {"inventory", inventoryReport(1, 1, "blaster pistol")}}},
      {"things that cannot be carried, again and again",
       true,
       {{"take book", DULL_READING},
        {"take magazine", DULL_READING},
        {"take book", DULL_READING},
        {"take egg", HEAVY_EGG},
        {"take egg", HEAVY_EGG}}},
      {"words that are not exactly an item word",
       true,
       {{"take Key", CANNOT_TAKE},
        {"take key ", CANNOT_TAKE},
        {"take keys", CANNOT_TAKE},
        {"take Medpac", CANNOT_TAKE},
        {"take medpac ", CANNOT_TAKE},
        {"take rifles", CANNOT_TAKE},
        {"take Book", CANNOT_TAKE},
        {"take eggs", CANNOT_TAKE},
        {"take ", CANNOT_TAKE},
        {"takekey", CANNOT_TAKE},
        {"take comm", CANNOT_TAKE},
        {"inventory", inventoryReport(0, 1, "blaster pistol")},
        {"take key", newKey(2)}}},
      {"the fifth character is dropped whatever it is",
       true,
       {{"take-key", newKey(2)}, {"take_medpac", MEDPAC_TAKEN}}},
      {"an empty room",
       false,
       {{"take key", NO_KEY},
        {"take medpac", NO_MEDPAC},
        {"take rifle", NO_GUN},
        {"vorzk", FULL_EQUIPMENT},
        {"take rifle", NO_GUN},
        {"inventory", inventoryReport(10, 3, "hyper-destroyer")}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Story story = mapWithStart([&](Room& r) {
      r.hasKey = r.hasMedpac = r.hasRifle = r.hasAlien = c.stocked;
      r.alienHealth = c.stocked ? 10 : 0;
    });
    expectGame(story, "Start.\n\n", c.exchanges);
  }
}

TEST(TakeItem, FullPackLeavesTheMedpacInTheRoom) {
  const Story story = mapWithStart([](Room& r) { r.hasMedpac = true; });
  expectGame(story, "Start.\n\n",
             {{"vorzk", FULL_EQUIPMENT},
              {"vorzk", FULL_EQUIPMENT},
              {"take medpac", PACK_FULL},
              {"take medpac", PACK_FULL},
              {"inventory", inventoryReport(20, 3, "hyper-destroyer")},
              {"use medpac", healed(15)},
              {"take medpac", MEDPAC_TAKEN},
              {"take medpac", NO_MEDPAC},
              {"inventory", inventoryReport(20, 3, "hyper-destroyer")}});
}

// --- use -------------------------------------------------------------------------------------

TEST(UseItem, CommStationAndWordsThatMatchNothing) {
  struct Case {
    const char* name;
    bool hasCommStation;
    const char* commText;
    std::vector<Exchange> exchanges;
  };
  const std::string longComm = std::string(60, 'm') + " " + std::string(30, 'n') + " ";
  const Case cases[] = {
      {"a CommStation prints its text every time",
       true,
       "Comm text.  Over. ",
       {{"use comm", "Comm text.  Over.\n\n"}, {"use comm", "Comm text.  Over.\n\n"}}},
      {"a long CommStation text wraps",
       true,
       longComm.c_str(),
       {{"use comm", std::string(60, 'm') + "\n\n" + std::string(30, 'n') + "\n\n"}}},
      {"an empty CommStation text prints nothing", true, "", {{"use comm", ""}, {"look", ""}}},
      {"no CommStation, whatever the text", false, "Comm text. ", {{"use comm", NO_COMM_STATION}}},
      {"words that are not exactly an item word",
       true,
       "Comm text. ",
       {{"use Comm", CANNOT_USE},
        {"use comm ", CANNOT_USE},
        {"use key", CANNOT_USE},
        {"use rifle", CANNOT_USE},
        {"use medpacs", CANNOT_USE},
        {"use ", CANNOT_USE},
        {"usecomm", CANNOT_USE},
        {"use-comm", "Comm text.\n\n"}}},
      {"a medpac with an empty pack",
       false,
       "",
       {{"use medpac", NO_MEDPACS_HELD},
        {"use medpac", NO_MEDPACS_HELD},
        {"inventory", inventoryReport(0, 1, "blaster pistol")}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Story story = mapWithStart([&](Room& r) {
      r.hasCommStation = c.hasCommStation;
      r.commText = c.commText;
    });
    expectGame(story, "Start.\n\n", c.exchanges);
  }
}

TEST(UseItem, MedpacHealsByTenUpToFifteenAndIsUsedUp) {
  struct Case {
    const char* name;
    int alienHealth;  // of the start room's alien, against the blaster's 2 a shot
    std::vector<Exchange> exchanges;
  };
  const Case cases[] = {
      {"health 3 gives 13",
       100,
       {{"shoot", shotStatus(11, 98)},
        {"shoot", shotStatus(7, 96)},
        {"shoot", shotStatus(3, 94)},
        {"take medpac", MEDPAC_TAKEN},
        {"use medpac", healed(13)},
        {"inventory", inventoryReport(0, 1, "blaster pistol")}}},
      {"health 8 gives 15",
       11,
       {{"shoot", shotStatus(11, 9)},
        {"shoot", shotStatus(8, 7)},
        {"take medpac", MEDPAC_TAKEN},
        {"use medpac", healed(15)},
        {"use medpac", NO_MEDPACS_HELD}}},
      {"health 15 stays 15",
       0,
       {{"take medpac", MEDPAC_TAKEN},
        {"use medpac", healed(15)},
        {"inventory", inventoryReport(0, 1, "blaster pistol")}}},
      {"health 100 comes down to 15",
       0,
       {{"vorzk", FULL_EQUIPMENT},
        {"use medpac", healed(15)},
        {"inventory", inventoryReport(9, 3, "hyper-destroyer")}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Story story = mapWithStart([&](Room& r) {
      r.hasAlien = true;
      r.alienHealth = c.alienHealth;
      r.hasMedpac = true;
    });
    expectGame(story, "Start.\n\n", c.exchanges);
  }
}

// --- shoot -----------------------------------------------------------------------------------

TEST(Shoot, MotherAlienFallsAfterSixBlasterShots) {
  const Story story = mapWithStart([](Room& r) {
    r.hasAlien = true;
    r.alienHealth = 12;
  });
  expectGame(story, MOTHER_ALIEN,
             {{"shoot", shotStatus(11, 10)},
              {"shoot", shotStatus(8, 8)},
              {"shoot", shotStatus(5, 6)},
              {"shoot", shotStatus(3, 4)},
              {"shoot", shotStatus(1, 2)},
              {"shoot", killingShot(1, 0)},
              {"shoot", ALREADY_DEAD}});
}

TEST(Shoot, AlienStrikesBackByItsStrengthAfterTheShot) {
  struct Case {
    int before;  // the alien's strength; a blaster shot takes 2 off it
    std::string reply;
  };
  const Case cases[] = {{11, shotStatus(11, 9)}, {10, shotStatus(12, 8)}, {7, shotStatus(12, 5)},
                        {6, shotStatus(13, 4)},  {3, shotStatus(13, 1)},  {2, killingShot(15, 0)}};
  for (const Case& c : cases) {
    SCOPED_TRACE("alien strength " + std::to_string(c.before));
    const Story story = mapWithStart([&](Room& r) {
      r.hasAlien = true;
      r.alienHealth = c.before;
    });
    expectGame(story, "Start.\n\n", {{"shoot", c.reply}});
  }
}

TEST(Shoot, RifleShotLeavesTheAlienBelowZeroUnclamped) {
  const Story story = mapWithStart([](Room& r) {
    r.hasAlien = true;
    r.alienHealth = 2;
    r.hasRifle = true;
  });
  expectGame(story, "Start.\n\n",
             {{"vorzk", FULL_EQUIPMENT},
              {"take rifle", RIFLE_TAKEN},
              {"shoot", killingShot(100, -2)},
              {"shoot", ALREADY_DEAD}});
}

TEST(Shoot, DeadAlienOrNoAlienFlagChangesNothing) {
  struct Case {
    bool hasAlien;
    int alienHealth;
    const std::string& reply;
  };
  const Case cases[] = {{true, 0, ALREADY_DEAD},
                        {true, -3, ALREADY_DEAD},
                        {false, 10, NOTHING_TO_SHOOT},
                        {false, 0, NOTHING_TO_SHOOT}};
  for (const Case& c : cases) {
    SCOPED_TRACE("hasAlien " + std::to_string(c.hasAlien) + ", alienHealth " +
                 std::to_string(c.alienHealth));
    const Story story = mapWithStart([&](Room& r) {
      r.hasAlien = c.hasAlien;
      r.alienHealth = c.alienHealth;
    });
    expectGame(story, "Start.\n\n", {{"shoot", c.reply}, {"shoot", c.reply}, {"shoot", c.reply}});
  }
}

TEST(Shoot, ShotThatLeavesNoHealthEndsTheGame) {
  struct Case {
    int alienHealth;
    std::vector<Exchange> exchanges;
  };
  const Case cases[] = {
      {15,
       {{"shoot", shotStatus(11, 13)},
        {"shoot", shotStatus(7, 11)},
        {"shoot", shotStatus(3, 9)},
        {"shoot", shotStatus(0, 7)}}},
      {100,
       {{"shoot", shotStatus(11, 98)},
        {"shoot", shotStatus(7, 96)},
        {"shoot", shotStatus(3, 94)},
        {"shoot", shotStatus(-1, 92)}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("alienHealth " + std::to_string(c.alienHealth));
    const Story story = mapWithStart([&](Room& r) {
      r.hasAlien = true;
      r.alienHealth = c.alienHealth;
    });
    expectGame(story, "Start.\n\n", c.exchanges, game_text::DEATH);
  }
}

// --- move ------------------------------------------------------------------------------------

TEST(Move, ExitKeyAndAlienDecideInThatOrder) {
  struct Case {
    const char* name;
    std::function<void(Room&)> setUp;
    std::vector<Exchange> exchanges;
  };
  const Case cases[] = {
      {"no exit flag, even with a too-low key and a living alien",
       [](Room& r) {
         r.exitNorth = false;
         r.keyNorth = 5;
         r.hasAlien = true;
         r.alienHealth = 10;
       },
       {{"north", NO_EXIT}}},
      {"no exit south of the south edge", [](Room&) {}, {{"south", NO_EXIT}}},
      {"each way has its own exit flag",
       [](Room& r) { r.exitNorth = r.exitWest = false; },
       {{"north", NO_EXIT}, {"west", NO_EXIT}, {"east", "East.\n\n"}}},
      {"key too low", [](Room& r) { r.keyEast = 2; }, {{"east", NEED_KEY}, {"east", NEED_KEY}}},
      {"a key equal to the exit's passes",
       [](Room& r) {
         r.keyWest = 2;
         r.hasKey = true;
       },
       {{"west", NEED_KEY}, {"take key", newKey(2)}, {"west", "West.\n\n"}}},
      {"each way has its own key",
       [](Room& r) {
         r.keyNorth = 3;
         r.keyEast = 2;
         r.keyWest = 1;
       },
       {{"north", NEED_KEY}, {"east", NEED_KEY}, {"west", "West.\n\n"}}},
      {"a too-low key and a living alien give only the key message",
       [](Room& r) {
         r.keyNorth = 2;
         r.hasAlien = true;
         r.alienHealth = 10;
       },
       {{"north", NEED_KEY}, {"east", CUT_OFF}}},
      {"a living alien blocks every exit",
       [](Room& r) {
         r.hasAlien = true;
         r.alienHealth = 1;
       },
       {{"north", CUT_OFF}, {"east", CUT_OFF}, {"west", CUT_OFF}, {"south", NO_EXIT}}},
      {"positive alienHealth without the alien flag blocks for good",
       [](Room& r) { r.alienHealth = 10; },
       {{"north", CUT_OFF}, {"shoot", NOTHING_TO_SHOOT}, {"west", CUT_OFF}}},
      {"a dead alien does not block",
       [](Room& r) {
         r.hasAlien = true;
         r.alienHealth = 0;
       },
       {{"north", "North.\n\n"}}},
      {"an alien below zero does not block",
       [](Room& r) {
         r.hasAlien = true;
         r.alienHealth = -2;
       },
       {{"east", "East.\n\n"}}},
      {"a move prints nothing but the new room's arrival, and back",
       [](Room&) {},
       {{"north", "North.\n\n"},
        {"south", "Start.\n\n"},
        {"west", "West.\n\n"},
        {"east", "Start.\n\n"},
        {"east", "East.\n\n"},
        {"west", "Start.\n\n"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    expectGame(mapWithStart(c.setUp), "Start.\n\n", c.exchanges);
  }
}

TEST(Move, KeysAndExitsAreThoseOfTheRoomThePlayerStandsIn) {
  Story story = mapWithStart([](Room&) {});
  story.rooms[2][2].keySouth = 2;  // the way back from the north room needs a key
  story.rooms[2][2].exitNorth = false;
  expectGame(story, "Start.\n\n",
             {{"north", "North.\n\n"}, {"north", NO_EXIT}, {"south", NEED_KEY}});
}

}  // namespace
