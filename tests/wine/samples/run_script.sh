#!/usr/bin/env bash
# scripts/run.sh as a teacher uses it, on programs of its own in folders of their own: a
# UTF-8 program named main.cpp that reads two typed lines and a data file beside it, another
# main.cpp that does not build, one that never ends, and a wrong option.
#   run_script.sh SOURCE_DIR RUN_TREE
# RUN_TREE is the Windows build tree of Wine's architecture; its staged runtime is used.
set -euo pipefail
src=$1
export QIV_RUN_TREE=$2
work=$(mktemp -d)
trap '[ -n "${QIV_KEEP_WORK:-}" ] || rm -rf "$work"' EXIT
export QIV_BUILD_DIR=$work/build QIV_SHOT_LIMIT=60
# The script makes its own virtual X server and Wine session, as on a machine without a
# display: nothing of the test run's session is handed down.
unset DISPLAY WINEPREFIX WINESERVER WINELOADER WINEARCH QIV_WINE QIV_WINE_STATE
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
run() { "$src/scripts/run.sh" "$@" >"$work/out.txt" 2>"$work/err.txt"; }
has() {  # file text what
    grep -qF -- "$2" "$1" || { fail "$3: no \"$2\" in: $(cat "$1")"; }
}

# 1. Typed lines reach cin and cin.getline in order (the latter ends its line with a blank),
#    the data file lies beside the program, and the UTF-8 file's Chinese is converted to
#    GBK: the program writes what it got to a file.
mkdir -p "$work/lessonA" "$work/lessonB" "$work/lessonC"
cat >"$work/lessonA/main.cpp" <<'CPP'
#include <fstream>
int main() {
    string word, line, data;
    cin >> word;
    cin.getline(line);
    ifstream in("data.txt");
    getline(in, data);
    ofstream got("got.txt");
    got << "你好|" << word << "|" << line << "|" << data;
    got.close();
    pen.fd(100);
    return 0;
}
CPP
printf '数据\n' | iconv -f UTF-8 -t GBK >"$work/lessonA/data.txt"
if run --input 小明 --input "两个 词" "$work/lessonA/main.cpp"; then
    has "$work/out.txt" "screenshot at the end of the run" "typed lines"
    has "$work/out.txt" "UTF-8" "conversion line"
    got=$(iconv -f GBK -t UTF-8 "$work/build/programs/lessonA_main/got.txt" 2>/dev/null || echo "(no got.txt)")
    [ "$got" = "你好|小明|两个 词 |数据" ] || fail "the program got: $got"
    [ -s "$work/build/screenshots/lessonA_main.png" ] || fail "no screenshot lessonA_main.png"
else
    fail "lessonA did not run: $(cat "$work/out.txt" "$work/err.txt")"
fi

# 2. A main.cpp of another folder that does not build: GCC's words, then the Chinese hint;
#    its build does not take the place of the first one's.
printf 'int main() {\n    pen.fd(100)\xa3\xbb\n    return 0;\n}\n' >"$work/lessonB/main.cpp"
if run "$work/lessonB/main.cpp"; then
    fail "a program with a full-width semicolon was built"
else
    has "$work/err.txt" "这里用了中文分号" "hint"
    has "$work/err.txt" "run: the build failed" "failure line"
fi
[ -f "$work/build/programs/lessonA_main/got.txt" ] || fail "lessonB's build replaced lessonA's folder"

# 3. A program that never ends: the shot after the given time, and the script returns.
printf 'int main() {\n    while (true) pen.rt(1);\n    return 0;\n}\n' >"$work/lessonC/main.cpp"
start=$SECONDS
if run --shot-after 3 "$work/lessonC/main.cpp"; then
    has "$work/out.txt" "screenshot after 3 s" "shot after"
    [ -s "$work/build/screenshots/lessonC_main.png" ] || fail "no screenshot lessonC_main.png"
    [ $((SECONDS - start)) -lt 120 ] || fail "--shot-after 3 took $((SECONDS - start)) s"
else
    fail "lessonC did not run: $(cat "$work/out.txt" "$work/err.txt")"
fi

# 4. Wrong use is refused with a word, before anything is built.
for args in "--shot-after soon" "--input" "--colour red" "a.cpp b.cpp"; do
    # shellcheck disable=SC2086
    status=0; run $args || status=$?
    [ $status -eq 2 ] || fail "run.sh $args: exit $status, expected 2"
    [ -s "$work/err.txt" ] || fail "run.sh $args: said nothing"
done

[ $failures -eq 0 ] && echo "run_script: all checks passed"
exit $((failures > 0))
