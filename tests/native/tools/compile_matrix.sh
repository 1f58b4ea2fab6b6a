#!/usr/bin/env bash
# What a teacher's compiler meets: the runtime header and the tool headers compile without a
# word at every language level a GCC since 6 defaults to (and gnu++11), for both targets and
# both thread models of Debian's cross compilers; the runtime's sources as the package ships
# them compile without a word too (a posix compiler with the static thread table), and give
# exactly the bytes of the originals that our build compiles with -fexec-charset=GBK.
#   compile_matrix.sh SOURCE_ROOT SHIPPED_SOURCES
set -u
root=${1:?source root}
shipped=${2:?the shipped runtime sources (install/Qiv/runtime/src)}
work=$PWD/compile_matrix.work
rm -rf "$work" && mkdir -p "$work/tools"
cp "$root"/tools/*.h "$work/tools/"
failures=0 checks=0
fail() { failures=$((failures + 1)); echo "FAIL: $*"; }

# Programs as students write them: a drawing with either sample's includes.
for panel in dilog_d dilog_11lesson; do
    printf '#include "tools/qivplus.h"\n#include "tools/%s.h"\nint main()\n{\n    pen.fd(100).rt(90);\n    cout << "ok" << endl;\n    return 0;\n}\n' \
        "$panel" >"$work/$panel.cpp"
done

# One compile per line of jobs: "LABEL|COMMAND"; any output, or a failure, is reported.
run_jobs() {
    xargs -P 2 -d '\n' -n 1 sh -c '
        label=${0%%|*} command=${0#*|}
        out=$(eval "$command" 2>&1) status=$?
        if [ $status -ne 0 ] || [ -n "$out" ]; then printf "FAIL: %s\n%s\n" "$label" "$out" | head -n 8; fi
        echo "ran: $label"' | tee "$work/jobs.log" | grep -v '^ran: '
    checks=$((checks + $(grep -c '^ran: ' "$work/jobs.log")))
    failures=$((failures + $(grep -c '^FAIL: ' "$work/jobs.log")))
}

{
    for std in gnu++11 gnu++14 gnu++17 gnu++20; do
        for target in i686 x86_64; do
            for threads in win32 posix; do
                cxx="$target-w64-mingw32-g++-$threads -std=$std -fsyntax-only -include $root/runtime/logo.h -I$work"
                for program in dilog_d dilog_11lesson; do
                    echo "$program $std $target $threads|$cxx $work/$program.cpp"
                done
            done
        done
    done
    # The shipped sources, as makeruntime compiles them, at the oldest and newest level.
    grep -v '^#' "$shipped/sources.txt" | while read -r source; do
        echo "shipped $source gnu++11 i686 win32|i686-w64-mingw32-g++-win32 -std=gnu++11 -fsyntax-only -finput-charset=UTF-8 -I$shipped $shipped/$source"
        echo "shipped $source gnu++20 x86_64 posix|x86_64-w64-mingw32-g++-posix -std=gnu++20 -fsyntax-only -finput-charset=UTF-8 -DQIV_STATIC_THREADS -I$shipped $shipped/$source"
    done
} >"$work/jobs.txt"
run_jobs <"$work/jobs.txt"

# The escaped literals are the GBK bytes our own build makes of the originals.
mkdir -p "$work/original" "$work/copy"
for source in $(cd "$root/runtime" && grep -lP '[^\x00-\x7F]' -- *.cpp core/*.cpp); do
    name=$(basename "$source" .cpp)
    (cd "$root/runtime" && i686-w64-mingw32-g++ -S -O1 -fexec-charset=GBK -I. "$source" -o "$work/original/$name.s") &&
        (cd "$shipped" && i686-w64-mingw32-g++ -S -O1 -finput-charset=UTF-8 -I. "$source" -o "$work/copy/$name.s") ||
        fail "$source did not compile to assembly"
    checks=$((checks + 1))
    grep -q 'ascii\|string' "$work/original/$name.s" || fail "$source: no text in its assembly"
    cmp -s "$work/original/$name.s" "$work/copy/$name.s" || fail "$source: the shipped copy compiles to other bytes"
done
[ "$checks" -gt 100 ] || fail "only $checks checks ran"
echo "compile_matrix: $((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
