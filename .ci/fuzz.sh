#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (every library instrumented) and runs each for
# VKS_FUZZ_SECONDS (default 60) from its seed corpus in fuzz/corpus/<target>; the store targets
# also start from the bundled sample store. Any crash, leak, timeout or sanitizer report fails the
# run and leaves the input in build-fuzz/.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DVKS_BUILD_FUZZ=ON -DVKS_BUILD_TESTS=OFF -DVKS_BUILD_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined"
# Only the fuzz targets and what they link: the tools and the server are not needed here.
targets=$(for f in fuzz/*_fuzz.cpp; do basename "$f" .cpp; done)
# shellcheck disable=SC2086
cmake --build build-fuzz -j"$(nproc)" --target $targets
seconds=${VKS_FUZZ_SECONDS:-60}
for name in $targets; do
  mkdir -p "build-fuzz/corpus/$name"
  seeds=()
  options=()
  [ -d "fuzz/corpus/$name" ] && seeds+=("../fuzz/corpus/$name")
  case $name in
    store_*) seeds+=(../data/Daten) ;;
    # Scripts may build reference cycles, which stay allocated as with any reference counting.
    vbscript_*) seeds+=(../tests/vbscript); options+=(-detect_leaks=0) ;;
  esac
  echo "== $name for ${seconds}s"
  (cd build-fuzz && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    "./fuzz/$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 ${options[@]+"${options[@]}"} \
    "corpus/$name" ${seeds[@]+"${seeds[@]}"})
done
