#include <iostream>

#include "game/game.h"

// Plays the story in the working directory on the standard streams; arguments are ignored.
int main() {
  std::ios::sync_with_stdio(false);
  std::cin.tie(nullptr);
  return runDerelict(std::cin, std::cout, std::cerr);
}
