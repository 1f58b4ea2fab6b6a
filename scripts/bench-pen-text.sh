#!/usr/bin/env bash
# Benchmark: text and pictures written at the pen, measured by
# tests/bench/pen_text_picture_bench under Wine, with a 100 x 50 BMP and PNG made here.
#   scripts/bench-pen-text.sh <pen_text_picture_bench.exe>
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
exe=$1
dir=$(dirname "$exe")
convert -size 50x50 xc:red -size 50x50 xc:blue +append "BMP3:$dir/bench.bmp"
convert -size 50x50 xc:red -size 50x50 xc:blue +append "$dir/bench.png"
state=$(mktemp -d /tmp/qiv-bench.XXXXXX)
"$root/scripts/wine-env.sh" start "$state" >/dev/null
trap '"$root/scripts/wine-env.sh" stop "$state"; rm -rf "$state" "$dir/bench.bmp" "$dir/bench.png"' EXIT
export QIV_WINE_STATE=$state
"$root/scripts/wine-run.sh" "$exe" | tr -d '\r'
