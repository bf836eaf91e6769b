#!/usr/bin/env bash
# Installs what is needed, builds the test configuration (AddressSanitizer +
# UndefinedBehaviorSanitizer) and runs every test through CTest.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/deps.sh"
build="${VANTREL_TEST_BUILD:-$root/build/test}"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVANTREL_SANITIZE=ON -DVANTREL_BENCH=OFF
cmake --build "$build"
cd "$build"
ctest --output-on-failure -j "$(nproc)"
