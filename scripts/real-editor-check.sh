#!/usr/bin/env bash
# The plug-in in the real editor, installed by our own installer, under Wine in a virtual X
# server: one line per check, PASS, FAIL (with what was seen) or SEEN (an observation, no
# verdict), then a summary. Exit status: the number of FAIL lines (99: the run could not start).
#
#   scripts/real-editor-check.sh EDITOR_DIR [PACKAGE_DIR]
#
# EDITOR_DIR: an editor folder (notepad++.exe and its files) of the kind Wine runs here: the
#   64-bit editor where only 64-bit Wine runs, the 32-bit one where 32-bit Wine runs
#   (scripts/wine-env.sh arch tells which).
# PACKAGE_DIR: the folder with qiv-setup-x64.exe / qiv-setup.exe (default build/tests/package).
#
# What it does: a fresh Wine prefix and virtual display of its own; the editor laid out in
# C:\Program Files\Notepad++ as its own installer leaves it (no doLocalConf.xml), started once
# and closed so that it writes its settings; the stand-ins of the teacher's MinGW put into
# MinGW\bin; our installer run silently; then the editor driven with keys (xdotool) and a
# probe program (tests/real_editor/editor_probe.cpp, built here) that reads its windows.
#
# Env: QIV_BUILD_DIR (default build; the stand-ins come from its Windows build of the arch),
#   QIV_STANDINS (a folder with g++.exe, ar.exe, rm.exe instead), QIV_CHECK_COMPILER (a Linux
#   cross compiler for the g++ stand-in to run, written to g++.exe.linux), QIV_CHECK_DIR (the
#   work folder, default a new /tmp/qiv-real-editor.XXXXXX), QIV_KEEP_PREFIX=1 (keep the
#   prefix afterwards). Screenshots go to <work folder>/shots. About 8 minutes.
#
# Plug-in commands are WM_COMMAND 22000 + menu index (ours is the only plug-in): 0 编译+运行Qiv
# F11, 1 编译Qiv F9, 2 运行Qiv F10, 3 新建Qiv程序, 4 取颜色值 F1, 5 课本样例程序, 6 帮助文件,
# 7 C++编译+运行 F8, 8 C++新程序, 9 About F12, 10 编译信息窗口.
set -u
ROOT=$(cd "$(dirname "$0")/.." && pwd)
usage="usage: scripts/real-editor-check.sh EDITOR_DIR [PACKAGE_DIR]"
EDITOR_DIR=$(realpath "${1:?$usage}")
PACKAGE_DIR=$(realpath "${2:-${QIV_BUILD_DIR:-$ROOT/build}/tests/package}")
BUILD=${QIV_BUILD_DIR:-$ROOT/build}
T_START=$SECONDS

ARCH=$("$ROOT/scripts/wine-env.sh" arch) || exit 99
if [ "$ARCH" = x86_64 ]; then
  WINE=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64 WINEARCH=win64
  SETUP=$PACKAGE_DIR/qiv-setup-x64.exe
  STANDINS=${QIV_STANDINS:-$BUILD/tests/windows64/tests/standins/npp/MinGW/bin}
else
  WINE=/usr/lib/wine/wine WINESERVER=/usr/lib/wine/wineserver32 WINEARCH=win32
  [ -x "$WINESERVER" ] || WINESERVER=/usr/lib/wine/wineserver
  SETUP=$PACKAGE_DIR/qiv-setup.exe
  STANDINS=${QIV_STANDINS:-$BUILD/tests/windows/tests/standins/npp/MinGW/bin}
fi
for f in "$EDITOR_DIR/notepad++.exe" "$SETUP" "$STANDINS/g++.exe" "$STANDINS/ar.exe" "$STANDINS/rm.exe"; do
  [ -f "$f" ] || { echo "missing: $f" >&2; exit 99; }
done
for t in Xvfb xdotool import convert python3 iconv xxd "$ARCH-w64-mingw32-g++" "$WINE"; do
  command -v "$t" >/dev/null || { echo "missing tool: $t" >&2; exit 99; }
done

WORK=${QIV_CHECK_DIR:-$(mktemp -d /tmp/qiv-real-editor.XXXXXX)}
mkdir -p "$WORK"
SHOTS=$WORK/shots RUN=$WORK/run
export WINEPREFIX=$WORK/prefix WINEARCH WINELOADER=$WINE WINESERVER
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
rm -rf "$WINEPREFIX" "$SHOTS" "$RUN"
mkdir -p "$SHOTS" "$RUN"
NPP_WIN='C:\Program Files\Notepad++'
N=$WINEPREFIX/drive_c/Program\ Files/Notepad++
USER_DIR=$WINEPREFIX/drive_c/users/$(id -un)
APPDATA_NPP=$USER_DIR/AppData/Roaming/Notepad++

# ---- Helpers
fails=0 passes=0 seens=0
pass() { echo "PASS $*"; passes=$((passes + 1)); }
fail() { echo "FAIL $*"; fails=$((fails + 1)); }
seen() { echo "SEEN $*"; seens=$((seens + 1)); }
# Wine runs in the GBK locale (code page 936, as on a Chinese Windows); this shell stays in C
# and matches the probe's UTF-8 output byte for byte.
wine_() { LC_ALL=zh_CN.GBK LANG=zh_CN.GBK "$WINE" "$@"; }
winpath() { echo "Z:${1//\//\\}"; }
PROBE=$RUN/editor_probe.exe
probe() { wine_ "$(winpath "$PROBE")" "$@" 2>/dev/null | tr -d '\r'; }
cmd() { probe command $((22000 + $1)) >/dev/null; }
# wait_until SECONDS COMMAND...: true as soon as the command succeeds
wait_until() { local end=$((SECONDS + $1)); shift; while [ $SECONDS -lt $end ]; do "$@" && return 0; sleep 0.3; done; return 1; }
has_window() { probe windows | grep -a -q "$1"; }
panel_has() { probe panel | grep -a -q -F "$1"; }
panel_tail() { probe panel | grep -a '^|' | grep -a -v '^| *$' | tail -"${1:-3}" | sed 's/^| *//' | tr '\n' ' '; }
qiv_gone() { ! probe windows | grep -a -q 'class="Qiv"'; }
close_qiv() { probe close Qiv >/dev/null; wait_until 10 qiv_gone; }
focus_editor() { xdotool mousemove 500 400 click 1; sleep 0.5; }
xkey() { xdotool key --delay 100 "$@"; sleep 1; }
click() { xdotool mousemove "$1" "$2" click 1; sleep 0.7; }
view() { probe caret | grep -a '^VIEW' | head -1; }
editor_rect() { probe windows | grep -a 'class="Notepad++"' | grep -a -o 'rect=[-0-9,]*' | head -1; }
# shot NAME: the editor's desktop as a small palette PNG
shot() { import -window root -crop 1280x1000+0+0 +repage -colors 256 "PNG8:$SHOTS/$1.png" 2>/dev/null; }

# The editor inside Wine's own desktop (frames, title and menu bars).
npp_start() {
  wine_ explorer /desktop=npp,1280x1000 "$NPP_WIN\\notepad++.exe" "$@" >>"$RUN/npp.log" 2>&1 &
  local i
  for i in $(seq 1 60); do
    probe windows | grep -a -q 'class="Notepad++"' && { sleep 2; return 0; }
    sleep 1
  done
  return 1
}
# npp_open 'C:\...': the running editor opens the file (a second start hands it over).
npp_open() {
  wine_ explorer /desktop=npp,1280x1000 "$NPP_WIN\\notepad++.exe" "$1" >>"$RUN/npp.log" 2>&1 &
  local i
  for i in $(seq 1 30); do
    probe caret | grep -a -q -F "$1 - Notepad++" && return 0
    sleep 0.5
  done
  echo "real-editor-check: the editor did not open $1" >&2; return 1
}
# True while the editor's own process of this prefix exists (not a zombie).
npp_running() {
  local p
  for p in $(pgrep -f '^C:.Program Files.Notepad\+\+.notepad\+\+\.exe'); do
    tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" || continue
    [ "$(awk '{print $3}' "/proc/$p/stat" 2>/dev/null)" = Z ] && continue
    return 0
  done
  return 1
}
# Closes the editor with its own exit command and waits for its process to end.
npp_quit() {
  probe command 41011 >/dev/null  # IDM_FILE_EXIT
  local i
  for i in $(seq 1 30); do npp_running || return 0; sleep 1; done
  return 1
}
# Runs our installer silently into the editor's folder; prints its exit code.
run_installer() {
  timeout 300 env LC_ALL=zh_CN.GBK LANG=zh_CN.GBK "$WINE" "$(winpath "$SETUP")" /S "/D=$NPP_WIN" </dev/null >>"$RUN/installer.log" 2>&1
  echo $?
}

# ---- The environment: display, prefix, probe
cleanup() {
  [ -n "${WINEPREFIX:-}" ] && "$WINESERVER" -k >/dev/null 2>&1
  [ -f "$RUN/xvfb.pid" ] && kill "$(cat "$RUN/xvfb.pid")" 2>/dev/null
  rm -f "$RUN/xvfb.pid"
  [ "${QIV_KEEP_PREFIX:-0}" = 1 ] || rm -rf "$WINEPREFIX"
}
trap cleanup EXIT
trap 'exit 98' INT TERM
for n in $(seq 170 199); do
  [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || break
done
export DISPLAY=":$n"
Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp </dev/null >"$RUN/xvfb.log" 2>&1 &
echo $! >"$RUN/xvfb.pid"
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
"$ARCH-w64-mingw32-g++" -O1 -municode -DUNICODE -D_UNICODE -static-libgcc -static-libstdc++ \
  "$ROOT/tests/real_editor/editor_probe.cpp" -o "$PROBE" || { echo "the probe did not build" >&2; exit 99; }
wine_ wineboot -i >/dev/null 2>&1; "$WINESERVER" -w
# The Desktop and Documents of a new prefix are links to the Linux home: real folders instead.
for d in Desktop Documents; do [ -L "$USER_DIR/$d" ] && rm "$USER_DIR/$d" && mkdir "$USER_DIR/$d"; done
"$WINESERVER" -p  # one server for the whole run (ended by cleanup)
# Chinese faces are drawn with the Chinese font installed on Linux.
{
  printf '\xef\xbb\xbfWindows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
  for face in 宋体 黑体 楷体 新宋体 SimSun SimHei KaiTi NSimSun; do printf '"%s"="WenQuanYi Zen Hei"\r\n' "$face"; done
} | iconv -f UTF-8 -t UTF-16LE >"$RUN/fonts.reg"
wine_ regedit /S "$(winpath "$RUN/fonts.reg")" >/dev/null 2>&1
# Wine hands web addresses and .html files to the first Linux browser it finds (xdg-open
# first): a stand-in in front of PATH records what it was given and opens nothing.
mkdir -p "$RUN/bin"
printf '#!/bin/sh\necho "$(basename "$0") $*" >>"%s"\n' "$RUN/browser.log" >"$RUN/bin/xdg-open"
chmod +x "$RUN/bin/xdg-open"
export PATH="$RUN/bin:$PATH"
echo "real-editor-check: Wine $ARCH, editor $EDITOR_DIR, installer $SETUP, display $DISPLAY, work $WORK"

# ---- Students' files (CR LF, as the editor saves them)
W=$WINEPREFIX/drive_c/work
mkdir -p "$W"
cp "$ROOT/samples/first_steps/first_steps.cpp" "$W/star.cpp"
printf 'int main()\r\n{\r\n    foo = 1;\r\n    return 0;\r\n}\r\n' >"$W/err.cpp"
printf 'int main()\r\n{\r\n\tint a = 1;\r\n\tfoo = a;\r\n\treturn 0;\r\n}\r\n' >"$W/err_tab.cpp"
printf '// 测试\r\nint main()\r\n{\r\n    cout << "你好" << x1;\r\n    return 0;\r\n}\r\n' | iconv -f UTF-8 -t GBK >"$W/err_gbk.cpp"
printf 'colour numbers: \r\n' >"$W/colour.txt"
printf '#include <cstdio>\r\nint main()\r\n{\r\n    std::printf("hello from F8\\n");\r\n    return 0;\r\n}\r\n' >"$W/hello.cpp"
# A program as 新建Qiv程序 starts it, filled in with Chinese comments and saved in GBK.
printf '//程序名:画正方形\r\n//作者: 张小明\r\n// 这个程序画一个红色的正方形，然后在输出窗口里写一句话。\r\n\r\nint main()\r\n{\r\n    pen.color(1);            // 红色\r\n    for (int i = 0; i < 4; i++) {\r\n        pen.fd(100).rt(90);  // 前进一百，右转九十度\r\n    }\r\n    cout << "正方形画好了！" << endl;\r\n    return 0;\r\n}\r\n' | iconv -f UTF-8 -t GBK >"$W/student.cpp"
# A program in a student's own folder that uses a tool header (found in MinGW\include\tools).
OWN=$WINEPREFIX/drive_c/students/xiaoming
mkdir -p "$OWN"
printf '#include "tools/qivplus.h"\r\n// 用工具头文件\r\nint main()\r\n{\r\n    _clearRec(-50, 50, 100, 100, 255, 255, 0);\r\n    pen.fd(80).rt(120).fd(80).rt(120).fd(80);\r\n    cout << "工具头文件可以用" << endl;\r\n    return 0;\r\n}\r\n' | iconv -f UTF-8 -t GBK >"$OWN/tools_demo.cpp"

# ---- 1. The teacher's editor before our installer: laid out, started once, closed.
mkdir -p "$N"
cp -r "$EDITOR_DIR/." "$N/"
rm -f "$N/doLocalConf.xml"
npp_start || { echo "FAIL the editor did not start"; exit 99; }
shot 00_editor_before_install
npp_quit || { echo "FAIL the editor did not close"; exit 99; }
BEFORE=$RUN/appdata-before
cp -r "$APPDATA_NPP" "$BEFORE" 2>/dev/null || mkdir -p "$BEFORE"
seen "0: the editor's settings before the installer: $(ls "$BEFORE" | tr '\n' ' ')"

# ---- 2. The teacher's compiler (stand-ins), then our installer, silently.
mkdir -p "$N/MinGW/bin" "$N/MinGW/include"
cp "$STANDINS/g++.exe" "$STANDINS/ar.exe" "$STANDINS/rm.exe" "$N/MinGW/bin/"
[ -n "${QIV_CHECK_COMPILER:-}" ] && echo "$QIV_CHECK_COMPILER" >"$N/MinGW/bin/g++.exe.linux"
t0=$SECONDS
rc=$(run_installer)
seen "0: $(basename "$SETUP") /S /D=$NPP_WIN took $((SECONDS - t0)) s"
[ "$rc" = 0 ] && pass "0: the installer's exit code is 0" || fail "0: the installer's exit code is $rc"
if [ -s "$N/Qiv/logoLib.stamp" ]; then pass "0: runtime fitted to the compiler: Qiv\\logoLib.stamp '$(head -1 "$N/Qiv/logoLib.stamp" | tr -d '\r')'"
else fail "0: no Qiv\\logoLib.stamp (makeruntime did not fit the runtime); Qiv: $(ls "$N/Qiv" 2>/dev/null | tr '\n' ' ')"; fi
if [ -s "$N/Qiv/logo.h.gch" ]; then pass "0: Qiv\\logo.h.gch made ($(( $(stat -c %s "$N/Qiv/logo.h.gch") / 1048576 )) MB)"
else fail "0: no Qiv\\logo.h.gch after the installer"; fi
for f in plugins/NppPluginQiv/NppPluginQiv.dll MinGW/include/tools/qivplus.h Qiv/tools/killprocess.exe Qiv/uninstall.exe; do
  [ -f "$N/$f" ] || fail "0: the installation lacks $f"
done
# The keys file: the four keys freed; every other entry as before.
verdict=$(python3 - "$BEFORE/shortcuts.xml" "$APPDATA_NPP/shortcuts.xml" <<'EOT'
import os, re, sys
before_path, after_path = sys.argv[1:3]
if not os.path.exists(after_path):
    print('FAIL 0: no shortcuts.xml in %APPDATA%\\Notepad++ after the installer'); sys.exit()
after = open(after_path, 'rb').read().decode('utf-8', 'replace')
freed = sorted(re.findall(r'<Shortcut id="(44032|44009|44072|47000)" Ctrl="no" Alt="no" Shift="no" Key="0" />', after))
if freed != ['44009', '44032', '44072', '47000']:
    print('FAIL 0: shortcuts.xml after the installer frees %s, not 44009 44032 44072 47000' % freed); sys.exit()
if not os.path.exists(before_path):
    print('PASS 0: shortcuts.xml (none before): F1, F8, F11, F12 freed'); sys.exit()
before = open(before_path, 'rb').read().decode('utf-8', 'replace')
strip = re.sub(r'[ \t]*<Shortcut id="(44032|44009|44072|47000)" Ctrl="no" Alt="no" Shift="no" Key="0" />\r?\n', '', after)
norm = lambda t: re.sub(r'<InternalCommands>\s*</InternalCommands>', '<InternalCommands />', t)
if norm(strip) != norm(before):
    print('FAIL 0: shortcuts.xml: entries other than the four keys changed')
else:
    print('PASS 0: shortcuts.xml: F1, F8, F11, F12 freed, every other entry as before')
EOT
)
case "$verdict" in PASS\ *) pass "${verdict#PASS }";; *) fail "${verdict#FAIL }";; esac
cp "$APPDATA_NPP/shortcuts.xml" "$SHOTS/shortcuts-after-install.xml" 2>/dev/null

# ---- 3. The plug-in loads.
npp_start 'C:\work\star.cpp' || { echo "FAIL the editor did not start after the installer"; exit 99; }
shot 01_start
d=$(probe dialogs)
[ -z "$d" ] && pass "a: no dialog after start" || fail "a: a dialog is open after start: $d"
cmd 10; sleep 1   # 编译信息窗口
probe panel | grep -a -q 'visible=1' && pass "a: the plug-in's command 编译信息窗口 shows its panel" \
  || fail "a: no panel after 编译信息窗口: $(probe panel | head -1)"
click 458 33; click 500 56; sleep 0.5; shot 02_plugins_menu; xkey Escape Escape Escape
seen "a: the Plugins menu with Qiv编程1.0.2: shots/02_plugins_menu.png"

# ---- 4. The six keys.
rm -f "$W/star.exe"
focus_editor; xkey F9
if wait_until 40 panel_has '编译用时' && [ -f "$W/star.exe" ]; then pass "b: F9 builds star.exe ($(probe panel | grep -a -o '编译用时.*秒' | head -1))"
else fail "b: F9: $(panel_tail)"; fi
shot 03_F9_built
focus_editor; xkey F10
wait_until 20 has_window 'class="Qiv"' && pass "b: F10 runs the built program" || fail "b: F10 started no program"
close_qiv
npp_open 'C:\work\colour.txt'; focus_editor; xdotool key End
len0=$(view | grep -a -o 'length=[0-9]*'); xkey F1
if wait_until 10 has_window 'title="颜色"\|title="Color'; then
  shot 04_F1_colour_dialog
  probe close-dialog >/dev/null; sleep 1.5
  len1=$(view | grep -a -o 'length=[0-9]*')
  [ "$len1" != "$len0" ] && pass "b: F1 opens 取颜色值's colour dialog; OK types the number ($len0 → $len1)" \
    || fail "b: F1: colour dialog, but nothing typed after OK ($len0 → $len1)"
else fail "b: F1 is not the colour dialog: $(probe dialogs | head -2)"; shot 04_F1_not_colour; fi
probe dialogs | grep -a -q . && { probe button 2 >/dev/null; sleep 1; }
npp_open 'C:\work\star.cpp'; focus_editor; xkey F12
if wait_until 10 has_window 'Qiv编程1.0.2'; then pass "b: F12 shows the plug-in's About (Qiv编程1.0.2)"; shot 05_F12_about
else fail "b: F12 is not the plug-in's About: $(probe dialogs | head -2)"; shot 05_F12_not_about; fi
probe close-dialog >/dev/null; sleep 1
# F8 runs the program through Qiv\tools\runPause.bat, whose console takes the program's name
# as its title.
npp_open 'C:\work\hello.cpp'; focus_editor; rm -f "$W/hello.exe"; xkey F8
if wait_until 30 has_window 'title="hello"' && [ -f "$W/hello.exe" ]; then pass "b: F8 builds plain C++ and runs it in a console"; sleep 2; shot 06_F8_console
else fail "b: F8: no console titled hello; panel: $(panel_tail)"; shot 06_F8_failed; fi
cw=$(probe windows | grep -a 'title="hello"' | grep -a -o 'class="[^"]*"' | head -1 | cut -d'"' -f2)
[ -n "$cw" ] && probe close "$cw" >/dev/null; sleep 1
npp_open 'C:\work\star.cpp'; focus_editor; r0=$(editor_rect)
xkey F11
if wait_until 30 has_window 'class="Qiv"'; then pass "b: F11 builds and starts the program"; sleep 2; shot 07_F11_program
else fail "b: F11 started no program: $(panel_tail)"; shot 07_F11_failed; fi
close_qiv
r1=$(editor_rect)
[ -n "$r0" ] && [ "$r0" = "$r1" ] || fail "b: after F11 the editor's window changed ('$r0' → '$r1'): its own full screen?"

# ---- 5. New programs: template bytes, code page, caret.
cmd 3; sleep 3
f=$W/qiv_01.cpp
expect=$(printf '//程序名:新的Qiv程序\r\n//作者: \r\n\r\nint main()\r\n{\r\n     \r\n\r\n    return 0;\r\n}' | iconv -f UTF-8 -t GBK | xxd -p | tr -d '\n')
expect_lf=$(printf '//程序名:新的Qiv程序\n//作者: \n\nint main()\n{\n     \n\n    return 0;\n}' | iconv -f UTF-8 -t GBK | xxd -p | tr -d '\n')
got=$(xxd -p "$f" 2>/dev/null | tr -d '\n')
if [ -n "$got" ] && { [ "$got" = "$expect" ] || [ "$got" = "$expect_lf" ]; }; then pass "c: 新建Qiv程序 saved qiv_01.cpp with the GBK template ($(stat -c %s "$f") bytes)"
else fail "c: 新建Qiv程序: qiv_01.cpp missing or not the GBK template: ${got:0:80}"; fi
v=$(view)
case "$v" in *codepage=936*) pass "c: 新建Qiv程序: the document is ANSI (code page 936)";; *) fail "c: 新建Qiv程序: not ANSI: $v";; esac
case "$v" in *"line=6 "*) pass "c: 新建Qiv程序: caret on the blank line inside main ($(echo "$v" | grep -a -o 'line=[0-9]* column=[0-9]*'))";;
  *) fail "c: 新建Qiv程序: caret not on line 6: $(echo "$v" | grep -a -o 'line=[0-9]* column=[0-9]*')";; esac
shot 08_new_qiv_program
cmd 8; sleep 3
v=$(view)
[ -f "$W/c++_01.cpp" ] || fail "c: C++新程序 saved no c++_01.cpp"
case "$v" in *"line=11 "*) pass "c: C++新程序: caret inside main ($(echo "$v" | grep -a -o 'line=[0-9]* column=[0-9]*'))";;
  *) fail "c: C++新程序: caret not on line 11 (inside main): $(echo "$v" | grep -a -o 'line=[0-9]* column=[0-9]*')";; esac
shot 09_new_cpp_program

# ---- 6. Builds with errors: the hint line, the caret on the error.
# check_error FILE LINE COLUMN TEXT WHAT: the hint names line and column (the compiler's), and
# the caret stands on LINE just before TEXT.
check_error() {
  npp_open "$1"; cmd 1
  wait_until 40 panel_has '编译失败' || true; sleep 1
  local p v
  p=$(probe panel); v=$(probe caret)
  if echo "$p" | grep -a -q "在第 $2 行第 $3 列附近有错误"; then pass "e: $5: hint line for line $2 column $3"
  else fail "e: $5: no hint for line $2 column $3: $(panel_tail 2)"; fi
  if echo "$v" | grep -a '^VIEW' | grep -a -q "line=$2 " && echo "$v" | grep -a -q -F "AT \"$4"; then pass "e: $5: caret on the error ('$4')"
  else fail "e: $5: caret not before '$4' on line $2: $(echo "$v" | grep -a -o 'line=[0-9]* column=[0-9]*') $(echo "$v" | grep -a '^AT')"; fi
}
check_error 'C:\work\err.cpp' 3 5 'foo = 1;' "space-indented line"
shot 10_error_space
check_error 'C:\work\err_tab.cpp' 4 9 'foo = a;' "tab-indented line"
shot 11_error_tab
check_error 'C:\work\err_gbk.cpp' 4 23 'x1;' "after Chinese text (GBK file)"
shot 12_error_gbk

# ---- 7. A student's GBK program with Chinese comments, saved earlier, opened from disk.
npp_open 'C:\work\student.cpp'; focus_editor
seen "k: student.cpp (GBK) opened as: $(probe caret | grep -a -o 'codepage=[0-9]*\|unicode-mode=[0-9]*' | tr '\n' ' ')"
rm -f "$W/student.exe"; xkey F11
if wait_until 40 has_window 'class="Qiv"'; then pass "k: a student's GBK program opened from disk: F11 builds and runs it"; sleep 2; shot 13_student_gbk_program
else fail "k: a student's GBK program opened from disk: no program: $(panel_tail)"; shot 13_student_gbk_failed; fi
close_qiv
gbk=$(printf '正方形画好了' | iconv -f UTF-8 -t GBK | xxd -p)
xxd -p "$W/student.cpp" | tr -d '\n' | grep -q "$gbk" || fail "k: student.cpp on disk no longer holds its GBK text"

# ---- 8. A program in a student's own folder with #include "tools/qivplus.h", F9.
npp_open 'C:\students\xiaoming\tools_demo.cpp'; focus_editor
rm -f "$OWN/tools_demo.exe"; xkey F9
if wait_until 40 panel_has '编译用时' && [ -f "$OWN/tools_demo.exe" ]; then pass "p: #include \"tools/qivplus.h\" in a student's own folder: F9 builds it"
else fail "p: #include \"tools/qivplus.h\" in C:\\students\\xiaoming: $(panel_tail 4)"; fi
shot 14_tools_header_built
if [ -f "$OWN/tools_demo.exe" ]; then
  focus_editor; xkey F10
  if wait_until 20 has_window 'class="Qiv"'; then sleep 2; shot 15_tools_header_program; pass "p: the program with the tool header runs (F10)"
  else fail "p: F10 started no program for tools_demo.exe"; fi
  close_qiv
fi

# ---- 9. The panel's wait line while the precompiled header is made by the build key.
# The make blocks the editor; the screen is looked at about every second meanwhile, and the
# rows of text in the panel's edit control counted: 1 is "(1) 删除了旧的程序！" alone, 2 is with
# the wait line, more are the later steps (or the old text, if nothing was repainted).
text_rows() {  # IMAGE X Y W H
  convert "$1" -crop "$4x$5+$2+$3" +repage -colorspace gray -threshold 60% -negate -scale "1x$5!" -depth 8 txt:- |
    awk -F'[(),]' 'NR>1 {v=$4+0; if (v>4) { if (!r) {n++; r=1} } else r=0} END {print n+0}'
}
rm -f "$N/Qiv/logo.h.gch" "$N/Qiv/logo.h.gch.stamp"
npp_open 'C:\work\star.cpp'
er=$(probe panel | grep -a -o 'edit-rect=[-0-9,]*' | cut -d= -f2)
IFS=, read -r ex1 ey1 ex2 ey2 <<<"${er:-0,0,0,0}"
xdotool mousemove 1250 990
rm -f "$RUN"/during-*.png "$RUN/busy.log"; last=""; t0=$SECONDS
cmd 1; sleep 0.5
for i in $(seq 1 90); do
  import -window root -crop 1280x1000+0+0 +repage "$RUN/during-$i.png" 2>/dev/null
  b=$(probe busy); echo "$((SECONDS - t0)) s: $b" >>"$RUN/busy.log"
  echo "$b" | grep -q 'answered=0' || break
  last=$i
done
wait_until 60 panel_has '编译用时' || true
shot 16b_after_header_build
p=$(probe panel)
seen "g: build with the header made first: $(echo "$p" | grep -a -o '编译用时.*秒'); the editor did not answer in $(grep -c 'answered=0' "$RUN/busy.log") of $(grep -c BUSY "$RUN/busy.log") looks"
echo "$p" | grep -a -q '正在生成快速编译文件' && pass "g: the panel holds '$(echo "$p" | grep -a '正在生成快速编译文件' | head -1 | sed 's/^| *//')'" \
  || fail "g: no line about making the header: $(panel_tail 4)"
[ -s "$N/Qiv/logo.h.gch" ] && pass "g: the build key made Qiv\\logo.h.gch again" || fail "g: no Qiv\\logo.h.gch after the build"
if [ -n "$last" ] && [ "$ex2" -gt 0 ]; then
  rows=""; twos=0; ones=0
  for i in $(seq 1 "$last"); do
    c=$(text_rows "$RUN/during-$i.png" $((ex1 + 6)) $((ey1 + 6)) $((ex2 - ex1 - 30)) $((ey2 - ey1 - 26)))
    rows="$rows $c"; [ "$c" = 2 ] && twos=$((twos + 1)); [ "$c" = 1 ] && ones=$((ones + 1))
  done
  convert "$RUN/during-$(( (last + 1) / 2 )).png" -colors 256 "PNG8:$SHOTS/16a_during_header_build.png"
  if [ $twos -gt 0 ]; then pass "g: the wait line is on the screen while the header is made (panel rows per look:$rows)"
  elif [ "$last" -ge 3 ]; then fail "g: while the header was made the panel never showed the wait line on the screen (panel rows per look:$rows; shots/16a)"
  else seen "g: only $last looks while the editor was busy (panel rows:$rows): no verdict"; fi
else seen "g: no look while the editor was busy; no verdict on the wait line on the screen"; fi
rm -f "$RUN"/during-*.png

# ---- 10. The editor's own Run menu after the installer changed shortcuts.xml.
: >"$RUN/browser.log"
probe command 21000 >/dev/null; sleep 4   # ID_USER_CMD: the Run menu's first command
d=$(probe dialogs)
if [ -n "$d" ]; then
  shot 17_run_command_dialog
  fail "l: the Run menu's first command shows a dialog after the installer: $(echo "$d" | head -1 | sed 's/.*title=//' | cut -c1-300)"
  probe close-dialog >/dev/null; sleep 1
  probe dialogs | grep -a -q . && { probe button 2 >/dev/null; sleep 1; }
elif [ -s "$RUN/browser.log" ]; then pass "l: the Run menu's first command runs with no security warning (browser asked: $(head -1 "$RUN/browser.log" | cut -c1-100))"
else seen "l: the Run menu's first command: no dialog, and nothing asked of the browser"; fi

# ---- 11. Restart: the panel remembered, no dialog.
npp_quit || fail "m: the editor did not close"
grep -a -q 'pluginName="NppPluginQiv.dll" id="10".*isVisible="yes"' "$APPDATA_NPP/config.xml" \
  && pass "m: config.xml remembers the visible panel" || fail "m: config.xml has no visible panel entry: $(grep -a -o '<PluginDlg [^>]*NppPluginQiv[^>]*>' "$APPDATA_NPP/config.xml" | head -1)"
if npp_start; then
  probe panel | grep -a -q 'visible=1' && pass "m: the panel is shown again after a restart" || fail "m: panel not restored: $(probe panel | head -1)"
  d=$(probe dialogs)
  [ -z "$d" ] && pass "m: no dialog after the restart" || fail "m: dialog after the restart: $d"
  shot 18_restarted
  npp_quit || fail "m: the editor did not close the second time"
else fail "m: the editor did not start again"; fi

# ---- 12-14. F11 in other profiles and layouts.
# f11_result SHOT: starts the editor on star.cpp, presses F11, says "program" or what happened.
f11_result() {
  npp_start 'C:\work\star.cpp' || { echo "no editor"; return; }
  focus_editor
  local r0 r1 out
  r0=$(editor_rect); xkey F11
  if wait_until 30 has_window 'class="Qiv"'; then out=program; sleep 1; shot "$1"; close_qiv
  else out="no program (panel: $(panel_tail 2))"; shot "$1"; fi
  r1=$(editor_rect)
  [ -n "$r0" ] && [ "$r0" = "$r1" ] || out="$out; the editor's window changed '$r0' → '$r1' (its full screen)"
  npp_quit >/dev/null 2>&1 || out="$out; the editor did not close"
  echo "$out"
}
# Another user of the machine, whose profile the installer never saw: a fresh one.
mv "$APPDATA_NPP" "$APPDATA_NPP.teacher"
r=$(f11_result 19_fresh_profile_F11)
[ "$r" = program ] && pass "n: another user's fresh profile: F11 builds and runs" || fail "n: another user's fresh profile: F11 → $r"
# Another user with a profile from before the installer: shortcuts.xml still gives F11 to the
# editor's full screen, and the plug-in takes the key over.
rm -rf "$APPDATA_NPP"; cp -r "$BEFORE" "$APPDATA_NPP"
freed_keys() { grep -a -c 'Shortcut id="\(44032\|44009\|44072\|47000\)" Ctrl="no" Alt="no" Shift="no" Key="0"' "$1" 2>/dev/null; }
seen "n: the earlier profile's shortcuts.xml frees $(freed_keys "$APPDATA_NPP/shortcuts.xml" || true) of the editor's F1, F8, F11, F12"
r=$(f11_result 20_old_profile_F11)
[ "$r" = program ] && pass "n: another user's profile from before the installer (F11 still the editor's full screen): F11 builds and runs" \
  || fail "n: another user's profile from before the installer: F11 → $r"
# The editor unpacked from its zip (doLocalConf.xml beside it) under Program Files: the editor
# ignores doLocalConf.xml there and reads %APPDATA%; the installer must change that file.
rm -rf "$APPDATA_NPP"; cp -r "$BEFORE" "$APPDATA_NPP"; rm -rf "$APPDATA_NPP.teacher"
if [ -f "$EDITOR_DIR/doLocalConf.xml" ]; then cp "$EDITOR_DIR/doLocalConf.xml" "$N/"; else : >"$N/doLocalConf.xml"; fi
rm -f "$N/Qiv/tools/editor-keys-saved.txt"
t0=$SECONDS; rc=$(run_installer)
[ "$rc" = 0 ] && pass "o: the installer again, with doLocalConf.xml beside the editor: exit code 0 ($((SECONDS - t0)) s)" \
  || fail "o: the installer with doLocalConf.xml: exit code $rc"
k=$(freed_keys "$APPDATA_NPP/shortcuts.xml")
[ "${k:-0}" = 4 ] && pass "o: the installer freed the keys in %APPDATA%\\Notepad++\\shortcuts.xml, the file the editor reads there" \
  || fail "o: %APPDATA%\\Notepad++\\shortcuts.xml has ${k:-0} of the 4 freed keys$( [ -f "$N/shortcuts.xml" ] && echo "; the editor's folder has a shortcuts.xml")"
r=$(f11_result 21_localconf_F11)
[ "$r" = program ] && pass "o: editor with doLocalConf.xml under Program Files: F11 builds and runs" \
  || fail "o: editor with doLocalConf.xml under Program Files: F11 → $r"
rm -f "$N/doLocalConf.xml"

# ---- Summary
echo "screenshots: $SHOTS"
echo "summary: $passes PASS, $fails FAIL, $seens SEEN in $((SECONDS - T_START)) s"
exit "$fails"
