#!/usr/bin/env bash
# Screenshots of the two samples inside Wine's own desktop (so the window has its frame,
# title and menu bar), each after one press of 运行 as a teacher does: the figure drawn and
# the panel open again.
#   OUT_DIR/sample-d.png         sample_d: the stairs of the initial values
#   OUT_DIR/sample-11lesson.png  sample_11lesson: the lesson picture, its lists, the square
#   QIV_WINE_STATE=<started wine-env state> screenshots.sh SAMPLE_D_EXE SAMPLE_11LESSON_EXE OUT_DIR
# The programs place their window at (2, 0), 800 x 600: the 运行 button of their panel is
# at a fixed place on the screen. In this prefix the face 宋体 of the code window is
# replaced by the monospaced face of the installed Chinese font, as on a Chinese Windows,
# where the Latin letters of 宋体 are all of one width.
set -euo pipefail
sample_d=$(realpath "$1") sample_b=$(realpath "$2") out=$(cd "$3" && pwd)
# shellcheck disable=SC1091
. "${QIV_WINE_STATE:?start the environment with scripts/wine-env.sh}/env.sh"
reg=$(mktemp /tmp/qiv-fonts.XXXXXX.reg)
printf 'Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n"宋体"="WenQuanYi Zen Hei Mono"\r\n' |
    iconv -f UTF-8 -t UTF-16 >"$reg"
"$QIV_WINE" regedit /S "$(winepath -w "$reg" 2>/dev/null || echo "$reg")" >/dev/null 2>&1 || true
rm -f "$reg"

shot() {  # EXE OUT.png RUN_X RUN_Y
    local exe=$1 png=$2 x=$3 y=$4
    (cd "$(dirname "$exe")" && "$QIV_WINE" explorer /desktop=samples,820x620 "$exe" </dev/null >/dev/null 2>&1 &)
    sleep 6
    xdotool mousemove "$x" "$y" click 1
    sleep 8
    import -window root -crop 820x620+0+0 +repage "$png"
    "$WINESERVER" -k >/dev/null 2>&1 || true
    sleep 1
    echo "wrote $png"
}
shot "$sample_d" "$out/sample-d.png" 55 295
shot "$sample_b" "$out/sample-11lesson.png" 55 215
