#!/usr/bin/env bash
# The installer, run silently as a school's deployment would: into a stand-in editor folder
# whose user already has a shortcuts file with entries of their own. Checks the files, the
# freed keys with every other entry kept, the refusal of a folder without the editor, and
# that the uninstaller removes exactly what was installed and gives the keys back.
#   installer_silent.sh SETUP_EXE INSTALL_TREE GXX_STANDIN
# Run with the Wine environment exported (wine-env.sh exec). The editor folder gets the g++
# stand-in as its compiler, so the installer makes the precompiled runtime header with it.
set -u
SETUP=${1:?installer} TREE=${2:?the installed tree the installer packs} GXX=${3:?g++ stand-in}
: "${QIV_WINE:?the Wine environment is not set}" "${WINEPREFIX:?}"
WORK=$PWD/installer_silent.work
rm -rf "$WORK" && mkdir -p "$WORK"
passed=0 failures=0
pass() { passed=$((passed + 1)); }
failed() { failures=$((failures + 1)); echo "installer_silent: Test failed: $*"; }
check_eq() { if [ "$2" = "$3" ]; then pass; else failed "$1: [$3], expected [$2]"; fi; }
wine_run() { "$QIV_WINE" "$@" </dev/null >>"$WORK/wine.log" 2>&1; }
unix_of() { "$QIV_WINE" winepath -u "$1" 2>/dev/null; }

appdata=$(unix_of "$("$QIV_WINE" cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')")
[ -n "$appdata" ] || { echo "installer_silent: cannot find %APPDATA% in the prefix"; exit 1; }
editor_win='C:\qivtest\Notepad++'
editor=$WINEPREFIX/drive_c/qivtest/Notepad++
rm -rf "$WINEPREFIX/drive_c/qivtest" "$appdata/Notepad++"
mkdir -p "$editor" "$appdata/Notepad++" "$WINEPREFIX/drive_c/qivtest/empty"
echo "stand-in editor" >"$editor/notepad++.exe"
mkdir -p "$editor/MinGW/bin" "$editor/MinGW/include"
cp "$GXX" "$editor/MinGW/bin/g++.exe"
keys=$appdata/Notepad++/shortcuts.xml
printf '%s\r\n' '<?xml version="1.0" encoding="UTF-8" ?>' '<NotepadPlus>' '    <InternalCommands>' \
    '        <Shortcut id="41001" Ctrl="yes" Alt="no" Shift="no" Key="78" />' \
    '        <Shortcut id="44032" Ctrl="yes" Alt="no" Shift="no" Key="122" />' '    </InternalCommands>' \
    '    <Macros>' '        <Macro name="Trim" Ctrl="no" Alt="yes" Shift="yes" Key="83" />' '    </Macros>' \
    '</NotepadPlus>' >"$keys"
cp "$keys" "$WORK/shortcuts.before"

# A folder without the editor is refused: exit code 2, nothing written.
wine_run "$SETUP" /S '/D=C:\qivtest\empty'
check_eq "a folder without notepad++.exe: exit code" 2 "$?"
check_eq "a folder without notepad++.exe: files written" "" "$(ls "$WINEPREFIX/drive_c/qivtest/empty")"

wine_run "$SETUP" /S "/D=$editor_win"
check_eq "silent installation: exit code" 0 "$?"
# Every file of the installed tree, byte for byte.
missing=0
while read -r f; do
    cmp -s "$TREE/$f" "$editor/$f" || { missing=$((missing + 1)); [ $missing -le 5 ] && echo "  not installed: $f"; }
done < <(cd "$TREE" && find . -type f | sed 's|^\./||')
check_eq "files of the deliverables not installed or different" 0 "$missing"
for f in plugins/NppPluginQiv/NppPluginQiv.dll Qiv/logo.h Qiv/tools/killprocess.exe Qiv/tools/runPause.bat \
         Qiv/Help/Doc/index.html Qiv/Help/demo/lessons/01_motion.cpp Qiv/uninstall.exe; do
    [ -s "$editor/$f" ] && pass || failed "$f is missing"
done
ls "$editor/Qiv/Help/Doc/images/"*.png >/dev/null 2>&1 && pass || failed "the help page's pictures are missing"
# The precompiled header, made with the folder's compiler, and its stamp; no part left over.
[ -s "$editor/Qiv/logo.h.gch" ] && grep -q '^logo.h ' "$editor/Qiv/logo.h.gch.stamp" && pass ||
    failed "the precompiled runtime header was not made"
check_eq "temporary header files left" "" "$(ls "$editor/Qiv" | grep '\.part$')"

# The keys: the four entries that free them, the user's other entries kept, their own entry
# for full screen replaced (and saved for the uninstaller).
for id in 44032 44009 44072 47000; do
    check_eq "key of command $id freed" 1 \
        "$(grep -c "<Shortcut id=\"$id\" Ctrl=\"no\" Alt=\"no\" Shift=\"no\" Key=\"0\" />" "$keys")"
done
grep -q '<Shortcut id="41001" Ctrl="yes" Alt="no" Shift="no" Key="78" />' "$keys" && pass ||
    failed "the user's other key was lost"
grep -q '<Macro name="Trim" Ctrl="no" Alt="yes" Shift="yes" Key="83" />' "$keys" && pass ||
    failed "the user's macro was lost"
grep -q 'Key="122"' "$keys" && failed "the user's full-screen key was kept" || pass

# Something of the teacher's own in the sample folder survives the uninstallation.
echo "my program" >"$editor/Qiv/Help/demo/lessons/my_work.cpp"
# As from the control panel: the uninstaller copies itself away and finishes on its own.
wine_run "$editor/Qiv/uninstall.exe" /S
for _ in $(seq 150); do [ -e "$editor/Qiv/uninstall.exe" ] || break; sleep 0.2; done
sleep 0.5
left=$(cd "$editor" && find . -type f | sed 's|^\./||' | LC_ALL=C sort | tr '\n' ' ')
check_eq "files left after uninstalling" "MinGW/bin/g++.exe Qiv/Help/demo/lessons/my_work.cpp notepad++.exe " "$left"
cmp -s "$WORK/shortcuts.before" "$keys" && pass || {
    failed "the shortcuts file was not restored"
    diff "$WORK/shortcuts.before" "$keys"
}

echo "installer_silent: $((passed + failures)) checks, $passed passed, $failures failed"
[ "$failures" = 0 ]
