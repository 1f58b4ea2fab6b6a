#!/usr/bin/env bash
# Builds the runtime deliverables and runs a drawing program in its window under Wine.
#   scripts/run.sh                 the example program samples/first_steps
#   scripts/run.sh path/to/x.cpp   that program, built with the plug-in's command lines
# With a reachable X display the window opens there and the script waits until it is
# closed; without one it runs under a virtual X server, writes a screenshot of the window
# and says where.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QIV_BUILD_DIR:-$root/build}
"$root/scripts/setup.sh"

arch=$("$root/scripts/wine-env.sh" arch)
# The deliverables, always 32-bit, installed in the editor's folder layout.
cmake -S "$root" -B "$build/deliverables" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
      -DCMAKE_INSTALL_PREFIX="$build/install" -DQIV_BUILD_TESTS=OFF >/dev/null
cmake --build "$build/deliverables" -j2 >/dev/null
cmake --install "$build/deliverables" >/dev/null
echo "run: deliverables installed in $build/install (Qiv/logo.h, Qiv/logoLib.a, Qiv/Qiv_private.res)"
# The program itself is built for the architecture Wine runs here.
runtree="$build/deliverables"
if [ "$arch" != i686 ]; then
    runtree="$build/run-$arch"
    cmake -S "$root" -B "$runtree" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$arch.cmake" \
          -DQIV_BUILD_TESTS=OFF -DQIV_WITH_PLUGIN=OFF >/dev/null
    cmake --build "$runtree" -j2 --target qiv_stage qiv_tools_stage >/dev/null
fi
src=${1:-$root/samples/first_steps/first_steps.cpp}
[ -f "$src" ] || { echo "run: no such file: $src" >&2; exit 2; }
name=$(basename "$src"); name=${name%.*}
out="$build/programs/$name"
exe=$("$root/scripts/qiv-build.sh" --cxx "$arch-w64-mingw32-g++" --out "$out" "$runtree/stage" "$src")
echo "run: built $exe"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    loader=/usr/lib/wine/wine; [ "$arch" = i686 ] || loader=/usr/lib/wine/wine64
    export WINEPREFIX=${WINEPREFIX:-$build/wine-display/prefix} WINEDEBUG=-all \
           WINEDLLOVERRIDES='mscoree,mshtml=' LC_ALL=zh_CN.GBK
    [ "$arch" = i686 ] || export WINEARCH=win64
    mkdir -p "$(dirname "$WINEPREFIX")"
    [ -e "$WINEPREFIX/system.reg" ] || echo "run: preparing a Wine prefix in $WINEPREFIX (once, about 15 s)"
    echo "run: opening the window on $DISPLAY"
    cd "$out"
    exec "$loader" "$exe"
fi

state="$build/wine-run"
"$root/scripts/wine-env.sh" start "$state" >/dev/null
trap '"$root/scripts/wine-env.sh" stop "$state"' EXIT
# shellcheck disable=SC1091
. "$state/env.sh"
# Wine's own desktop window gives the program a real frame, title and menu bar.
(cd "$out" && "$QIV_WINE" explorer /desktop=qiv,1000x800 "$exe" </dev/null >/dev/null 2>&1 &)
sleep "${QIV_SHOT_DELAY:-4}"
mkdir -p "$build/screenshots"
shot="$build/screenshots/$name.png"
import -window root -crop 1000x800+0+0 +repage "$shot"
echo "run: no display here; screenshot of the running program: $shot"
