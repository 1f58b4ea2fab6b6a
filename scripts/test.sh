#!/usr/bin/env bash
# Installs what is missing, builds everything (native tests, the 32-bit deliverables and the
# Windows tests) and runs every test through CTest, ending with CTest's summary.
# Extra arguments go to ctest (e.g. -R stop_safety, -L native).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QIV_BUILD_DIR:-$root/build}
"$root/scripts/setup.sh"
cmake -S "$root" -B "$build/tests" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build/tests" -j2
cd "$build/tests"
exec ctest --output-on-failure -j2 "$@"
