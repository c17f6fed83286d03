#ifndef DERELICT_WORLD_ROOM_H_
#define DERELICT_WORLD_ROOM_H_

#include <cstdint>
#include <string>

#include "support/console.h"
#include "support/stack.h"
#include "world/story_file.h"

// The map is MAP_WIDTH rooms from west to east (posX) by MAP_HEIGHT from north to south (posY).
inline constexpr int32_t MAP_WIDTH = 5;
inline constexpr int32_t MAP_HEIGHT = 4;

// The rifle's damage and the exact key level at which its closet opens and it can be taken.
inline constexpr int32_t RIFLE_DAMAGE = 4;
inline constexpr int32_t RIFLE_KEY_LEVEL = 3;
// What one medpac heals, and the most health it can bring.
inline constexpr int32_t MEDPAC_HEALING = 10;
inline constexpr int32_t MEDPAC_CEILING = 15;

// One location of the ship, as its record in the story file describes it, and everything it
// does when the player acts in it. A room keeps no reference to the player: each operation
// receives the pieces of player state it may read or change, and reports every outcome by
// printing to the console it is given.
class Room {
 public:
  // The values of one record, in the order `read` takes them from the story file.
  enum Field {
    DESCRIPTION,
    LOOK_TEXT,
    SEARCHED,
    HAS_ALIEN,
    HAS_COMM_STATION,
    HAS_MEDPAC,
    HAS_RIFLE,
    HAS_KEY,
    EXIT_NORTH,
    EXIT_SOUTH,
    EXIT_EAST,
    EXIT_WEST,
    ALIEN_HEALTH,
    KEY_NORTH,
    KEY_SOUTH,
    KEY_EAST,
    KEY_WEST,
    COMM_TEXT,
    FIELD_COUNT
  };

  Room() = default;

  // Consumes one record (description, lookText, ten flags, five integers, the rest of that
  // line, commText) from `storyFile` and stores it. After a failed read, stores nothing more.
  void read(StoryFile& storyFile);

  // Prints the arrival text: the built-in encounter for alienHealth 12, 8 or 4, otherwise the
  // description, wrapped.
  void enter(Console& console) const;
  // Marks the room searched; prints the open rifle closet at key level 3 while the rifle is
  // here, otherwise the lookText, wrapped.
  void look(int32_t keyLevel, Console& console);
  // Prints the list of commands, followed by no end of line.
  void help(Console& console) const;
  // Takes `item` if the room has it (a key raises keyLevel, a medpac goes into inventory, the
  // rifle sets damage) and prints the outcome.
  void take(std::string item, Stack& inventory, int32_t& keyLevel, int32_t& damage,
            Console& console);
  // Uses `item`: "comm" prints the CommStation's commText, "medpac" heals from inventory.
  void use(std::string item, Stack& inventory, int32_t& health, Console& console);
  // Shoots the room's alien, lets it strike back at health and prints the status; prints the
  // kill message once the alien is dead, or that there is nothing to shoot.
  void shoot(int32_t damage, int32_t& health, Console& console);
  // Moves one room that way if the exit exists, keyLevel opens it and no living alien blocks
  // it; prints nothing on success and the reason otherwise. Never leaves the map.
  void move(std::string direction, int32_t keyLevel, int32_t& posX, int32_t& posY,
            Console& console) const;

  // The record, in the order of the story file.
  bool searched = false;
  bool hasAlien = false;
  bool hasCommStation = false;
  bool hasMedpac = false;
  bool hasRifle = false;
  bool hasKey = false;
  bool exitNorth = false;
  bool exitSouth = false;
  bool exitEast = false;
  bool exitWest = false;
  std::string description;
  std::string lookText;
  std::string commText;
  int32_t alienHealth = 0;
  int32_t keyNorth = 0;
  int32_t keySouth = 0;
  int32_t keyEast = 0;
  int32_t keyWest = 0;
};

#endif  // DERELICT_WORLD_ROOM_H_
