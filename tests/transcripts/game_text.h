#ifndef DERELICT_TESTS_TRANSCRIPTS_GAME_TEXT_H_
#define DERELICT_TESTS_TRANSCRIPTS_GAME_TEXT_H_

// Texts that every transcript of the game loop and the built-in commands shares: a small story
// with short one-line texts, and the standard output that stands before and after the commands
// of a game of it.

#include <string>
#include <vector>

#include "support/story_text.h"

namespace game_text {

// The prompt of the introduction's pause, written after the first introduction line.
inline const std::string CONTINUE_PROMPT = "\nPress enter to continue ";
// The farewell with its end of line, then the prompt of the final pause.
inline const std::string FAREWELL = "\nThanks for playing!\n\n\nPress enter to exit ";
// The death message with its end of line.
inline const std::string DEATH = "\n\nYou feel your life slip away.  You've been killed.\n";
// The answer to a line that matches no command, with its end of line.
inline const std::string NOT_VALID = "Not a valid command.\n\n";

// A blank story whose introduction lines and start room description are short texts, each
// printed as one wrapped line: see INTRODUCTION and START_ARRIVAL.
inline Story smallStory() {
  Story story = blankStory();
  story.introduction[0] = "Welcome aboard. ";
  story.introduction[1] = "The ship is dark. ";
  story.rooms[2][3].description = "Start room. ";
  return story;
}

// What a game of smallStory() writes up to its first read of a command, once enter was pressed
// at the introduction's pause: the two introduction lines with the pause between them.
inline const std::string INTRODUCTION =
    "Welcome aboard.\n\n" + CONTINUE_PROMPT + "\n\n" + "The ship is dark.\n\n" + "\n\n";
// The arrival text of the start room of smallStory().
inline const std::string START_ARRIVAL = "Start room.\n\n";

// The whole standard output of a game of smallStory() that is left by "exit" (or the end of the
// input) at a command prompt: the introduction, then `play`, the output of the command loop
// from the start room's arrival text up to and including the "\n" written after "exit" was
// read, then the farewell and the final pause.
inline std::string gameOutput(const std::string& play) { return INTRODUCTION + play + FAREWELL; }

// One command line and what the game writes in answer, after the "\n" that follows every read
// command: the command's own output, then the arrival text of the room it moved to, if any.
struct Pass {
  std::string line;
  std::string output;
};

// The standard input of a game of smallStory() that plays `passes` from the start room: enter
// at the introduction's pause, each pass's line, "exit", and enter at the final pause.
inline std::string scriptInput(const std::vector<Pass>& passes) {
  std::string input = "\n";
  for (const Pass& pass : passes) input += pass.line + "\n";
  return input + "exit\n\n";
}

// The standard output that scriptInput(passes) should give.
inline std::string scriptOutput(const std::vector<Pass>& passes) {
  std::string play = START_ARRIVAL;
  for (const Pass& pass : passes) play += "\n" + pass.output;
  return gameOutput(play + "\n");
}

}  // namespace game_text

#endif  // DERELICT_TESTS_TRANSCRIPTS_GAME_TEXT_H_
