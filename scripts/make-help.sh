#!/usr/bin/env bash
# Makes the help page: every example of docs/help/topics.txt is built with the student
# command lines, run under Wine in a window of a fixed size, and the window's picture is
# taken by the program itself; then the page is written beside the pictures.
#   make-help.sh                        builds what it needs and writes build/help/index.html
#   make-help.sh STAGE CXX OUTDIR [ARCH]
# STAGE holds Qiv/logo.h, Qiv/logoLib.a, Qiv/Qiv_private.res and MinGW/include (a staged
# installation for the architecture Wine runs here, ARCH), CXX the cross compiler for it.
# Writes OUTDIR/index.html, OUTDIR/images/ex_NN.png; OUTDIR-work keeps the example programs,
# their captures and the text of their output panes.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ $# -eq 0 ]; then
    # As the build does it, with a runtime staged for the architecture Wine runs here.
    build=${QIV_BUILD_DIR:-$root/build}
    "$root/scripts/setup.sh"
    arch=$("$root/scripts/wine-env.sh" arch)
    runtree="$build/run-$arch"
    cmake -S "$root" -B "$runtree" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$arch.cmake" \
          -DQIV_BUILD_TESTS=OFF -DQIV_WITH_PLUGIN=OFF >/dev/null
    cmake --build "$runtree" -j2 --target qiv_stage qiv_tools_stage >/dev/null
    set -- "$runtree/stage" "$arch-w64-mingw32-g++" "$build/help" "$arch"
fi
[ $# -ge 3 ] || { echo "usage: make-help.sh [STAGE CXX OUTDIR [ARCH]]" >&2; exit 2; }
stage=$(cd "$1" && pwd) cxx=$2 out=$3 arch=${4:-}
mkdir -p "$out"
out=$(cd "$out" && pwd)
work=$out-work
rm -rf "$work" "$out/images" && mkdir -p "$work/npp/MinGW" "$work/build" "$out/images"

# A private installation: the staged runtime, its include folder and the capture header.
ln -s "$stage/Qiv" "$work/npp/Qiv"
cp -r "$stage/MinGW/include" "$work/npp/MinGW/include"
cp "$root/scripts/help/qiv_help_capture.h" "$work/npp/MinGW/include/"
python3 "$root/scripts/help/make_help.py" examples "$root/docs/help/topics.txt" "$work/src"
cut -f1 "$work/src/examples.txt" | xargs -P 2 -I{} \
    "$root/scripts/qiv-build.sh" --cxx "$cxx" --out "$work/build/{}" "$work/npp" "$work/src/{}.cpp" >/dev/null

state=$work/wine
winepath_of() { "$QIV_WINE" winepath -w "$1" 2>/dev/null; }
"$root/scripts/wine-env.sh" start "$state" $arch >/dev/null
trap '"$root/scripts/wine-env.sh" stop "$state"' EXIT
# shellcheck disable=SC1091
. "$state/env.sh"
# The Chinese faces the runtime asks for are drawn with the Chinese font the setup installs.
{
    printf '\xef\xbb\xbfWindows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
    for face in 宋体 黑体 楷体 新宋体 SimSun SimHei KaiTi; do
        printf '"%s"="WenQuanYi Zen Hei"\r\n' "$face"
    done
} | iconv -f UTF-8 -t UTF-16LE >"$work/fonts.reg"
"$QIV_WINE" regedit /S "$(winepath_of "$work/fonts.reg")" >/dev/null 2>&1 || true
# Window settings on drive D:: at the screen's corner, 620 x 540, output pane 110 high.
mkdir -p "$work/d"
printf '0\r\n0\r\n620\r\n540\r\n110\r\n' >"$work/d/Qivconfig.txt"
ln -sfn "$work/d" "$WINEPREFIX/dosdevices/d:"

failed=0
while IFS=$'\t' read -r id _; do
    dir=$work/build/$id
    (cd "$dir" && timeout 60 "$QIV_WINE" "$id.exe" </dev/null >/dev/null 2>&1) || true
    if [ -s "$dir/capture.bmp" ]; then
        convert "$dir/capture.bmp" -strip "$out/images/$id.png"
        # The output pane's text, shown as text beside the picture.
        mkdir -p "$work/pane"
        iconv -f GBK -t UTF-8 -c "$dir/pane.txt" >"$work/pane/$id.txt" 2>/dev/null || true
    else
        echo "make-help: $id drew no picture" >&2
        failed=1
    fi
done <"$work/src/examples.txt"
[ "$failed" = 0 ] || exit 1
python3 "$root/scripts/help/make_help.py" page "$root/docs/help/topics.txt" "$out/images" "$out/index.html" "$work/pane"
echo "make-help: $(wc -l <"$work/src/examples.txt") examples drawn, $out/index.html"
