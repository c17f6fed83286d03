#include "storycheck/check.h"

#include <algorithm>

#include "game/player.h"
#include "support/wrap.h"

namespace {

std::string roomName(int x, int y) {
  return "room [" + std::to_string(x) + "][" + std::to_string(y) + "]";
}

// Adds a finding for each way in which `text` breaks the rules that printing relies on.
void checkText(std::vector<Finding>& findings, const std::string& text, int line,
               const std::string& what) {
  if (text.empty()) return;
  if (text.back() != ' ') {
    findings.push_back({line, what + " does not end in a space, so its last line will not print "
                                     "as written"});
  } else if (text.size() == 1 || text[text.size() - 2] == ' ') {
    findings.push_back({line, what + " ends in more than one space, or is only a space"});
  }
  size_t wordStart = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || text[i] == ' ') {
      if (i - wordStart > WRAP_WIDTH - 1) {
        findings.push_back({line, what + " has a word of " + std::to_string(i - wordStart) +
                                      " characters; words must have at most " +
                                      std::to_string(WRAP_WIDTH - 1)});
        return;
      }
      wordStart = i + 1;
    }
  }
}

struct Way {
  const char* name;
  bool Room::*exit;
  int field;
  int dx;
  int dy;
  const char* back;
  bool Room::*backExit;
};

const Way WAYS[] = {
    {"north", &Room::exitNorth, Room::EXIT_NORTH, 0, -1, "south", &Room::exitSouth},
    {"south", &Room::exitSouth, Room::EXIT_SOUTH, 0, 1, "north", &Room::exitNorth},
    {"east", &Room::exitEast, Room::EXIT_EAST, 1, 0, "west", &Room::exitWest},
    {"west", &Room::exitWest, Room::EXIT_WEST, -1, 0, "east", &Room::exitEast},
};

}  // namespace

std::vector<Finding> checkStory(const Story& story, const SearchResult& search) {
  std::vector<Finding> findings;
  for (int i = 0; i < 2; ++i) {
    checkText(findings, story.introduction[i], story.introductionLines[i],
              "introduction line " + std::to_string(i + 1));
    checkText(findings, story.endings[i], story.endingLines[i],
              "ending line " + std::to_string(i + 1));
  }
  for (int x = 0; x < MAP_WIDTH; ++x) {
    for (int y = 0; y < MAP_HEIGHT; ++y) {
      const Room& room = story.rooms[x][y];
      const int* lines = story.roomLines[x][y].field;
      const std::string name = roomName(x, y);
      const bool finalRoom = x == FINAL_X && y == FINAL_Y;
      checkText(findings, room.description, lines[Room::DESCRIPTION], "the description of " + name);
      // The final room's look text and a commText without a CommStation are never shown.
      if (!finalRoom) {
        checkText(findings, room.lookText, lines[Room::LOOK_TEXT], "the lookText of " + name);
      }
      if (room.hasCommStation) {
        checkText(findings, room.commText, lines[Room::COMM_TEXT], "the commText of " + name);
      }
      for (const Way& way : WAYS) {
        if (!(room.*way.exit)) continue;
        const int nx = x + way.dx;
        const int ny = y + way.dy;
        if (!(story.rooms[nx][ny].*way.backExit)) {
          findings.push_back({lines[way.field], "the passage " + std::string(way.name) + " from " +
                                                    name + " to " + roomName(nx, ny) +
                                                    " is one-way: " + roomName(nx, ny) +
                                                    " has no exit " + way.back});
        }
      }
      if (!room.hasAlien && room.alienHealth > 0) {
        findings.push_back({lines[Room::ALIEN_HEALTH],
                            name + " has an alien of strength " + std::to_string(room.alienHealth) +
                                " that cannot be shot (hasAlien is 0): it traps the player"});
      }
      if (room.hasAlien && room.alienHealth <= 0) {
        findings.push_back({lines[Room::ALIEN_HEALTH],
                            name + " has an alien that is dead from the start (alienHealth " +
                                std::to_string(room.alienHealth) + ")"});
      }
      if (!search.roomReached[x][y] && !search.incomplete) {
        findings.push_back(
            {lines[Room::DESCRIPTION], (finalRoom ? "the final room, " + name + "," : name) +
                                           " can never be reached from the start room"});
      }
      if (room.hasRifle && !search.rifleTaken[x][y] && !search.incomplete) {
        findings.push_back({lines[Room::HAS_RIFLE], "the rifle in " + name +
                                                        " can never be taken (it needs a level " +
                                                        std::to_string(RIFLE_KEY_LEVEL) + " key)"});
      }
      if (search.keyPassesRifle[x][y]) {
        findings.push_back({lines[Room::HAS_KEY], "the key in " + name +
                                                      " can raise the key level beyond " +
                                                      std::to_string(RIFLE_KEY_LEVEL) +
                                                      " while the rifle is still in its closet"});
      }
    }
  }
  if (search.incomplete) {
    findings.push_back({story.roomLines[START_X][START_Y].field[Room::DESCRIPTION],
                        "the search stopped after " + std::to_string(search.statesSeen) +
                            " game states; reachability was not checked"});
  }
  std::stable_sort(findings.begin(), findings.end(),
                   [](const Finding& a, const Finding& b) { return a.line < b.line; });
  return findings;
}
