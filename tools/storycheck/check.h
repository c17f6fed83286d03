#ifndef DERELICT_TOOLS_STORYCHECK_CHECK_H_
#define DERELICT_TOOLS_STORYCHECK_CHECK_H_

#include <string>
#include <vector>

#include "storycheck/solver.h"
#include "world/story.h"

// One finding about a story file, at a line of it.
struct Finding {
  int line = 0;
  std::string message;
};

// The warnings about a story the game accepts, in the order of the lines they name: texts that
// print badly, one-way passages, rooms that trap the player, aliens dead from the start, and
// what the search found: rooms never reached, rifles never taken, keys that pass the rifle's
// level before it is taken, an unreachable final room.
std::vector<Finding> checkStory(const Story& story, const SearchResult& search);

#endif  // DERELICT_TOOLS_STORYCHECK_CHECK_H_
