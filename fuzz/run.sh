#!/usr/bin/env bash
# Builds the fuzz targets with clang in build-fuzz/ and runs each for SECONDS (default 60), one
# after the other, starting from the seed corpus in fuzz/corpus/<target>/. New inputs go to
# build-fuzz/corpus/<target>/ and any crash to build-fuzz/artifacts/; the script fails when a
# target finds one.
#   bash fuzz/run.sh [SECONDS] [TARGET...]
# FUZZ_SEED fixes libFuzzer's random seed (0, the default, picks a new one each run).
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(story_fuzzer commands_fuzzer)

CXX=clang++ cmake -S . -B build-fuzz -DDERELICT_FUZZ=ON -DDERELICT_TESTS=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target "${targets[@]}"

mkdir -p build-fuzz/artifacts
for target in "${targets[@]}"; do
  name=${target%_fuzzer}
  mkdir -p "build-fuzz/corpus/$name"
  echo "== $target for ${seconds}s"
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    "build-fuzz/fuzz/$target" "build-fuzz/corpus/$name" "fuzz/corpus/$name" \
    -dict="fuzz/$name.dict" -max_len=16384 -timeout=10 -rss_limit_mb=2048 \
    -max_total_time="$seconds" -seed="${FUZZ_SEED:-0}" -print_final_stats=1 \
    -artifact_prefix="build-fuzz/artifacts/$target-" 2>&1 |
    sed -E '/^#[0-9]+[[:space:]]+(NEW|REDUCE)/d; /Recommended dictionary/,/End of recommended/d'
done
