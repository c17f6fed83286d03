#include "support/story_text.h"

#include <sstream>

std::string storyText(const Story& story) {
  std::ostringstream text;
  text << story.introduction[0] << '\n' << story.introduction[1] << '\n';
  for (int x = 0; x < MAP_WIDTH; ++x) {
    for (int y = 0; y < MAP_HEIGHT; ++y) {
      const Room& r = story.rooms[x][y];
      text << r.description << '\n' << r.lookText << '\n';
      text << r.searched << ' ' << r.hasAlien << ' ' << r.hasCommStation << ' ' << r.hasMedpac
           << ' ' << r.hasRifle << ' ' << r.hasKey << ' ' << r.exitNorth << ' ' << r.exitSouth
           << ' ' << r.exitEast << ' ' << r.exitWest << '\n';
      text << r.alienHealth << ' ' << r.keyNorth << ' ' << r.keySouth << ' ' << r.keyEast << ' '
           << r.keyWest << '\n';
      text << r.commText << '\n';
    }
  }
  text << story.endings[0] << '\n' << story.endings[1] << '\n';
  return text.str();
}

Story blankStory() { return Story(); }

void openAllPassages(Story& story) {
  for (int x = 0; x < MAP_WIDTH; ++x) {
    for (int y = 0; y < MAP_HEIGHT; ++y) {
      Room& r = story.rooms[x][y];
      r.exitNorth = y > 0;
      r.exitSouth = y < MAP_HEIGHT - 1;
      r.exitEast = x < MAP_WIDTH - 1;
      r.exitWest = x > 0;
    }
  }
}
