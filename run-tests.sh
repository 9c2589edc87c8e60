#!/usr/bin/env bash
# Installs what the tests need, builds everything (warnings are errors under CI) and runs every
# test; then the Windows build and its tests under Wine, where mingw-w64 and Wine are installed
# (always under CI).
set -euo pipefail
cd "$(dirname "$0")"
./setup.sh --deps-only --tests
werror=OFF
bench=ON
# CI builds what the tests run: the benchmarks are measured by hand, not tested.
# It also builds each library as a few large units and keeps line tables only: a third less time.
fast=()
if [ "${CI:-}" = "true" ]; then
  werror=ON
  bench=OFF
  fast=(-DCMAKE_UNITY_BUILD=ON "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -g1 -DNDEBUG")
fi
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVKS_WERROR=$werror \
  -DVKS_BUILD_BENCH=$bench "${fast[@]}"
cmake --build build-test -j"$(nproc)"
ctest --test-dir build-test -j"$(nproc)" --output-on-failure

if [ "${CI:-}" = "true" ] || { command -v x86_64-w64-mingw32-g++-posix && command -v wine; } >/dev/null; then
  .ci/pcre2-source.sh build-windows/pcre2-source.tar.gz
  cmake --preset windows -DVKS_WERROR=$werror
  cmake --build --preset windows -j"$(nproc)"
  # Wine under load now and then refuses a process start; a test that fails is run once more.
  ctest --preset windows -j"$(nproc)" --repeat until-pass:2
fi
