#!/usr/bin/env bash
# The window settings file "d:\Qivconfig.txt" with drive D: mapped into the Wine prefix:
# a closed window stores its place, size and pane height; the next start reads them back,
# corrected against the screen; a failed write keeps the old file; without drive D: the
# values come from the screen and closing says nothing.
#   settings_file.sh SETTINGS_PROBE_EXE
# Run with the Wine environment exported (scripts/wine-env.sh exec). The mapping of D: is
# removed again at the end, whatever happens: the other tests share the prefix.
set -u
PROBE=${1:?settings_probe.exe}
: "${WINEPREFIX:?the Wine environment is not set}" "${QIV_WINE:?the Wine environment is not set}"
WORK=$PWD/settings_file.work
DRIVE=$WINEPREFIX/dosdevices/d:
FILE=$WORK/d/Qivconfig.txt
checks=0
failures=0

pass() { checks=$((checks + 1)); }
failed() {
    checks=$((checks + 1))
    failures=$((failures + 1))
    echo "FAIL: $*"
}
check_eq() {  # label expected actual
    if [ "$2" == "$3" ]; then pass; else failed "$1: expected [$2], got [$3]"; fi
}

# A leftover mapping of this test's own scratch folder is taken back; any other D: is not
# touched, and the test cannot run.
if [ -L "$DRIVE" ] && [ "$(readlink "$DRIVE")" = "$WORK/d" ]; then rm -f "$DRIVE"; fi
if [ -e "$DRIVE" ] || [ -L "$DRIVE" ]; then
    echo "FAIL: drive D: is already mapped in $WINEPREFIX ($(readlink "$DRIVE"))"
    exit 1
fi
rm -rf "$WORK"
mkdir -p "$WORK/d"
trap 'rm -f "$DRIVE"' EXIT
ln -s "$WORK/d" "$DRIVE"

# The five lines a program writes for these values (GBK comments, CR LF).
settings_bytes() {  # top left width height pane
    printf '%s //\xB4\xB0\xBF\xDA\xC9\xCF\xD7\xF8\xB1\xEA;\r\n' "$1"
    printf '%s //\xB4\xB0\xBF\xDA\xD7\xF3\xD7\xF8\xB1\xEA;\r\n' "$2"
    printf '%s  //\xB4\xB0\xBF\xDA\xBF\xED\xB6\xC8;\r\n' "$3"
    printf '%s  //\xB4\xB0\xBF\xDA\xB8\xDF\xB6\xC8;\r\n' "$4"
    printf '%s //\xCA\xE4\xB3\xF6\xB4\xB0\xBF\xDA\xB3\xF5\xCA\xBC\xB4\xF3\xD0\xA1 , _outWinSize=60;\r\n' "$5"
}

# Runs the probe with the given arguments; its output is shown, its exit code checked.
probe() {  # label args...
    local label=$1 rc
    shift
    "$QIV_WINE" "$PROBE" "$@" </dev/null 2>/dev/null | tr -d '\r'
    rc=${PIPESTATUS[0]}
    check_eq "$label: exit code" 0 "$rc"
}

# Compares the settings file with the bytes written for the given values.
check_file() {  # label top left width height pane
    local label=$1
    shift
    settings_bytes "$@" >"$WORK/expected"
    if [ ! -f "$FILE" ]; then
        failed "$label: no settings file was written"
    elif cmp -s "$WORK/expected" "$FILE"; then
        pass
    else
        failed "$label: the settings file differs"
        echo "---- expected"; od -c "$WORK/expected"; echo "---- written"; od -c "$FILE"
    fi
    if [ -e "$FILE.tmp" ] || [ -L "$FILE.tmp" ]; then failed "$label: the temporary file was left behind"; else pass; fi
}

# 1. Without a file the window starts from the screen; it is moved to (40, 60), made 700 x 500
#    and the strip dragged to a 200-pixel pane, then closed during a run: the file holds that.
probe "move" move
check_file "after moving" 60 40 700 500 200

# 2. The next start reads it back, and closing again stores the same bytes.
probe "read back" expect 60 40 700 500 200
check_file "after reading back" 60 40 700 500 200

# 3. A hand-edited file is corrected at start: height 100 and width 50 become 200, the
#    window comes onto the screen whole (top -40 and left -100 become 0) and an output pane
#    of 3 becomes the smallest usable one, 40.
printf -- '-40 //\r\n-100\r\n50\r\n100\r\n3\r\n' >"$FILE"
probe "corrected" expect 0 0 200 200 40
check_file "after the corrected start" 0 0 200 200 40

# 4. A write that fails half-way (the disk is full) keeps the old file byte for byte and
#    is not reported: the temporary file beside it is a full device.
settings_bytes 100 100 800 600 100 >"$FILE"
cp "$FILE" "$WORK/old"
ln -s /dev/full "$FILE.tmp"
probe "disk full" move
if cmp -s "$WORK/old" "$FILE"; then pass; else failed "disk full: the old settings file was changed"; od -c "$FILE"; fi
rm -f "$FILE.tmp"

# 5. Without drive D: the screen decides (the test display is 1280 x 1024): (5, 5), 900 x 700,
#    pane 50; closing reports nothing and writes nothing.
rm -f "$DRIVE"
probe "no drive D" expect 5 5 900 700 50
if [ -e "$DRIVE" ]; then failed "no drive D: the mapping came back"; else pass; fi

echo "settings_file: $checks checks, $((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
