#!/usr/bin/env bash
# Builds the runtime deliverables and runs a drawing program in its window under Wine, as the
# editor's F11 does:
#   scripts/run.sh [--input TEXT]... [--shot-after SECONDS] [program.cpp]
# (the example program samples/first_steps when no program is given).
#  - The program is built in build/programs/<folder>_<name>/ (its folder's name and its own),
#    so two programs called main.cpp in different folders keep their builds apart.
#  - A UTF-8 file with Chinese text is converted to GBK first, as the editor converts such a
#    document, and the same line says so; the other files of the program's folder (pictures,
#    data) are copied beside it, as they lie beside the program the editor builds.
#  - A failed build shows the compiler's text and then the plug-in's Chinese hint line.
#  - --input TEXT types TEXT and Enter into the program's input line (for cin); give it once
#    a line.
# With a reachable X display the window opens there and the script waits until it is closed.
# Without one the program runs under a virtual X server and the script writes a screenshot
# (build/screenshots/<folder>_<name>.png) when the run has ended, or after SECONDS with
# --shot-after (for programs that do not end, such as the two samples with their panels),
# and says where. QIV_SHOT_LIMIT (default 60) is the longest wait for the end.
# QIV_BUILD_DIR puts everything it makes elsewhere than build/; QIV_RUN_TREE names a Windows
# build tree of Wine's architecture whose staged runtime is used instead of building one.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QIV_BUILD_DIR:-$root/build}

inputs=()
shot_after=""
while [ $# -gt 0 ]; do
    case "$1" in
        --input) [ $# -ge 2 ] || { echo "run: --input needs a text" >&2; exit 2; }; inputs+=("$2"); shift 2 ;;
        --shot-after) [[ "${2:-}" =~ ^[0-9]+([.][0-9]+)?$ ]] || { echo "run: --shot-after needs seconds" >&2; exit 2; }
            shot_after=$2; shift 2 ;;
        --help | -h) sed -n '2,21p' "$0"; exit 0 ;;
        --*) echo "run: unknown option $1" >&2; exit 2 ;;
        *) break ;;
    esac
done
[ $# -le 1 ] || { echo "usage: scripts/run.sh [--input TEXT]... [--shot-after SECONDS] [program.cpp]" >&2; exit 2; }
src=${1:-$root/samples/first_steps/first_steps.cpp}
[ -f "$src" ] || { echo "run: no such file: $src" >&2; exit 2; }
srcdir=$(cd "$(dirname "$src")" && pwd)
file=$(basename "$src"); name=${file%.*}
label="$(basename "$srcdir")_$name"

"$root/scripts/setup.sh"
arch=$("$root/scripts/wine-env.sh" arch)
if [ -n "${QIV_RUN_TREE:-}" ]; then
    # A Windows build tree of this architecture made already (the tests' own): its staged
    # runtime is used as it is.
    runtree=$QIV_RUN_TREE
    [ -d "$runtree/stage/Qiv" ] || { echo "run: no staged runtime in $runtree/stage" >&2; exit 2; }
else
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
fi

# The plug-in's conversion and hint code as a small Linux tool, and the watcher of the run.
tools="$build/run-tools"
mkdir -p "$tools"
tool="$tools/qiv-run-tool"
tool_sources=("$root/scripts/run/qiv_run_tool.cpp" "$root/plugin/message_translation.cpp"
              "$root/plugin/student_source.cpp" "$root/plugin/panel_texts.cpp" "$root/plugin/source_encoding.cpp"
              "$root/plugin/new_program.cpp")
if [ ! -x "$tool" ] || [ -n "$(find "${tool_sources[@]}" "$root"/plugin/*.h -newer "$tool" 2>/dev/null)" ]; then
    g++ -std=c++17 -O1 -fexec-charset=GBK -I"$root/plugin" "${tool_sources[@]}" -o "$tool"
fi
watch="$tools/qiv_watch-$arch.exe"
if [ ! -f "$watch" ] || [ "$root/scripts/run/qiv_watch.c" -nt "$watch" ]; then
    "$arch-w64-mingw32-gcc" -O1 "$root/scripts/run/qiv_watch.c" -o "$watch"
fi

out="$build/programs/$label"
mkdir -p "$out"
# Companion files: everything beside the program but sources and build products.
find "$srcdir" -maxdepth 1 -type f ! -name '*.cpp' ! -name '*.o' ! -name '*.exe' ! -name '*.res' \
     -exec cp -p {} "$out/" \;
if ! "$tool" encode "$src" "$out/$file"; then
    echo "run: $file was not built" >&2
    exit 1
fi
failure="$out/build-output.txt"
if ! exe=$(LC_ALL=C "$root/scripts/qiv-build.sh" --cxx "$arch-w64-mingw32-g++" --out "$out" "$runtree/stage" "$out/$file" \
           2>"$failure"); then
    grep -av '^qiv-build: ' "$failure" | iconv -f GBK -t UTF-8 -c >&2 || true
    # The hint line, and GCC's suggestion when there is one, as the plug-in's panel shows them.
    hint=$(grep -av '^qiv-build: ' "$failure" | "$tool" hint "$out/$file" | sed '2d' | iconv -f GBK -t UTF-8 -c || true)
    [ -z "$hint" ] || echo "$hint" >&2
    echo "run: the build failed" >&2
    exit 1
fi
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
    if [ ${#inputs[@]} -gt 0 ]; then
        args=(); for line in "${inputs[@]}"; do args+=(-input "$(printf '%s' "$line" | iconv -f UTF-8 -t GBK)"); done
        "$loader" "$watch" "${args[@]}" -timeout 600 >/dev/null 2>&1 &
    fi
    exec "$loader" "$exe"
fi

state="$build/wine-run"
"$root/scripts/wine-env.sh" start "$state" >/dev/null
trap '"$root/scripts/wine-env.sh" stop "$state"' EXIT
# shellcheck disable=SC1091
. "$state/env.sh"
# Wine's own desktop window gives the program a real frame, title and menu bar.
(cd "$out" && "$QIV_WINE" explorer /desktop=qiv,1000x800 "$exe" </dev/null >/dev/null 2>&1 &)
args=()
for line in "${inputs[@]}"; do args+=(-input "$(printf '%s' "$line" | iconv -f UTF-8 -t GBK)"); done
# The watcher finds windows only on its own desktop, so it runs on the program's virtual
# desktop too, where its exit code is lost: it writes the code into a status file.
status_file="$out/watch-status.txt"
rm -f "$status_file"
watch_on_desktop() {
    (cd "$out" && "$QIV_WINE" explorer /desktop=qiv,1000x800 "$watch" "${args[@]}" -timeout "$1" \
        -status "Z:$status_file" </dev/null >/dev/null 2>&1 &)
}
if [ -n "$shot_after" ]; then
    [ ${#inputs[@]} -eq 0 ] || watch_on_desktop "$shot_after"
    sleep "$shot_after"
    when="after $shot_after s"
else
    limit=${QIV_SHOT_LIMIT:-60}
    watch_on_desktop "$limit"
    # The watcher gives up at the limit; its start under Wine is given some seconds more.
    deadline=$((SECONDS + ${limit%.*} + 15))
    while [ ! -s "$status_file" ] && [ $SECONDS -lt $deadline ]; do sleep 0.2; done
    status=$(head -c1 "$status_file" 2>/dev/null || echo 5)
    case $status in
        0) when="at the end of the run"; sleep 0.5 ;;
        3) when="after $limit s: the run had not ended (use --shot-after for a program that never ends)" ;;
        4) when="without a program window (the program did not open one within $limit s)" ;;
        *) when="without word from the watcher" ;;
    esac
fi
mkdir -p "$build/screenshots"
shot="$build/screenshots/$label.png"
import -window root -crop 1000x800+0+0 +repage "$shot"
echo "run: no display here; screenshot $when: $shot"
