#!/usr/bin/env bash
# Capture mode, as a class-checking tool uses it: the probe (capture_probe.cpp) is run with
# QIV_CAPTURE_DIR and its files are checked.
#  1. the captured canvas is pixel for pixel the canvas of a normal run of the same drawing;
#  2. input file lines reach cin in order, then reads get empty lines; no file: empty lines;
#  3. an endless loop ends with status=timeout after QIV_CAPTURE_SECONDS;
#  4. message boxes are answered with their default buttons, counted and noted in output.txt;
#  5. a crash gives status=crashed and exit code 3;
#  6. no window is visible, Ctrl+R is left free, and the settings file is neither read nor
#     written (drive D: is mapped for the test and taken away again).
#   capture_mode.sh CAPTURE_PROBE_EXE
# Run with the Wine environment exported (scripts/wine-env.sh exec).
set -u
PROBE=${1:?capture_probe.exe}
: "${WINEPREFIX:?the Wine environment is not set}" "${QIV_WINE:?the Wine environment is not set}"
WORK=$PWD/capture_mode.work
DRIVE=$WINEPREFIX/dosdevices/d:
SETTINGS=$WORK/d/Qivconfig.txt
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
check_has() {  # label file text
    if [ -f "$2" ] && grep -qF -- "$3" "$2"; then pass; else
        failed "$1: [$3] is not in $(basename "$2")"
        [ -f "$2" ] && tr -d '\r' <"$2" | iconv -f GBK -t UTF-8 2>/dev/null | sed 's/^/    | /'
    fi
}
field() { sed -n "s/^$2=//p" "$1/result.txt" 2>/dev/null; }  # dir name
gbk() { printf '%s' "$1" | iconv -f UTF-8 -t GBK; }
windows_path() { printf 'Z:%s' "$1" | tr / '\\'; }

if [ -L "$DRIVE" ] && [ "$(readlink "$DRIVE")" = "$WORK/d" ]; then rm -f "$DRIVE"; fi
if [ -e "$DRIVE" ] || [ -L "$DRIVE" ]; then
    echo "FAIL: drive D: is already mapped in $WINEPREFIX ($(readlink "$DRIVE"))"
    exit 1
fi
rm -rf "$WORK"
mkdir -p "$WORK/d"
trap 'rm -f "$DRIVE"' EXIT
ln -s "$WORK/d" "$DRIVE"
cp "$PROBE" "$WORK/probe.exe"
cd "$WORK"

# Runs the probe in capture mode into folder $1 with the word $2; sets rc and elapsed (ms).
capture() {  # dir word [VAR=value...]
    local dir=$1 word=$2 start
    shift 2
    mkdir -p "$WORK/$dir"
    start=$(date +%s%N)
    env QIV_CAPTURE_DIR="$(windows_path "$WORK/$dir")" "$@" "$QIV_WINE" probe.exe "$word" </dev/null >/dev/null 2>&1
    rc=$?
    elapsed=$(( ($(date +%s%N) - start) / 1000000 ))
    if [ -f "$WORK/$dir/result.txt" ]; then pass; else failed "$word: no result.txt (exit code $rc)"; fi
}

# 1 and 6. The normal run reads the compiled-in layout from the settings file; the captured
# run must come to the same canvas although the file then says otherwise, and must leave
# the file alone.
settings() { printf '%s //\r\n' "$@" >"$SETTINGS"; }
settings 5 5 960 750 60
normal=$("$QIV_WINE" probe.exe draw </dev/null 2>/dev/null | tr -d '\r')
check_eq "normal run: the probe's own checks" "visible=1 hotkey_free=0 canvas=1" "$normal"
settings 40 40 700 500 200
before=$(md5sum <"$SETTINGS")
capture draw draw
check_eq "draw: exit code" 0 "$rc"
check_eq "draw: status" ended "$(field draw status)"
check_has "draw: no window visible, Ctrl+R free" draw/output.txt "visible=0 hotkey_free=1"
# Written, it would hold the window's compiled-in layout instead.
check_eq "draw: the settings file is untouched" "$before" "$(md5sum <"$SETTINGS")"
if [ ! -s normal.bmp ] || [ ! -s draw/canvas.bmp ]; then
    failed "canvas: normal.bmp or canvas.bmp is missing"
elif cmp -s normal.bmp draw/canvas.bmp; then
    pass
else
    failed "canvas: the captured canvas differs from the normal run's ($(cmp -l normal.bmp draw/canvas.bmp 2>/dev/null | wc -l) bytes differ; sizes $(stat -c %s normal.bmp) and $(stat -c %s draw/canvas.bmp))"
    od -An -tu4 -j18 -N8 normal.bmp; od -An -tu4 -j18 -N8 draw/canvas.bmp
fi
# The picture is more than an empty canvas: pixels of the red lines are in it.
red=$(od -An -v -tx1 -w3 -j54 draw/canvas.bmp | grep -c '^ 00 00 ff$')
if [ "$red" -gt 300 ]; then pass; else failed "canvas: only $red red pixels in canvas.bmp"; fi

# 2. Input lines: CR LF, LF and a last line without a line break.
{ printf '12 abc\r\n'; gbk "第二行 中文"; printf '\n34'; } >input.txt
capture input input QIV_CAPTURE_INPUT="$(windows_path "$WORK/input.txt")"
check_eq "input: status" ended "$(field input status)"
check_has "input: lines in order, then empty ones" input/output.txt \
    "a=12 w=abc s=[$(gbk "第二行 中文") ] c=34 d=55 s2=[ ] e=unset"
capture no-input input QIV_CAPTURE_INPUT="$(windows_path "$WORK/missing.txt")"
check_eq "no input file: status" ended "$(field no-input status)"
check_has "no input file: every read gets an empty line" no-input/output.txt \
    "a=-1 w=unset s=[ ] c=77 d=55 s2=[ ] e=unset"

# 3. An endless loop is stopped after 2 s; a bad limit is 10 s, not 0.
capture loop loop QIV_CAPTURE_SECONDS=2
check_eq "loop: status" timeout "$(field loop status)"
check_eq "loop: exit code" 0 "$rc"
ms=$(field loop milliseconds)
if [ "${ms:-0}" -ge 2000 ] && [ "${ms:-0}" -le 6000 ]; then pass; else failed "loop: milliseconds=$ms, expected 2000-6000"; fi
if [ "$elapsed" -lt 15000 ]; then pass; else failed "loop: the capture took $elapsed ms"; fi
check_has "loop: what it printed" loop/output.txt "looping"
check_has "loop: stopped as the Stop button stops" loop/output.txt "$(gbk "==== 运行结束  ====")"

# 4. Two boxes of the program (OK; Yes/No with No as default) and the runtime's own box.
capture box box
check_eq "box: status" ended "$(field box status)"
check_eq "box: boxes" 3 "$(field box boxes)"
check_has "box: default buttons pressed" box/output.txt "r1=1 r2=7"
check_has "box: the program's box" box/output.txt "$(gbk "[消息框] 标题: 第一个框")"
check_has "box: a box of two lines" box/output.txt "[$(gbk 消息框)] Q: second line"
check_has "box: the runtime's box" box/output.txt "$(gbk "[消息框] 出错: 调图形文件失败！")"

# 5. A crash.
capture crash crash
check_eq "crash: exit code" 3 "$rc"
check_eq "crash: status" crashed "$(field crash status)"
check_has "crash: what it printed before" crash/output.txt "before crash"
if [ -s crash/canvas.bmp ]; then pass; else failed "crash: no canvas.bmp"; fi

echo "capture_mode: $checks checks, $((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
