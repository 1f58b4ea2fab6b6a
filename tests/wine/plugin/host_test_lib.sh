# Shared part of the plug-in's Windows tests: each test runs the stand-in editor host
# (tests/host) with the plug-in DLL and a script, under the Wine environment that
# scripts/wine-env.sh exported, and compares what the host printed and the files the
# plug-in wrote with what is expected. Every mismatch is printed with expected and actual.
#
# A test script is called as:  <test>.sh HOST_EXE PLUGIN_DLL
# and sources this file after setting TEST_NAME.
set -u

HOST_EXE=${1:?host executable}
PLUGIN_DLL=${2:?plug-in DLL}
: "${QIV_WINE:?the Wine environment is not set (run through scripts/wine-env.sh exec)}"
# Wine runs in the environment's locale (its ANSI code page); the text tools here compare
# bytes (the host prints UTF-8).
WINE_LC_ALL=${LC_ALL:-zh_CN.GBK}
export LC_ALL=C
WORK=$PWD/$TEST_NAME.work
rm -rf "$WORK"
mkdir -p "$WORK/npp"
checks=0
failures=0

# Windows form of a Linux path, as the host prints it.
winpath() { printf 'Z:%s' "${1//\//\\}"; }

# How the host finds the plug-in; empty: the host searches its installation folder
# $WORK/npp for plugins\<Name>\<Name>.dll as the editor does.
plugin_args=(--plugin "$PLUGIN_DLL")

# host_run NAME [extra host arguments...] <<'SCRIPT'
# Runs the host with the script read from standard input; its output is in $WORK/NAME.out
# (carriage returns removed) and its exit code in $host_rc.
host_run() {
    local name=$1
    shift
    cat >"$WORK/$name.script"
    LC_ALL=$WINE_LC_ALL "$QIV_WINE" "$HOST_EXE" "${plugin_args[@]}" --npp-dir "$WORK/npp" \
        --timeout 40 --script "$WORK/$name.script" "$@" >"$WORK/$name.raw" 2>"$WORK/$name.err"
    host_rc=$?
    tr -d '\r' <"$WORK/$name.raw" >"$WORK/$name.out"
    check_eq "$name: host exit code" 0 "$host_rc"
    if [ "$host_rc" != 0 ]; then
        echo "---- $name: host output ----"
        cat "$WORK/$name.out"
    fi
}

pass() { checks=$((checks + 1)); }
failed() {
    checks=$((checks + 1))
    failures=$((failures + 1))
    echo "FAIL: $*"
}

check_eq() {  # label expected actual
    if [ "$2" == "$3" ]; then pass; else failed "$1: expected [$2], got [$3]"; fi
}

# The rest of the first output line of NAME that starts with PREFIX.
out_line() { awk -v p="$2" 'index($0, p) == 1 { print substr($0, length(p) + 1); exit }' "$WORK/$1.out"; }

# expect_output NAME <<'EXPECTED': the lines of NAME's output that start with one of the
# expected lines' prefixes (text before the first ':') must be exactly the expected lines.
expect_output() {
    local name=$1 expected="$WORK/$1.expected" prefixes actual="$WORK/$1.actual"
    cat >"$expected"
    prefixes=$(cut -d: -f1 "$expected" | sort -u | sed 's/^/^/; s/$/:/')
    grep -a -E -f <(printf '%s\n' "$prefixes") "$WORK/$name.out" >"$actual" || true
    if diff -u "$expected" "$actual" >"$WORK/$name.diff"; then
        pass
    else
        failed "$name: output differs (--- expected, +++ actual)"
        cat "$WORK/$name.diff"
    fi
}

# expect_bytes LABEL FILE EXPECTED-FILE
expect_bytes() {
    if [ ! -f "$2" ]; then
        failed "$1: $2 does not exist"
    elif cmp -s "$2" "$3"; then
        pass
    else
        failed "$1: bytes of $2 differ from the expected ones"
        echo "expected:"; xxd "$3"
        echo "actual:"; xxd "$2"
    fi
}

# The two new-program templates as GBK bytes, written to $WORK/qiv.template, cpp.template.
make_templates() {
    printf '//程序名:新的Qiv程序\n//作者: \n\nint main()\n{\n     \n\n    return 0;\n}' |
        iconv -f UTF-8 -t GBK >"$WORK/qiv.template"
    printf '//程序名:新的C++程序\n//作者: \n\n#include<iostream>\n#include<fstream>\n#include<algorithm>\n\nusing namespace std;\nint main()\n{\n     \n\n    return 0;\n}' |
        iconv -f UTF-8 -t GBK >"$WORK/cpp.template"
    check_eq "dialect template length" 66 "$(stat -c %s "$WORK/qiv.template")"
    check_eq "C++ template length" 145 "$(stat -c %s "$WORK/cpp.template")"
}

# Ends the test: the summary line and the exit code.
finish() {
    echo "$TEST_NAME: $((checks - failures)) passed, $failures failed"
    [ "$failures" = 0 ] && [ "$checks" -gt 0 ]
    exit $?
}
