#!/usr/bin/env bash
# Builds a student program exactly as the editor plug-in does, with the Linux cross compiler
# standing in for N\MinGw\bin\g++.exe:
#   qiv-build.sh [--cxx COMPILER] [--out DIR] [--res FILE.res] <qiv-install-dir> <program.cpp>
# <qiv-install-dir> (N) holds Qiv/logo.h, Qiv/logoLib.a and Qiv/Qiv_private.res. The program
# is copied to DIR (D, default: its own folder) and compiled there to B.o, then linked to
# B.exe, with the two command lines of the build driver character for character (only the
# folder separator differs). Like the driver, any compiler output counts as failure.
# --res links one more compiled resource object beside Qiv_private.res (a program with
# pictures of its own, such as the sample sample_11lesson); the plug-in never does.
set -euo pipefail
cxx=${QIV_CXX:-i686-w64-mingw32-g++}
out=""
res=""
while [ $# -gt 0 ]; do
    case "$1" in
        --cxx) cxx=$2; shift 2 ;;
        --out) out=$2; shift 2 ;;
        --res) res=$(cd "$(dirname "$2")" && pwd)/$(basename "$2"); shift 2 ;;
        *) break ;;
    esac
done
[ $# -eq 2 ] || { echo "usage: $0 [--cxx G++] [--out DIR] QIV_DIR PROGRAM.cpp" >&2; exit 2; }
N=$(cd "$1" && pwd)
src=$2
F=$(basename "$src")
B=${F%.*}
if [ -n "$out" ]; then
    mkdir -p "$out"
    D=$(cd "$out" && pwd)
    [ "$(cd "$(dirname "$src")" && pwd)/$F" = "$D/$F" ] || cp "$src" "$D/$F"
else
    D=$(cd "$(dirname "$src")" && pwd)
fi
rm -f "$D/$B.o" "$D/$B.exe"

compile="\"$cxx\"  -pipe -xc++  -c  \"$D/$F\" -o \"$D/$B.o\"  -include\"$N/Qiv/logo.h\"  -I\"$N/MinGW/include\" "
extra=""
[ -z "$res" ] || extra=" \"$res\""
link="\"$cxx\"  -pipe \"$D/$B.o\" \"$N/Qiv/Qiv_private.res\"$extra -o \"$D/$B.exe\"   -static-libstdc++  -static-libgcc  -mwindows \"$N/Qiv/logoLib.a\" -loleaut32 -luuid -g3"

run_step() {  # the driver's rule: a step succeeds only when it prints nothing at all
    local output
    output=$(eval "$1" 2>&1) || true
    if [ -n "$output" ]; then
        printf '%s\n' "$output" >&2
        echo "qiv-build: failed: $1" >&2
        exit 1
    fi
}
run_step "$compile"
run_step "$link"
rm -f "$D/$B.o"
[ -f "$D/$B.exe" ] || { echo "qiv-build: no program was produced" >&2; exit 1; }
echo "$D/$B.exe"
