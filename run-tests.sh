#!/usr/bin/env bash
# Installs what the tests need, builds everything (warnings are errors under CI) and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
./setup.sh --deps-only --tests
werror=OFF
if [ "${CI:-}" = "true" ]; then werror=ON; fi
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVKS_WERROR=$werror
cmake --build build-test -j"$(nproc)"
ctest --test-dir build-test -j"$(nproc)" --output-on-failure
