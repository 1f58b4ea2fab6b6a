#!/usr/bin/env bash
# What a teacher's compiler meets: the runtime header and the tool headers compile without a
# word at every language level a GCC since 6 defaults to (and gnu++11), for both targets and
# both thread models of Debian's cross compilers; the runtime's sources as the package ships
# them compile without a word too, at each level (a posix compiler with the static thread
# table), and give exactly the bytes of the originals that our build compiles with
# -fexec-charset=GBK.
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

# compile LABEL COMMAND...: runs the compiler; any word from it, or a failure, is reported.
compile() {
    local label=$1 out status
    shift
    out=$("$@" 2>&1)
    status=$?
    echo "ran: $label"
    if [ $status -ne 0 ] || [ -n "$out" ]; then printf 'FAIL: %s\n%s\n' "$label" "$out" | head -n 8; fi
}

# The shipped sources at one level, target and thread model, as makeruntime compiles them;
# the window files read their common header from a precompiled one, made first.
shipped_level() {  # STD TARGET THREADS
    local std=$1 target=$2 threads=$3 pch=$work/pch-$1-$2-$3 source
    local cxx=("$target-w64-mingw32-g++-$threads" "-std=$std" -finput-charset=UTF-8 "-I$shipped")
    [ "$threads" = posix ] && cxx+=(-DQIV_STATIC_THREADS)
    mkdir -p "$pch"
    compile "shipped runtime_internal.h $std $target $threads" \
        "${cxx[@]}" -x c++-header "$shipped/runtime_internal.h" -o "$pch/runtime_internal.h.gch"
    grep -v '^#' "$shipped/sources.txt" | while read -r source; do
        case "$source" in
            core/* | static_threads.cpp) compile "shipped $source $std $target $threads" "${cxx[@]}" -fsyntax-only "$shipped/$source" ;;
            *) compile "shipped $source $std $target $threads" "${cxx[@]}" -fsyntax-only -Winvalid-pch \
                   -include "$pch/runtime_internal.h" "$shipped/$source" ;;
        esac
    done
}
# The escaped literals of a source are the GBK bytes our own build makes of the original.
same_bytes() {  # SOURCE (relative to runtime/)
    local source=$1 name
    name=$(basename "$source" .cpp)
    mkdir -p "$work/original" "$work/copy"
    echo "ran: bytes of $source"
    if ! (cd "$root/runtime" && i686-w64-mingw32-g++ -S -O1 -fexec-charset=GBK -I. "$source" -o "$work/original/$name.s") ||
        ! (cd "$shipped" && i686-w64-mingw32-g++ -S -O1 -finput-charset=UTF-8 -I. "$source" -o "$work/copy/$name.s"); then
        echo "FAIL: $source did not compile to assembly"
    elif ! grep -q 'ascii\|string' "$work/original/$name.s"; then
        echo "FAIL: $source: no text in its assembly"
    elif ! cmp -s "$work/original/$name.s" "$work/copy/$name.s"; then
        echo "FAIL: $source: the shipped copy compiles to other bytes"
    fi
}
export -f compile shipped_level same_bytes
export work shipped root

{
    for std in gnu++11 gnu++14 gnu++17 gnu++20; do
        for target in i686 x86_64; do
            for threads in win32 posix; do
                for program in dilog_d dilog_11lesson; do
                    echo "compile '$program $std $target $threads' $target-w64-mingw32-g++-$threads -std=$std -fsyntax-only -include $root/runtime/logo.h -I$work $work/$program.cpp"
                done
            done
        done
    done
    # Each level once, both targets and thread models among them.
    echo "shipped_level gnu++11 i686 win32"
    echo "shipped_level gnu++14 x86_64 posix"
    echo "shipped_level gnu++17 i686 posix"
    echo "shipped_level gnu++20 x86_64 win32"
    (cd "$root/runtime" && grep -lP '[^\x00-\x7F]' -- *.cpp core/*.cpp) | sed 's/^/same_bytes /'
} >"$work/jobs.txt"
xargs -P 2 -d '\n' -n 1 bash -c <"$work/jobs.txt" >"$work/jobs.log"
grep -v '^ran: ' "$work/jobs.log"
checks=$(grep -c '^ran: ' "$work/jobs.log")
failures=$(grep -c '^FAIL: ' "$work/jobs.log")

[ "$checks" -gt 150 ] || fail "only $checks checks ran"
echo "compile_matrix: $((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
