// Loading and checking the shipped story: from its file, and from its text already in memory.

#include <benchmark/benchmark.h>

#include <concepts>
#include <string>
#include <utility>

#include "bench_support.h"
#include "world/story.h"

namespace {

// True when the story reader offers parseStory(name, text, story, error), which checks a story
// from its text without reading a file. Story lives in the global namespace, so the call is
// found by argument-dependent lookup once story.h declares it, and the concept is simply false
// while it does not.
template <class S>
concept HasParseStory = requires(const std::string& name, std::string text, S& story,
                                 std::string& error) {
  { parseStory(name, std::move(text), story, error) } -> std::convertible_to<bool>;
};

// Reads and checks a story from its text: through parseStory where it exists, else through the
// same StoryFile and readStory that loadStory uses after reading the file.
template <class S>
bool parseText(const std::string& text, S& story, std::string& error) {
  if constexpr (HasParseStory<S>) {
    return parseStory(STORY_FILE_NAME, text, story, error);
  } else {
    StoryFile storyFile(STORY_FILE_NAME, text);
    if (readStory(storyFile, story)) return true;
    error = storyFile.error();
    return false;
  }
}

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
    if (!parseText(text, story, error)) {
      state.SkipWithError(error.c_str());
      break;
    }
    benchmark::DoNotOptimize(story);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(text.size()));
  state.SetLabel(HasParseStory<Story> ? "parseStory" : "StoryFile+readStory");
}
BENCHMARK(BM_ParseShippedStoryText);

}  // namespace
