#ifndef DERELICT_GAME_GAME_H_
#define DERELICT_GAME_GAME_H_

#include <istream>
#include <ostream>
#include <string>

#include "support/console.h"
#include "world/story.h"

// Plays one game of `story`: the introduction with its pause, the command loop and the end of
// the game with its farewell and final pause, reading commands from `in` and writing through
// `console`. The end of the input counts as "exit" at a command prompt and ends the program
// at either pause. Returns the exit status, 0.
int playGame(const Story& story, std::istream& in, Console& console);

// Loads the story file "Display.txt" from the working directory and plays it. When the story
// file is refused, writes one message to `err`, nothing to `out`, and returns 1.
int runDerelict(std::istream& in, std::ostream& out, std::ostream& err);

// Plays the story held in `text` as runDerelict plays the story file, naming it `name` in the
// message when it is refused (then one line to `err`, nothing to `out`, and 1 is returned).
int runStoryText(const std::string& name, std::string text, std::istream& in, std::ostream& out,
                 std::ostream& err);

#endif  // DERELICT_GAME_GAME_H_
