// storycheck: tells a story author whether a story file loads, whether its texts print well,
// and whether the game can be won, and finds the shortest way to the final room.
#include <cstring>
#include <iostream>
#include <string>

#include "storycheck/check.h"
#include "storycheck/solver.h"
#include "world/story.h"

namespace {

constexpr const char* USAGE =
    "usage: storycheck [--walkthrough] [FILE]\n"
    "\n"
    "Checks the story file FILE (default: Display.txt in the working directory) and prints\n"
    "its findings on standard error as FILE:LINE: message, one a line.\n"
    "\n"
    "  --walkthrough  also print the shortest command sequence from the start room to the\n"
    "                 final room on standard output, as an input script for the game\n"
    "  --help         print this help\n"
    "\n"
    "Exit status: 0 no findings, 1 the game would refuse the file, 2 warnings only,\n"
    "64 a usage error.\n";

constexpr int EXIT_CLEAN = 0;
constexpr int EXIT_REFUSED = 1;
constexpr int EXIT_WARNINGS = 2;
constexpr int EXIT_USAGE = 64;

}  // namespace

int main(int argc, char** argv) {
  bool walkthrough = false;
  std::string path;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0) {
      std::cout << USAGE;
      return EXIT_CLEAN;
    }
    if (std::strcmp(argv[i], "--walkthrough") == 0) {
      walkthrough = true;
    } else if (argv[i][0] == '-' || !path.empty()) {
      std::cerr << "storycheck: unexpected argument '" << argv[i] << "'\n" << USAGE;
      return EXIT_USAGE;
    } else {
      path = argv[i];
    }
  }
  if (path.empty()) path = STORY_FILE_NAME;

  Story story;
  std::string error;
  if (!loadStory(path, path, story, error)) {
    std::cerr << error << '\n';
    return EXIT_REFUSED;
  }
  const SearchResult search = searchStory(story);
  const std::vector<Finding> findings = checkStory(story, search);
  for (const Finding& finding : findings) {
    std::cerr << path << ':' << finding.line << ": warning: " << finding.message << '\n';
  }
  if (walkthrough) {
    if (search.finalRoomReached) {
      std::cout << '\n';  // answers the pause after the first introduction line
      for (const std::string& command : search.walkthrough) std::cout << command << '\n';
    } else {
      std::cerr << path << ": no walkthrough: "
                << (search.incomplete ? "the search stopped before it reached the final room"
                                      : "no game reaches the final room alive")
                << '\n';
      return EXIT_WARNINGS;
    }
  }
  return findings.empty() ? EXIT_CLEAN : EXIT_WARNINGS;
}
