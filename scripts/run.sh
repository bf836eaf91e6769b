#!/usr/bin/env bash
# Installs what is needed, builds the program and starts it beside a sample database.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/deps.sh"
build="${VANTREL_BUILD:-$root/build/release}"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVANTREL_TESTS=OFF
cmake --build "$build"
[ -e "$build/app/data.mdb" ] || "$build/tools/make-sample-db" "$build/app/data.mdb"
exec "$build/app/vantrel"
