#ifndef DERELICT_FUZZ_FUZZ_CHECKS_H_
#define DERELICT_FUZZ_FUZZ_CHECKS_H_

// What the fuzz targets hold the game to, and how they play it in-process.

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>

#include "game/game.h"
#include "support/console.h"
#include "support/long_lines.h"
#include "world/story.h"

namespace fuzz {

// Reports a broken promise and aborts, which libFuzzer records as a crash with its input.
inline void require(bool holds, const char* promise) {
  if (holds) return;
  std::fprintf(stderr, "broken: %s\n", promise);
  std::abort();
}

inline const std::string FAREWELL = "\nThanks for playing!\n\n\nPress enter to exit ";
inline const std::string CONTINUE_PROMPT = "\nPress enter to continue ";
inline const std::string STACK_FULL =
    "*** Stack is full -- can't add new value ***\n"
    "Must increase value of STACK_CAPACITY in Stack\n";

struct Played {
  int status = -1;
  std::string out;
  std::string err;
};

// Plays `story` on `input` in-process, as the program plays its story file on standard input.
inline Played play(const Story& story, const std::string& input) {
  std::istringstream in(input);
  std::ostringstream out;
  std::ostringstream err;
  Console console(out, err);
  Played p;
  p.status = playGame(story, in, console);
  p.out = out.str();
  p.err = err.str();
  return p;
}

// A game that ran: status 0; the final pause last on standard output, or the introduction's
// pause when the input ended or said "exit" there; on standard error only the stack's refusals.
inline void requirePlayedToTheEnd(const Played& p) {
  require(p.status == 0, "the game ends with status 0");
  const std::string_view out = p.out;
  const bool atIntroduction = out.ends_with(CONTINUE_PROMPT) &&
                              out.find(CONTINUE_PROMPT) + CONTINUE_PROMPT.size() == out.size();
  require(out.ends_with(FAREWELL) || atIntroduction, "the game ends at one of its pauses");
  std::string_view err = p.err;
  while (err.starts_with(STACK_FULL)) err.remove_prefix(STACK_FULL.size());
  require(err.empty(), "standard error holds only the stack's refusals");
}

}  // namespace fuzz

#endif  // DERELICT_FUZZ_FUZZ_CHECKS_H_
