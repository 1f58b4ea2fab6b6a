# shellcheck shell=bash
# Shared part of the installer tools' Windows tests (editorkeys.exe, makepch.exe), run with
# the Wine environment exported (wine-env.sh exec). A script sets TEST_NAME and sources this.
set -u
: "${QIV_WINE:?the Wine environment is not set}" "${WINEPREFIX:?}" "${TEST_NAME:?}"
WORK=$PWD/$TEST_NAME.work
rm -rf "$WORK" && mkdir -p "$WORK"
passed=0 failures=0
pass() { passed=$((passed + 1)); }
failed() { failures=$((failures + 1)); echo "$TEST_NAME: Test failed: $*"; }
check_eq() { if [ "$2" = "$3" ]; then pass; else failed "$1: [$3], expected [$2]"; fi; }
same_file() { if cmp -s "$2" "$3"; then pass; else failed "$1: $3 differs from $2"; fi; }

# A new folder under the prefix's drive C: its Linux path.
c_folder() {
    rm -rf "$WINEPREFIX/drive_c/$1" && mkdir -p "$WINEPREFIX/drive_c/$1"
    echo "$WINEPREFIX/drive_c/$1"
}
# The Windows path of a Linux path: on drive C under the prefix, else on Z: (the root).
win_of() {
    case $1 in
        "$WINEPREFIX/drive_c/"*) echo "C:\\${1#"$WINEPREFIX/drive_c/"}" | tr / '\\' ;;
        *) echo "Z:$1" | tr / '\\' ;;
    esac
}

# run_tool EXE ARGS...: the program's exit code in $status, its output in $WORK/last.out.
run_tool() {
    "$QIV_WINE" "$@" </dev/null >"$WORK/last.out" 2>&1
    status=$?
    cat "$WORK/last.out" >>"$WORK/tools.log"
}

# Compiles a small Windows program of the test from C on standard input (the cross compiler
# of the architecture under test: $CROSS_CC, or the one named after it).
cross_program() {  # OUTPUT.exe
    "${CROSS_CC:-$QIV_WINE_ARCH-w64-mingw32-gcc}" -x c - -O1 -o "$1" ||
        { echo "$TEST_NAME: cannot compile a test program"; exit 1; }
}

finish() {
    echo "$TEST_NAME: $((passed + failures)) checks, $passed passed, $failures failed"
    [ "$failures" = 0 ]
}
