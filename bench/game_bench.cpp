// One pass of the command loop per kind of command: playGame on the shipped story with an input
// of many copies of one command, so that the start and end of the game (the story's rooms
// copied in, the introduction, the farewell) weigh little; BM_GameWithoutCommands shows what
// they cost on their own. Output goes to buffers that drop it.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <istream>
#include <ostream>
#include <string>

#include "bench_support.h"
#include "game/game.h"
#include "world/story.h"

namespace {

constexpr int COMMANDS = 2000;

const Story& shippedStory() {
  static const Story story = [] {
    Story loaded;
    std::string error;
    if (!loadStory(DERELICT_SHIPPED_STORY, STORY_FILE_NAME, loaded, error)) {
      std::fprintf(stderr, "%s\n", error.c_str());
      std::exit(1);
    }
    return loaded;
  }();
  return story;
}

// The pause line, `repeats` copies of `commands` (one or more lines, each ending in "\n"),
// "exit" and the last line.
std::string gameInput(const std::string& commands, int repeats) {
  std::string input = "\n";
  for (int i = 0; i < repeats; ++i) input += commands;
  input += "exit\n\n";
  return input;
}

// Plays one whole game of `story` on `input` per iteration, its output into `outBuffer`.
void playGames(benchmark::State& state, const Story& story, const std::string& input,
               DiscardBuffer& outBuffer) {
  DiscardBuffer errBuffer;
  std::ostream out(&outBuffer);
  std::ostream err(&errBuffer);
  for (auto _ : state) {
    TextBuffer inBuffer(input);
    std::istream in(&inBuffer);
    Console console(out, err);
    benchmark::DoNotOptimize(playGame(story, in, console));
  }
}

// Plays whole games on `commands` repeated until COMMANDS lines; reports the time per line and
// the output bytes and flushes per line.
void runGame(benchmark::State& state, const std::string& commands, int linesPerCopy) {
  const Story& story = shippedStory();
  const int repeats = COMMANDS / linesPerCopy;
  const int lines = repeats * linesPerCopy;
  const std::string input = gameInput(commands, repeats);
  DiscardBuffer outBuffer;
  playGames(state, story, input, outBuffer);
  const double games = static_cast<double>(state.iterations());
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * lines);
  state.counters["per_line"] = benchmark::Counter(
      lines, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  state.counters["out_bytes/line"] =
      benchmark::Counter(static_cast<double>(outBuffer.bytes()) / games / lines);
  state.counters["flushes/line"] =
      benchmark::Counter(static_cast<double>(outBuffer.syncs()) / games / lines);
}

void BM_GameWithoutCommands(benchmark::State& state) {
  const Story& story = shippedStory();
  DiscardBuffer outBuffer;
  playGames(state, story, gameInput("", 0), outBuffer);
}
BENCHMARK(BM_GameWithoutCommands);

// In the start room, rooms[2][3]: a CommStation and a medpac, exits north, east and west, no alien.
void BM_Look(benchmark::State& state) { runGame(state, "look\n", 1); }
BENCHMARK(BM_Look);

// East into rooms[3][3] and back: two successful moves, each followed by the arrival text.
void BM_MoveThereAndBack(benchmark::State& state) { runGame(state, "east\nwest\n", 2); }
BENCHMARK(BM_MoveThereAndBack);

// The start room has no south exit.
void BM_MoveRefused(benchmark::State& state) { runGame(state, "south\n", 1); }
BENCHMARK(BM_MoveRefused);

void BM_Inventory(benchmark::State& state) { runGame(state, "inventory\n", 1); }
BENCHMARK(BM_Inventory);

// The first takes the room's medpac; every later one finds none.
void BM_TakeMedpac(benchmark::State& state) { runGame(state, "take medpac\n", 1); }
BENCHMARK(BM_TakeMedpac);

void BM_TakeBook(benchmark::State& state) { runGame(state, "take book\n", 1); }
BENCHMARK(BM_TakeBook);

// Prints the start room's CommStation text, wrapped.
void BM_UseComm(benchmark::State& state) { runGame(state, "use comm\n", 1); }
BENCHMARK(BM_UseComm);

// With an empty inventory: "You have no medpacs in your inventory."
void BM_UseMedpac(benchmark::State& state) { runGame(state, "use medpac\n", 1); }
BENCHMARK(BM_UseMedpac);

// The start room has no alien: "There is nothing to shoot here."
void BM_Shoot(benchmark::State& state) { runGame(state, "shoot\n", 1); }
BENCHMARK(BM_Shoot);

void BM_Help(benchmark::State& state) { runGame(state, "help\n", 1); }
BENCHMARK(BM_Help);

void BM_InvalidLine(benchmark::State& state) { runGame(state, "open the door\n", 1); }
BENCHMARK(BM_InvalidLine);

void BM_EmptyLine(benchmark::State& state) { runGame(state, "\n", 1); }
BENCHMARK(BM_EmptyLine);

}  // namespace
