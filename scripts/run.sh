#!/usr/bin/env bash
# Installs what is needed, builds the program and starts it beside a sample database.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/deps.sh"
build="${VANTREL_BUILD:-$root/build/release}"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVANTREL_TESTS=OFF
# A compiler job can take about 1.5 GB: use no more jobs than the cores and the free
# memory allow, so a small machine builds slowly instead of running out of memory.
cores="$(nproc 2>/dev/null || echo 1)"
avail_kb="$(awk '/^MemAvailable:/ {print $2}' /proc/meminfo 2>/dev/null || true)"
jobs="$cores"
if [ -n "$avail_kb" ]; then
  by_memory=$(( avail_kb / (1536 * 1024) ))
  if [ "$by_memory" -lt "$jobs" ]; then jobs="$by_memory"; fi
fi
if [ "$jobs" -lt 1 ]; then jobs=1; fi
cmake --build "$build" -j "$jobs"
[ -e "$build/app/data.mdb" ] || "$build/tools/make-sample-db" "$build/app/data.mdb"
exec "$build/app/vantrel"
