#!/usr/bin/env bash
# A package's installer, run silently as a school's deployment would, into a stand-in editor
# folder of its kind whose user already has a shortcuts file with entries of their own:
#  - a folder without the editor, and one with the other kind of editor, are refused and
#    nothing is written;
#  - the files are installed, the runtime library fitted to the folder's compiler, the tool
#    headers put where programs in any folder find them, the precompiled header made;
#  - the keys are freed with every other entry kept;
#  - the uninstaller removes exactly what was installed and gives the keys back.
# The 32-bit editor's package gets our own i686 compiler (the package's library made by such a
# compiler is installed); the 64-bit editor's package a posix-thread compiler, for which the
# library is built from the shipped sources at installation (its first attempt fails, as a
# compiler run may fail once on a busy machine: the second one makes it), and a program built
# with it runs and needs no DLL of the compiler's.
#   installer_silent.sh KIND SETUP_EXE INSTALL_TREE STANDIN_BIN INSTALL32 INSTALL64
# KIND is 32 or 64; STANDIN_BIN holds the g++.exe and ar.exe stand-ins; INSTALL32/64 are the
# two builds' installations (their programs serve as editors of either kind).
# Run with the Wine environment exported (wine-env.sh exec).
set -u
KIND=${1:?32 or 64} SETUP=${2:?installer} TREE=${3:?the installed tree the installer packs}
STANDINS=${4:?folder of the g++ and ar stand-ins} IN32=${5:?32-bit installation} IN64=${6:?64-bit installation}
: "${QIV_WINE:?the Wine environment is not set}" "${WINEPREFIX:?}" "${QIV_WINE_ARCH:?}"
WORK=$PWD/installer_silent_$KIND.work
rm -rf "$WORK" && mkdir -p "$WORK"
passed=0 failures=0
pass() { passed=$((passed + 1)); }
failed() { failures=$((failures + 1)); echo "installer_silent_$KIND: Test failed: $*"; }
check_eq() { if [ "$2" = "$3" ]; then pass; else failed "$1: [$3], expected [$2]"; fi; }
wine_run() { "$QIV_WINE" "$@" </dev/null >>"$WORK/wine.log" 2>&1; }
unix_of() { "$QIV_WINE" winepath -u "$1" 2>/dev/null; }

# The 64-bit package needs a 64-bit prefix: where the tests run 32-bit, it gets one of its own.
if [ "$KIND" = 64 ] && [ "$QIV_WINE_ARCH" = i686 ]; then
    export WINEPREFIX=$WORK/prefix64 WINELOADER=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64
    export QIV_WINE=/usr/lib/wine/wine64
    WINEARCH=win64 "$QIV_WINE" wineboot -i >/dev/null 2>&1
    trap '"$WINESERVER" -k >/dev/null 2>&1' EXIT
fi

# The editor kinds: programs of the two builds stand in for notepad++.exe.
if [ "$KIND" = 32 ]; then own_editor=$IN32 other_editor=$IN64; else own_editor=$IN64 other_editor=$IN32; fi
# The compiler: ours for i686 (win32 threads), or the posix-thread one of the architecture
# that runs here.
if [ "$KIND" = 32 ]; then
    target=i686 compiler=i686-w64-mingw32-g++-win32
else
    target=$QIV_WINE_ARCH compiler=$QIV_WINE_ARCH-w64-mingw32-g++-posix
fi

appdata=$(unix_of "$("$QIV_WINE" cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')")
[ -n "$appdata" ] || { echo "installer_silent_$KIND: cannot find %APPDATA% in the prefix"; exit 1; }
base=$WINEPREFIX/drive_c/qivtest$KIND
editor_win="C:\\qivtest$KIND\\Notepad++"
editor=$base/Notepad++
rm -rf "$base" "$appdata/Notepad++"
mkdir -p "$editor" "$appdata/Notepad++" "$base/empty" "$base/other"
cp "$own_editor/Qiv/tools/killprocess.exe" "$editor/notepad++.exe"
cp "$other_editor/Qiv/tools/killprocess.exe" "$base/other/notepad++.exe"
mkdir -p "$editor/MinGW/bin" "$editor/MinGW/include"
for tool in g++ ar; do cp "$STANDINS/$tool.exe" "$editor/MinGW/bin/$tool.exe"; done
echo "/usr/bin/$compiler" >"$editor/MinGW/bin/g++.exe.linux"
echo "/usr/bin/$target-w64-mingw32-ar" >"$editor/MinGW/bin/ar.exe.linux"
keys=$appdata/Notepad++/shortcuts.xml
printf '%s\r\n' '<?xml version="1.0" encoding="UTF-8" ?>' '<NotepadPlus>' '    <InternalCommands>' \
    '        <Shortcut id="41001" Ctrl="yes" Alt="no" Shift="no" Key="78" />' \
    '        <Shortcut id="44032" Ctrl="yes" Alt="no" Shift="no" Key="122" />' '    </InternalCommands>' \
    '    <Macros>' '        <Macro name="Trim" Ctrl="no" Alt="yes" Shift="yes" Key="83" />' '    </Macros>' \
    '</NotepadPlus>' >"$keys"
cp "$keys" "$WORK/shortcuts.before"

# Folders refused: without the editor (exit code 2), with the other kind (exit code 3).
wine_run "$SETUP" /S "/D=C:\\qivtest$KIND\\empty"
check_eq "a folder without notepad++.exe: exit code" 2 "$?"
check_eq "a folder without notepad++.exe: files written" "" "$(ls "$base/empty")"
wine_run "$SETUP" /S "/D=C:\\qivtest$KIND\\other"
check_eq "the other kind of editor: exit code" 3 "$?"
check_eq "the other kind of editor: files written" "notepad++.exe" "$(ls "$base/other")"

# The posix build's first run of ar (taking the thread library apart) fails.
[ "$KIND" = 64 ] && touch "$editor/MinGW/bin/ar.exe.fail-once"
wine_run "$SETUP" /S "/D=$editor_win"
check_eq "silent installation: exit code" 0 "$?"
[ -e "$editor/MinGW/bin/ar.exe.fail-once" ] && failed "the installation never ran ar" || pass
# Every file of the installed tree, byte for byte, but the library and resources, which are
# the ones fitted to the compiler; the other build's library for the other target is there.
missing=0
while read -r f; do
    cmp -s "$TREE/$f" "$editor/$f" || { missing=$((missing + 1)); [ $missing -le 5 ] && echo "  not installed: $f"; }
done < <(cd "$TREE" && find . -type f | sed 's|^\./||' | grep -v -x -e Qiv/logoLib.a -e Qiv/Qiv_private.res)
check_eq "files of the deliverables not installed or different" 0 "$missing"
for f in plugins/NppPluginQiv/NppPluginQiv.dll Qiv/logo.h Qiv/tools/killprocess.exe Qiv/tools/runPause.bat \
         Qiv/tools/makeruntime.exe Qiv/Help/Doc/index.html Qiv/Help/demo/lessons/01_motion.cpp Qiv/uninstall.exe \
         Qiv/runtime/i686/logoLib.a Qiv/runtime/x86_64/logoLib.a Qiv/runtime/src/sources.txt; do
    [ -s "$editor/$f" ] && pass || failed "$f is missing"
done
ls "$editor/Qiv/Help/Doc/images/"*.png >/dev/null 2>&1 && pass || failed "the help page's pictures are missing"
# The teacher's shortcut to the class check, in the start menu of all users (its Chinese name
# is stored in the locale Wine runs in: it is found by what it points to).
menu=$(grep -las 'qivcheck\.exe' "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Qiv"*/*.lnk |
       head -1)
[ -n "$menu" ] && pass || failed "no start-menu shortcut to the class check"

# The runtime library of the folder's compiler, and its stamp.
stamp=$(head -n 1 "$editor/Qiv/logoLib.stamp" 2>/dev/null)
cmp -s "$editor/Qiv/Qiv_private.res" "$editor/Qiv/runtime/$target/Qiv_private.res" && pass ||
    failed "the resources are not those of $target"
if [ "$KIND" = 32 ]; then
    check_eq "the library's stamp" "signature: i686-w64-mingw32 gcc 12.0 threads=win32 exceptions=dwarf runtime=msvcrt" \
        "${stamp/12.[0-9]/12.0}"
    cmp -s "$editor/Qiv/logoLib.a" "$editor/Qiv/runtime/i686/logoLib.a" && pass ||
        failed "our own compiler did not get the package's i686 library"
else
    case "$stamp" in
    *"threads=posix"*) pass ;;
    *)  failed "the library's stamp does not name the posix compiler: [$stamp]"
        # What the installer's run of makeruntime would have shown (a silent installation
        # shows nothing), from a second run of it: the same words, or a success if the
        # failure came and went.
        echo "  makeruntime.exe run again:"
        (cd "$editor" && "$QIV_WINE" "$editor/Qiv/tools/makeruntime.exe" </dev/null 2>&1; echo "  exit code $?") |
            tr -d '\r' | sed 's/^/    /' ;;
    esac
    cmp -s "$editor/Qiv/logoLib.a" "$editor/Qiv/runtime/$target/logoLib.a" &&
        failed "the posix compiler got the package's library instead of one built for it" || pass
    ls -d "$editor"/Qiv/runtime/build.* >/dev/null 2>&1 && failed "the runtime's work folder was left" || pass
fi
# The tool headers, where the compile command's include folder finds them.
for h in "$editor"/Qiv/include/tools/*.h; do
    cmp -s "$h" "$editor/MinGW/include/tools/$(basename "$h")" && pass || failed "$(basename "$h") is not in MinGW\\include\\tools"
done
# The precompiled header, made with the folder's compiler, and its stamp; no part left over.
[ -s "$editor/Qiv/logo.h.gch" ] && grep -q '^logo.h ' "$editor/Qiv/logo.h.gch.stamp" && pass ||
    failed "the precompiled runtime header was not made"
check_eq "temporary files left" "" "$(ls "$editor/Qiv" | grep '\.part$')"

# A program of a student's own folder, built with the plug-in's command lines by the folder's
# compiler: it includes a tool header, runs, and needs only Windows' own DLLs.
if [ "$KIND" = 64 ]; then
    prog=$base/work
    mkdir -p "$prog"
    printf '%s\n' '#include "tools/qivplus.h"' '#include <fstream>' '#include <cstdlib>' 'int main()' '{' \
        '    pen.fd(50).rt(90).fd(50);' '    std::ofstream("out.txt") << "posix runtime " << i2s_zq(42) << " " << p.x();' \
        '    std::exit(0);' '}' >"$prog/qiv_01.cpp"
    gxx=$editor/MinGW/bin/g++.exe
    pw="C:\\qivtest$KIND\\work" nw=$editor_win
    (cd "$prog" && "$QIV_WINE" "$gxx" -pipe -xc++ -c "$pw\\qiv_01.cpp" -o "$pw\\qiv_01.o" "-include$nw\\Qiv\\logo.h" \
        "-I$nw\\MinGW\\include" </dev/null >"$WORK/compile.out" 2>&1)
    check_eq "compile step: words" "" "$(tr -d '\r' <"$WORK/compile.out")"
    (cd "$prog" && "$QIV_WINE" "$gxx" -pipe "$pw\\qiv_01.o" "$nw\\Qiv\\Qiv_private.res" -o "$pw\\qiv_01.exe" \
        -static-libstdc++ -static-libgcc -mwindows "$nw\\Qiv\\logoLib.a" -loleaut32 -luuid -g3 </dev/null >"$WORK/link.out" 2>&1)
    check_eq "link step: words" "" "$(tr -d '\r' <"$WORK/link.out")"
    (cd "$prog" && timeout 60 "$QIV_WINE" qiv_01.exe </dev/null >/dev/null 2>&1)
    check_eq "the program's output" "posix runtime 42 50" "$(cat "$prog/out.txt" 2>/dev/null)"
    imports=$("$target-w64-mingw32-objdump" -p "$prog/qiv_01.exe" | awk '/DLL Name:/ { print tolower($3) }' | sort | tr '\n' ' ')
    case "$imports" in *libwinpthread* | *libstdc* | *libgcc*) failed "the program needs a compiler's DLL: $imports" ;; *) pass ;; esac
fi

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
left=$(cd "$editor" && find . | sed 's|^\./||' | grep -v '^\.$' | LC_ALL=C sort | tr '\n' ' ')
check_eq "left after uninstalling" \
    "MinGW MinGW/bin MinGW/bin/ar.exe MinGW/bin/ar.exe.linux MinGW/bin/g++.exe MinGW/bin/g++.exe.linux MinGW/include Qiv Qiv/Help Qiv/Help/demo Qiv/Help/demo/lessons Qiv/Help/demo/lessons/my_work.cpp notepad++.exe " \
    "$left"
[ -z "$menu" ] || [ ! -e "$menu" ] && pass || failed "the start-menu shortcut stayed after uninstalling"
cmp -s "$WORK/shortcuts.before" "$keys" && pass || {
    failed "the shortcuts file was not restored"
    diff "$WORK/shortcuts.before" "$keys"
}

echo "installer_silent_$KIND: $((passed + failures)) checks, $passed passed, $failures failed"
[ "$failures" = 0 ]
