#include "world/story.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

namespace {

std::string roomName(int x, int y) {
  return "room [" + std::to_string(x) + "][" + std::to_string(y) + "]";
}

// Refuses an exit that is set in a room on the edge of the map it would lead off.
void checkExit(StoryFile& storyFile, bool exit, bool leavesMap, int line, const char* field, int x,
               int y) {
  if (exit && leavesMap) {
    storyFile.fail(line, std::string(field) + " of " + roomName(x, y) + " leads off the map");
  }
}

}  // namespace

bool readStory(StoryFile& storyFile, Story& story) {
  const char* const introNames[2] = {"introduction line 1", "introduction line 2"};
  for (int i = 0; i < 2; ++i) {
    story.introductionLines[i] = storyFile.line();
    storyFile.readLine(story.introduction[i], introNames[i]);
  }
  for (int x = 0; x < MAP_WIDTH; ++x) {
    for (int y = 0; y < MAP_HEIGHT; ++y) {
      storyFile.setContext(roomName(x, y));
      const size_t first = storyFile.valueLines().size();
      story.rooms[x][y].read(storyFile);
      if (storyFile.failed()) return false;
      for (int f = 0; f < Room::FIELD_COUNT; ++f) {
        story.roomLines[x][y].field[f] = storyFile.valueLines()[first + f];
      }
    }
  }
  storyFile.setContext("");
  const char* const endingNames[2] = {"ending line 1", "ending line 2"};
  for (int i = 0; i < 2; ++i) {
    story.endingLines[i] = storyFile.line();
    storyFile.readLine(story.endings[i], endingNames[i]);
  }
  if (storyFile.failed()) return false;

  for (int x = 0; x < MAP_WIDTH; ++x) {
    for (int y = 0; y < MAP_HEIGHT; ++y) {
      const Room& room = story.rooms[x][y];
      const int* lines = story.roomLines[x][y].field;
      checkExit(storyFile, room.exitNorth, y == 0, lines[Room::EXIT_NORTH], "exitNorth", x, y);
      checkExit(storyFile, room.exitSouth, y == MAP_HEIGHT - 1, lines[Room::EXIT_SOUTH],
                "exitSouth", x, y);
      checkExit(storyFile, room.exitEast, x == MAP_WIDTH - 1, lines[Room::EXIT_EAST], "exitEast", x,
                y);
      checkExit(storyFile, room.exitWest, x == 0, lines[Room::EXIT_WEST], "exitWest", x, y);
    }
  }
  return !storyFile.failed();
}

bool parseStory(const std::string& name, std::string text, Story& story, std::string& error) {
  StoryFile storyFile(name, std::move(text));
  if (!readStory(storyFile, story)) {
    error = storyFile.error();
    return false;
  }
  return true;
}

bool loadStory(const std::string& path, const std::string& name, Story& story, std::string& error) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    error = name + ": cannot open the story file: " + std::strerror(errno);
    return false;
  }
  std::string text;
  char buffer[65536];
  bool tooLarge = false;
  size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
    if (text.size() + got > STORY_SIZE_LIMIT) {
      tooLarge = true;
      break;
    }
    text.append(buffer, got);
  }
  const bool readError = std::ferror(file) != 0;
  const int readErrno = errno;
  std::fclose(file);
  if (tooLarge) {
    error = name + ": the story file is larger than 16 MiB; a story is a few KiB";
    return false;
  }
  if (readError) {
    error = name + ": cannot read the story file: " + std::strerror(readErrno);
    return false;
  }
  return parseStory(name, std::move(text), story, error);
}
