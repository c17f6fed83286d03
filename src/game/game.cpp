#include "game/game.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "game/input.h"
#include "game/player.h"
#include "support/stack.h"
#include "support/wrap.h"

namespace {

// What one command did to the command loop.
enum class Outcome { CONTINUE, FINALE };

// The player's state and the rooms as they change in play; the story's rooms are copied in.
class Game {
 public:
  Game(const Story& story, std::istream& in, Console& console)
      : story_(story), in_(in), console_(console), inventory_(console) {
    for (int32_t x = 0; x < MAP_WIDTH; ++x) {
      for (int32_t y = 0; y < MAP_HEIGHT; ++y) rooms_[x][y] = story.rooms[x][y];
    }
  }

  int play() {
    printWrapped(console_.out(), story_.introduction[0]);
    console_.write("\nPress enter to continue ");
    if (!readLine() || line_.text == "exit") return 0;
    console_.write("\n\n");
    printWrapped(console_.out(), story_.introduction[1]);
    console_.write("\n\n");

    commandLoop();

    if (health_ <= 0) console_.line("\n\nYou feel your life slip away.  You've been killed.");
    console_.line("\nThanks for playing!\n");
    console_.write("\nPress enter to exit ");
    readLine();
    return 0;
  }

 private:
  // Reads the next line of input after flushing the output; false at the end of the input.
  bool readLine() {
    console_.flush();
    return readInputLine(in_, line_);
  }

  Room& currentRoom() { return rooms_[posX_][posY_]; }

  void commandLoop() {
    int32_t turnsInRoom = 0;
    do {
      const int32_t startX = posX_;
      const int32_t startY = posY_;
      if (turnsInRoom == 0) currentRoom().enter(console_);
      // The end of the input is taken as "exit", so the game still ends in good order.
      const bool gotLine = readLine();
      console_.write("\n");
      if (!gotLine || line_.text == "exit") return;
      if (dispatch() == Outcome::FINALE) return;
      ++turnsInRoom;
      if (posX_ != startX || posY_ != startY) turnsInRoom = 0;
    } while (health_ > 0);
  }

  // Runs the first command whose word begins the line, in the order of the command table.
  Outcome dispatch() {
    const std::string& line = line_.text;
    const std::string_view first3 = std::string_view(line).substr(0, 3);
    const std::string_view first4 = std::string_view(line).substr(0, 4);
    const std::string_view first5 = std::string_view(line).substr(0, 5);
    const bool inFinalRoom = posX_ == FINAL_X && posY_ == FINAL_Y;
    Room& room = currentRoom();

    if (first4 == "look" && inFinalRoom) return showEnding(0);
    if (first5 == "shoot" && inFinalRoom) return showEnding(1);
    if (first4 == "look") {
      room.look(keyLevel_, console_);
    } else if (first4 == "east" || first4 == "west") {
      room.move(std::string(first4), keyLevel_, posX_, posY_, console_);
    } else if (first5 == "north" || first5 == "south") {
      room.move(std::string(first5), keyLevel_, posX_, posY_, console_);
    } else if (first5 == "inven") {
      inventoryReport();
    } else if (first5 == "vorzk") {
      fullEquipment();
    } else if (first4 == "take") {
      if (line_.length == 4) {
        console_.line("Please enter and item to take, like \"take medpac\"");
      } else {
        room.take(itemFrom(5), inventory_, keyLevel_, damage_, console_);
      }
    } else if (first4 == "help") {
      room.help(console_);
    } else if (first3 == "use") {
      if (line_.length == 3) {
        console_.line("Please enter and item to use, like \"use medpac\"");
      } else {
        room.use(itemFrom(4), inventory_, health_, console_);
      }
    } else if (first5 == "shoot") {
      room.shoot(damage_, health_, console_);
      console_.write("\n");
    } else {
      console_.line("Not a valid command.\n");
    }
    return Outcome::CONTINUE;
  }

  // The item text of take or use: the line from position `start` on, possibly empty.
  std::string itemFrom(size_t start) const {
    return start < line_.text.size() ? line_.text.substr(start) : std::string();
  }

  void inventoryReport() {
    console_.write("Inventory:\n\n");
    console_.write(inventory_.size());
    console_.write(" medpacs\n\na level ");
    console_.write(keyLevel_);
    console_.write(" key\n\na ");
    if (damage_ == 2) {
      console_.write("blaster pistol\n\n");
    } else if (damage_ == 4) {
      console_.write("concussion rifle\n\n");
    } else {
      console_.write("hyper-destroyer\n\n");
    }
  }

  void fullEquipment() {
    keyLevel_ = 3;
    health_ = 100;
    damage_ = 12;
    for (int i = 0; i < 10; ++i) inventory_.push("medpac");
    console_.write(
        "You now have 100 heath, a level 3 key, 10 medpacs, and a hyper-destroyer that \n\n"
        "kills anything.");
    console_.write("\n\n");
  }

  Outcome showEnding(int endingNumber) {
    console_.write("\n\n\n\n");
    printWrapped(console_.out(), story_.endings[endingNumber]);
    return Outcome::FINALE;
  }

  const Story& story_;
  std::istream& in_;
  Console& console_;
  InputLine line_;
  Room rooms_[MAP_WIDTH][MAP_HEIGHT];
  int32_t health_ = START_HEALTH;
  int32_t posX_ = START_X;
  int32_t posY_ = START_Y;
  int32_t keyLevel_ = START_KEY_LEVEL;
  int32_t damage_ = START_DAMAGE;
  Stack inventory_;
};

}  // namespace

int playGame(const Story& story, std::istream& in, Console& console) {
  Game game(story, in, console);
  return game.play();
}

namespace {

// Plays `story` once it was loaded; otherwise writes the loader's message and returns 1.
int playLoaded(bool loaded, const Story& story, const std::string& error, std::istream& in,
               std::ostream& out, std::ostream& err) {
  if (!loaded) {
    err << error << '\n';
    err.flush();
    return 1;
  }
  Console console(out, err);
  return playGame(story, in, console);
}

}  // namespace

int runDerelict(std::istream& in, std::ostream& out, std::ostream& err) {
  Story story;
  std::string error;
  const bool loaded = loadStory(STORY_FILE_NAME, STORY_FILE_NAME, story, error);
  return playLoaded(loaded, story, error, in, out, err);
}

int runStoryText(const std::string& name, std::string text, std::istream& in, std::ostream& out,
                 std::ostream& err) {
  Story story;
  std::string error;
  const bool loaded = parseStory(name, std::move(text), story, error);
  return playLoaded(loaded, story, error, in, out, err);
}
