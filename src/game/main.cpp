#include <unistd.h>

#include <iostream>
#include <ostream>

#include "game/game.h"
#include "support/fd_output.h"

// Plays the story in the working directory on the standard streams; arguments are ignored.
// Standard output goes through a buffer that makes one write at each flush point.
int main() {
  std::ios::sync_with_stdio(false);
  std::cin.tie(nullptr);
  FdOutputBuffer outBuffer(STDOUT_FILENO);
  std::ostream out(&outBuffer);
  return runDerelict(std::cin, out, std::cerr);
}
