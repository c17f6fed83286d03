#ifndef DERELICT_TOOLS_STORYCHECK_SOLVER_H_
#define DERELICT_TOOLS_STORYCHECK_SOLVER_H_

#include <string>
#include <vector>

#include "world/story.h"

// What a search of every game a story allows (without the full-equipment word) found out.
struct SearchResult {
  // The shortest command sequence from the start room to the final room; empty when there is
  // none (see finalRoomReached).
  std::vector<std::string> walkthrough;
  bool finalRoomReached = false;
  // Rooms the player stands in in some game.
  bool roomReached[MAP_WIDTH][MAP_HEIGHT] = {};
  // Rooms whose rifle is taken in some game.
  bool rifleTaken[MAP_WIDTH][MAP_HEIGHT] = {};
  // Rooms whose key, taken in some game while a rifle is still in its closet, raises the key
  // level beyond the rifle's level, so that the rifle can no longer be taken.
  bool keyPassesRifle[MAP_WIDTH][MAP_HEIGHT] = {};
  // True when the search stopped at its limit of states before it had seen every game.
  bool incomplete = false;
  size_t statesSeen = 0;
};

// The most game states the search looks at before it gives up.
inline constexpr size_t SEARCH_STATE_LIMIT = 4'000'000;

// Searches, breadth first, every state the game can reach from the start of `story`: position,
// health, key level, damage, medpacs held, and each room's key, medpac, rifle and alien. Each
// step is one command carried out by the rooms' own operations; the commands tried are the four
// directions, take key, take medpac, take rifle, use medpac and shoot.
SearchResult searchStory(const Story& story);

#endif  // DERELICT_TOOLS_STORYCHECK_SOLVER_H_
