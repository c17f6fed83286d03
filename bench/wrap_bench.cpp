// printWrapped on long texts, into a stream whose buffer drops the bytes.

#include <benchmark/benchmark.h>

#include <ostream>
#include <string>

#include "bench_support.h"
#include "support/wrap.h"

namespace {

// Every text of the shipped story joined by spaces: about 10 KiB of real prose, ending in a space.
std::string shippedProse() {
  const std::string& text = shippedStoryText();
  std::string prose;
  for (char c : text) prose += (c == '\n' || c == '\r') ? ' ' : c;
  if (prose.empty() || prose.back() != ' ') prose += ' ';
  return prose;
}

// `words` words of `letters` letters each, each followed by one space.
std::string uniformText(int words, int letters) {
  std::string text;
  for (int i = 0; i < words; ++i) {
    text.append(static_cast<size_t>(letters), static_cast<char>('a' + i % 26));
    text += ' ';
  }
  return text;
}

void runWrap(benchmark::State& state, const std::string& text) {
  DiscardBuffer buffer;
  std::ostream out(&buffer);
  for (auto _ : state) {
    printWrapped(out, text);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(text.size()));
  state.counters["lines"] = benchmark::Counter(static_cast<double>(buffer.syncs()) /
                                               static_cast<double>(state.iterations()));
}

void BM_PrintWrappedShippedProse(benchmark::State& state) { runWrap(state, shippedProse()); }
BENCHMARK(BM_PrintWrappedShippedProse);

// Short words: many break candidates per line. Long words: few.
void BM_PrintWrappedWords(benchmark::State& state) {
  runWrap(state, uniformText(static_cast<int>(state.range(0)), static_cast<int>(state.range(1))));
}
BENCHMARK(BM_PrintWrappedWords)->Args({20000, 3})->Args({4000, 20})->Args({1500, 78});

}  // namespace
