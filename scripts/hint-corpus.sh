#!/usr/bin/env bash
# The corpus of beginners' mistakes (tests/hints): how well the plug-in's hint names each one.
#   scripts/hint-corpus.sh              translate the stored compiler outputs and print the shares
#   scripts/hint-corpus.sh --recompile  build every program again with the real cross compiler
#                                       and the plug-in's command lines, then translate those
#   scripts/hint-corpus.sh --update     like --recompile, and keep the new outputs in the corpus
#   -v                                  list every program's hint as well
# The shares are printed by the native program hint_corpus (CTest: hint_corpus), which fails
# below the targets. Recompiling needs the staged 32-bit runtime (logo.h, logoLib.a,
# Qiv_private.res), which the script builds when it is missing.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QIV_BUILD_DIR:-$root/build}
hints=${QIV_HINTS_DIR:-$root/tests/hints}  # another corpus of the same layout: a held-out check
mode=stored
verbose=()
for arg in "$@"; do
    case "$arg" in
        --recompile) mode=recompile ;;
        --update) mode=update ;;
        -v) verbose=(-v) ;;
        *) echo "usage: $0 [--recompile|--update] [-v]" >&2; exit 2 ;;
    esac
done

cmake -S "$root" -B "$build/tests" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build/tests" --target hint_corpus -j2 >/dev/null
checker=$build/tests/tests/hints/hint_corpus

if [ "$mode" = stored ]; then
    exec "$checker" "${verbose[@]}" "$hints" "$hints/outputs"
fi

# The runtime as the plug-in's installation holds it (N\Qiv), from the 32-bit build.
win=$build/tests/windows
if [ ! -f "$win/stage/Qiv/logoLib.a" ]; then
    cmake -S "$root" -B "$win" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
          -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$win" --target qiv_stage -j2 >/dev/null
fi
N=$win/stage
cxx=i686-w64-mingw32-g++
gcc_dir=$(dirname "$("$cxx" -print-libgcc-file-name)")   # .../lib/gcc/i686-w64-mingw32/12-win32

# The names the plug-in would give: the student's folder D and the editor's folder N.
win_D='C:\Users\xuesheng\Documents\Qiv'
win_N='C:\Program Files (x86)\Notepad++'

work=$(mktemp -d); chmod 755 "$work"
trap 'rm -rf "$work"' EXIT
out=$work/outputs
mkdir -p "$out" "$work/D"

# The compiler's report as the plug-in's pipe receives it from the Windows tool chain: the
# folders under their Windows names with backslashes, collect2.exe and ld.exe, CR LF.
sed_text() { printf '%s' "$1" | sed -e 's/[\\&|]/\\&/g'; }
gcc_win="$win_N\\MinGW\\lib\\gcc\\i686-w64-mingw32\\$(basename "$gcc_dir")"
ld_win="$win_N\\MinGW\\bin\\..\\lib\\gcc\\i686-w64-mingw32\\$(basename "$gcc_dir")\\..\\..\\..\\..\\i686-w64-mingw32\\bin\\ld.exe"
windows_form() {
    local D=$1
    sed -e "s|$D/|$(sed_text "$win_D\\")|g" \
        -e "s|$N/Qiv/|$(sed_text "$win_N\\Qiv\\")|g" \
        -e "s|$gcc_dir/|$(sed_text "$gcc_win\\")|g" \
        -e "s|/usr/share/mingw-w64/include/|$(sed_text "$win_N\\MinGW\\i686-w64-mingw32\\include\\")|g" \
        -e "s|/usr/bin/i686-w64-mingw32-ld|$(sed_text "$ld_win")|g" \
        -e 's|^collect2:|collect2.exe:|' |
        # What is left of a path made Windows-like above takes backslashes too; CR LF ends.
        perl -pe 's{(\S*\\\S*)}{(my $w = $1) =~ tr#/#\\#; $w}ge; s/\n/\r\n/'
}

count=0
while IFS=$'\t' read -r name _; do
    case "$name" in ''|'#'*) continue ;; esac
    D=$work/D/$name
    mkdir -p "$D"
    # Students' files are saved in GBK; the corpus keeps them in UTF-8 to be readable.
    iconv -f UTF-8 -t GBK "$hints/corpus/$name.cpp" >"$D/$name.cpp"
    compile="\"$cxx\"  -pipe -xc++  -c  \"$D/$name.cpp\" -o \"$D/$name.o\"  -include\"$N/Qiv/logo.h\"  -I\"$N/MinGW/include\" "
    link="\"$cxx\"  -pipe \"$D/$name.o\" \"$N/Qiv/Qiv_private.res\" -o \"$D/$name.exe\"   -static-libstdc++  -static-libgcc  -mwindows \"$N/Qiv/logoLib.a\" -loleaut32 -luuid -g3"
    report=$(cd "$D" && LC_ALL=C eval "$compile" 2>&1 || true)
    if [ -z "$report" ]; then
        if [ "$name" = program_running ]; then
            # The program of the last build still runs: Windows keeps its file from being
            # written. Here a folder the linker may not write stands for it.
            : >"$D/$name.exe"
            chmod 555 "$D"
            report=$(cd "$D" && LC_ALL=C setpriv --reuid=65534 --regid=65534 --clear-groups \
                     sh -c "$link" 2>&1 || true)
            chmod 755 "$D"
        else
            report=$(cd "$D" && LC_ALL=C eval "$link" 2>&1 || true)
        fi
    fi
    [ -n "$report" ] || echo "hint-corpus: $name builds without a message" >&2
    printf '%s\n' "$report" | windows_form "$D" >"$out/$name.txt"
    count=$((count + 1))
done <"$hints/corpus.tsv"
echo "hint-corpus: $count programs compiled with $cxx $("$cxx" -dumpversion)"

if [ "$mode" = update ]; then
    mkdir -p "$hints/outputs"
    rm -f "$hints/outputs/"*.txt
    cp "$out/"*.txt "$hints/outputs/"
    echo "hint-corpus: outputs kept in $hints/outputs"
fi
exec "$checker" "${verbose[@]}" "$hints" "$out"
