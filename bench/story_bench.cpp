// Loading and checking the shipped story: from its file, and from its text already in memory.

#include <benchmark/benchmark.h>

#include <string>
#include <utility>

#include "bench_support.h"
#include "world/story.h"

namespace {

// The file read included, as the game does at start-up.
void BM_LoadShippedStoryFile(benchmark::State& state) {
  std::string error;
  for (auto _ : state) {
    Story story;
    if (!loadStory(DERELICT_SHIPPED_STORY, STORY_FILE_NAME, story, error)) {
      state.SkipWithError(error.c_str());
      break;
    }
    benchmark::DoNotOptimize(story);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(shippedStoryText().size()));
}
BENCHMARK(BM_LoadShippedStoryFile);

// The parse and the checks alone, on the text in memory (the copy of the text included).
void BM_ParseShippedStoryText(benchmark::State& state) {
  const std::string& text = shippedStoryText();
  std::string error;
  for (auto _ : state) {
    Story story;
    if (!parseStory(STORY_FILE_NAME, text, story, error)) {
      state.SkipWithError(error.c_str());
      break;
    }
    benchmark::DoNotOptimize(story);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ParseShippedStoryText);

}  // namespace
