#ifndef DERELICT_WORLD_STORY_H_
#define DERELICT_WORLD_STORY_H_

#include <string>

#include "world/room.h"
#include "world/story_file.h"

// The name by which the game opens its story file in the working directory.
inline constexpr const char* STORY_FILE_NAME = "Display.txt";
// A larger story file is refused unread; a real story is a few KiB.
inline constexpr size_t STORY_SIZE_LIMIT = 16 * 1024 * 1024;

// Where each value of a room record stands in the story file: the line of each field, in the
// order of Room::Field.
struct RecordLines {
  int field[Room::FIELD_COUNT] = {};
};

// Everything a story file holds: two introduction lines, the 20 rooms indexed rooms[posX][posY],
// and the two ending lines, with the line on which each of them stands.
struct Story {
  std::string introduction[2];
  Room rooms[MAP_WIDTH][MAP_HEIGHT];
  std::string endings[2];

  int introductionLines[2] = {};
  RecordLines roomLines[MAP_WIDTH][MAP_HEIGHT];
  int endingLines[2] = {};
};

// Reads a whole story from `storyFile` into `story` and checks that every exit stays on the
// map. Returns false when the story is refused; storyFile.error() then says why and where.
bool readStory(StoryFile& storyFile, Story& story);

// Reads the story held in `text`, naming it `name` in messages. Returns false, with `error` set
// to one "NAME:LINE: ..." line, when `text` holds no valid story.
bool parseStory(const std::string& name, std::string text, Story& story, std::string& error);

// Reads the file at `path` whole and then the story in it (parseStory), naming the file `name` in
// messages. Returns false, with `error` set to one "NAME:LINE: ..." or "NAME: ..." line, when the
// file cannot be read, is larger than STORY_SIZE_LIMIT or holds no valid story.
bool loadStory(const std::string& path, const std::string& name, Story& story, std::string& error);

#endif  // DERELICT_WORLD_STORY_H_
