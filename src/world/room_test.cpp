#include "world/room.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>

#include "support/console.h"
#include "support/stack.h"

namespace {

// A console over two string streams and the player's pack.
struct Streams {
  std::ostringstream out;
  std::ostringstream err;
  Console console{out, err};
  Stack inventory{console};
};

TEST(Room, StartsWithFlagsFalseNumbersZeroAndTextsEmpty) {
  const Room r;
  for (const bool flag : {r.searched, r.hasAlien, r.hasCommStation, r.hasMedpac, r.hasRifle,
                          r.hasKey, r.exitNorth, r.exitSouth, r.exitEast, r.exitWest}) {
    EXPECT_FALSE(flag);
  }
  for (const int32_t number : {r.alienHealth, r.keyNorth, r.keySouth, r.keyEast, r.keyWest}) {
    EXPECT_EQ(number, 0);
  }
  EXPECT_EQ(r.description, "");
  EXPECT_EQ(r.lookText, "");
  EXPECT_EQ(r.commText, "");
}

TEST(Room, MoveNeverLeavesTheMapWhateverTheExitFlags) {
  struct Case {
    int32_t x, y;
    const char* direction;
  };
  const Case cases[] = {{2, 0, "north"}, {0, 0, "north"}, {0, 0, "west"}, {1, 3, "south"},
                        {4, 3, "south"}, {4, 3, "east"},  {4, 2, "east"}, {0, 1, "west"}};
  for (const int32_t key : {0, 9}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.direction) + " from [" + std::to_string(c.x) + "][" +
                   std::to_string(c.y) + "], key value " + std::to_string(key));
      Room room;
      room.exitNorth = room.exitSouth = room.exitEast = room.exitWest = true;
      room.keyNorth = room.keySouth = room.keyEast = room.keyWest = key;
      Streams s;
      int32_t x = c.x, y = c.y;
      room.move(c.direction, 1, x, y, s.console);
      EXPECT_EQ(x, c.x);
      EXPECT_EQ(y, c.y);
      EXPECT_EQ(s.out.str(), "There is no exit that way.\n\n");
      EXPECT_EQ(s.err.str(), "");
    }
  }
}

TEST(Room, MoveOnTheMapChangesOneCoordinateByOne) {
  struct Case {
    const char* direction;
    int32_t x, y;  // from [2][1]
  };
  const Case cases[] = {{"north", 2, 0}, {"south", 2, 2}, {"east", 3, 1}, {"west", 1, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.direction);
    Room room;
    room.exitNorth = room.exitSouth = room.exitEast = room.exitWest = true;
    Streams s;
    int32_t x = 2, y = 1;
    room.move(c.direction, 1, x, y, s.console);
    EXPECT_EQ(x, c.x);
    EXPECT_EQ(y, c.y);
    EXPECT_EQ(s.out.str(), "");
  }
}

TEST(Room, TakeMedpacIntoAFullPackLeavesItInTheRoom) {
  Room room;
  room.hasMedpac = true;
  Streams s;
  for (int i = 0; i < STACK_CAPACITY; ++i) s.inventory.push("medpac");
  int32_t keyLevel = 1, damage = 2;
  room.take("medpac", s.inventory, keyLevel, damage, s.console);
  EXPECT_EQ(s.out.str(), "Your pack is full, so you leave the MedPac where it is.\n\n");
  EXPECT_EQ(s.err.str(), "");
  EXPECT_TRUE(room.hasMedpac);
  EXPECT_EQ(s.inventory.size(), STACK_CAPACITY);

  s.inventory.pop();
  s.out.str("");
  room.take("medpac", s.inventory, keyLevel, damage, s.console);
  EXPECT_EQ(s.out.str(), "You put the MedPac in your pack\n\n");
  EXPECT_FALSE(room.hasMedpac);
  EXPECT_EQ(s.inventory.size(), STACK_CAPACITY);
  EXPECT_EQ(s.err.str(), "");
}

TEST(Room, LookMarksTheRoomSearchedWhetherOrNotTheClosetOpens) {
  for (const int32_t keyLevel : {1, 3}) {
    SCOPED_TRACE("key level " + std::to_string(keyLevel));
    Room room;
    room.hasRifle = true;
    room.lookText = "Look. ";
    Streams s;
    room.look(keyLevel, s.console);
    EXPECT_TRUE(room.searched);
    EXPECT_TRUE(room.hasRifle);
    EXPECT_FALSE(room.hasMedpac);
    EXPECT_EQ(
        s.out.str(),
        keyLevel == 3
            ? " The small closet opens and inside you see a concussion rifle and a medpac!!\n\n"
            : "Look.\n\n");
  }
}

TEST(Room, TakeRifleSetsDamageToFourEvenFromHigher) {
  Room room;
  room.hasRifle = true;
  Streams s;
  int32_t keyLevel = 3, damage = 12;
  room.take("rifle", s.inventory, keyLevel, damage, s.console);
  EXPECT_EQ(damage, 4);
  EXPECT_EQ(keyLevel, 3);
  EXPECT_FALSE(room.hasRifle);
  EXPECT_EQ(s.out.str(),
            "With your new cuncussion rifle you now do twice the damage as before\n\n");
}

TEST(Room, KeyRaisesAnyLevelByOne) {
  Room room;
  room.hasKey = true;
  Streams s;
  int32_t keyLevel = 41, damage = 2;
  room.take("key", s.inventory, keyLevel, damage, s.console);
  EXPECT_EQ(keyLevel, 42);
  EXPECT_FALSE(room.hasKey);
  EXPECT_EQ(s.out.str(), "You now have a level 42 key.\n\n");
}

TEST(Room, MedpacIsUsedUpEvenAtFullHealth) {
  Room room;
  Streams s;
  s.inventory.push("medpac");
  s.inventory.push("medpac");
  int32_t health = 15;
  room.use("medpac", s.inventory, health, s.console);
  EXPECT_EQ(health, 15);
  EXPECT_EQ(s.inventory.size(), 1);
  EXPECT_EQ(s.out.str(), "Health: 15\n");
  EXPECT_EQ(s.err.str(), "");
}

}  // namespace
