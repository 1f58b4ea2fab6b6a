#!/usr/bin/env bash
# Saving the picture under Wine: runs save_picture_test in a scratch folder, first with an
# old picture and a file-size limit that makes the write fail half-way, then on its own,
# then with a command line naming the screen tool, present and missing.
#   save_picture.sh SAVE_PICTURE_TEST_EXE
# Run with the Wine environment exported (scripts/wine-env.sh exec).
set -u
EXE=${1:?save_picture_test.exe}
: "${QIV_WINE:?the Wine environment is not set}"
WORK=$PWD/save_picture.work
checks=0
failures=0

check_rc() {  # label rc
    checks=$((checks + 1))
    if [ "$2" != 0 ]; then
        failures=$((failures + 1))
        echo "FAIL: $1: exit code $2"
    fi
}
winpath() { printf 'Z:%s' "${1//\//\\}"; }

rm -rf "$WORK"
mkdir -p "$WORK"
cp "$EXE" "$WORK/save_picture_test.exe"
cd "$WORK" || exit 1

# The program may write files of at most 1 KiB: the picture's write fails part-way, as on
# a full disk (the signal that would end the program is ignored, so the write reports it).
printf 'old picture\n' >save_picture_test.bmp
(trap '' XFSZ; ulimit -f 1; exec "$QIV_WINE" save_picture_test.exe diskfull) </dev/null 2>/dev/null | tr -d '\r'
check_rc "disk full" "${PIPESTATUS[0]}"

"$QIV_WINE" save_picture_test.exe </dev/null 2>/dev/null | tr -d '\r'
check_rc "pictures" "${PIPESTATUS[0]}"

cp "$EXE" "$WORK/screener_plugin.exe"
"$QIV_WINE" save_picture_test.exe "$(winpath "$WORK/screener_plugin.exe")" </dev/null 2>/dev/null | tr -d '\r'
check_rc "screen tool" "${PIPESTATUS[0]}"

"$QIV_WINE" save_picture_test.exe "$(winpath "$WORK/missing/screener_plugin.exe")" </dev/null 2>/dev/null | tr -d '\r'
check_rc "screen tool missing" "${PIPESTATUS[0]}"

echo "save_picture: $checks runs, $((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
