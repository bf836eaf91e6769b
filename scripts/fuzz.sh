#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each briefly (FUZZ_SECONDS, default 60 in all).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/deps.sh"
build="${VANTREL_FUZZ_BUILD:-$root/build/fuzz}"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVANTREL_SANITIZE=ON -DVANTREL_FUZZ=ON -DVANTREL_TESTS=OFF
cmake --build "$build" --target fuzz
targets=("$build"/fuzz/fuzz_*)
[ -e "${targets[0]}" ] || { echo "no fuzz targets"; exit 0; }
total="${FUZZ_SECONDS:-60}"
each=$(( total / ${#targets[@]} )); [ "$each" -ge 10 ] || each=10
for t in "${targets[@]}"; do
  name="$(basename "$t")"
  corpus="$build/corpus/$name"; mkdir -p "$corpus"
  seeds="$root/fuzz/corpus/${name#fuzz_}"
  args=("$corpus"); [ -d "$seeds" ] && args+=("$seeds")
  echo "== $name for ${each}s"
  "$t" -max_total_time="$each" -print_final_stats=1 "${args[@]}"
done
