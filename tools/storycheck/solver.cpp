#include "storycheck/solver.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <deque>
#include <ostream>
#include <unordered_map>

#include "game/player.h"
#include "support/console.h"
#include "support/stack.h"

namespace {

// One game state. Room items are bit sets indexed by 4 * posX + posY; only the aliens that can
// change (those that can be shot) are kept, in `aliens` order.
struct State {
  int32_t posX = START_X;
  int32_t posY = START_Y;
  int32_t health = START_HEALTH;
  int32_t keyLevel = START_KEY_LEVEL;
  int32_t damage = START_DAMAGE;
  int32_t medpacs = 0;
  uint32_t keys = 0;
  uint32_t medpacsLeft = 0;
  uint32_t rifles = 0;
  std::vector<int32_t> alienHealth;

  std::string key() const {
    std::string k(sizeof(int32_t) * (6 + alienHealth.size()) + sizeof(uint32_t) * 3, '\0');
    char* p = k.data();
    for (int32_t v : {posX, posY, health, keyLevel, damage, medpacs}) {
      std::memcpy(p, &v, sizeof v);
      p += sizeof v;
    }
    for (uint32_t v : {keys, medpacsLeft, rifles}) {
      std::memcpy(p, &v, sizeof v);
      p += sizeof v;
    }
    for (int32_t v : alienHealth) {
      std::memcpy(p, &v, sizeof v);
      p += sizeof v;
    }
    return k;
  }
};

uint32_t bit(int32_t x, int32_t y) { return uint32_t{1} << (x * MAP_HEIGHT + y); }

// The commands the search tries, in the order it tries them.
const char* const COMMANDS[] = {"north",       "south",      "east",       "west", "take key",
                                "take medpac", "take rifle", "use medpac", "shoot"};

// Carries out the rooms' operations on copies of the story's rooms without their texts, with
// the output thrown away.
class Searcher {
 public:
  explicit Searcher(const Story& story) : sink_(nullptr), console_(sink_, sink_) {
    for (int32_t x = 0; x < MAP_WIDTH; ++x) {
      for (int32_t y = 0; y < MAP_HEIGHT; ++y) {
        Room& room = rooms_[x][y];
        room = story.rooms[x][y];
        room.description.clear();
        room.lookText.clear();
        room.commText.clear();
        alienIndex_[x][y] = -1;
        // An alien that cannot be shot never changes, so the record itself keeps it.
        if (room.hasAlien && room.alienHealth > 0) {
          alienIndex_[x][y] = static_cast<int>(start_.alienHealth.size());
          start_.alienHealth.push_back(room.alienHealth);
        }
        if (room.hasKey) start_.keys |= bit(x, y);
        if (room.hasMedpac) start_.medpacsLeft |= bit(x, y);
        if (room.hasRifle) start_.rifles |= bit(x, y);
      }
    }
  }

  const State& start() const { return start_; }

  // Applies `command` to `state` in place through the current room's own operation.
  void apply(State& state, const std::string& command) {
    Room room = rooms_[state.posX][state.posY];
    const uint32_t here = bit(state.posX, state.posY);
    const int alien = alienIndex_[state.posX][state.posY];
    room.hasKey = (state.keys & here) != 0;
    room.hasMedpac = (state.medpacsLeft & here) != 0;
    room.hasRifle = (state.rifles & here) != 0;
    if (alien >= 0) room.alienHealth = state.alienHealth[alien];
    Stack inventory(console_);
    for (int32_t i = 0; i < state.medpacs; ++i) inventory.push("medpac");

    if (command == "shoot") {
      room.shoot(state.damage, state.health, console_);
    } else if (command.rfind("take ", 0) == 0) {
      room.take(command.substr(5), inventory, state.keyLevel, state.damage, console_);
    } else if (command.rfind("use ", 0) == 0) {
      room.use(command.substr(4), inventory, state.health, console_);
    } else {
      room.move(command, state.keyLevel, state.posX, state.posY, console_);
    }

    state.medpacs = inventory.size();
    state.keys = room.hasKey ? state.keys | here : state.keys & ~here;
    state.medpacsLeft = room.hasMedpac ? state.medpacsLeft | here : state.medpacsLeft & ~here;
    state.rifles = room.hasRifle ? state.rifles | here : state.rifles & ~here;
    if (alien >= 0) state.alienHealth[alien] = room.alienHealth;
  }

 private:
  std::ostream sink_;
  Console console_;
  Room rooms_[MAP_WIDTH][MAP_HEIGHT];
  int alienIndex_[MAP_WIDTH][MAP_HEIGHT];
  State start_;
};

struct Node {
  State state;
  size_t parent;
  const char* command;
};

}  // namespace

SearchResult searchStory(const Story& story) {
  SearchResult result;
  Searcher searcher(story);
  std::vector<Node> nodes;
  std::unordered_map<std::string, size_t> seen;
  nodes.push_back({searcher.start(), 0, nullptr});
  seen.emplace(searcher.start().key(), 0);
  size_t goal = SIZE_MAX;

  for (size_t current = 0; current < nodes.size(); ++current) {
    const State state = nodes[current].state;
    result.roomReached[state.posX][state.posY] = true;
    if (goal == SIZE_MAX && state.posX == FINAL_X && state.posY == FINAL_Y) goal = current;
    for (const char* command : COMMANDS) {
      // A medpac used at full health only wastes it.
      if (std::strcmp(command, "use medpac") == 0 && state.health >= MEDPAC_CEILING) continue;
      // In the final room shoot ends the game with ending line 2: its alien is never shot.
      if (std::strcmp(command, "shoot") == 0 && state.posX == FINAL_X && state.posY == FINAL_Y) {
        continue;
      }
      State next = state;
      searcher.apply(next, command);
      if (next.health <= 0) continue;  // the player dies after this command
      const bool tookRifle = (state.rifles & ~next.rifles) != 0;
      if (tookRifle) result.rifleTaken[state.posX][state.posY] = true;
      if (next.rifles != 0 && state.keyLevel <= RIFLE_KEY_LEVEL &&
          next.keyLevel > RIFLE_KEY_LEVEL) {
        result.keyPassesRifle[state.posX][state.posY] = true;
      }
      std::string key = next.key();
      if (seen.count(key) != 0) continue;
      if (nodes.size() >= SEARCH_STATE_LIMIT) {
        result.incomplete = true;
        continue;
      }
      seen.emplace(std::move(key), nodes.size());
      nodes.push_back({std::move(next), current, command});
    }
  }
  result.statesSeen = nodes.size();
  if (goal != SIZE_MAX) {
    result.finalRoomReached = true;
    for (size_t n = goal; n != 0; n = nodes[n].parent)
      result.walkthrough.push_back(nodes[n].command);
    std::reverse(result.walkthrough.begin(), result.walkthrough.end());
  }
  return result;
}
