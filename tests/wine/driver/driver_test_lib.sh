# Shared part of the build driver's Windows tests: the stand-in editor host runs with the
# test installation of the editor's folder (stand-in tool chain, runtime files of the
# architecture under test, the plug-in found where the editor looks for it).
#
# A test script is called as:  <test>.sh HOST_EXE INSTALL_DIR
# and sources this file after setting TEST_NAME.
set -u
NPP=${2:?test installation folder}
PLUGIN=$NPP/plugins/NppPluginQiv/NppPluginQiv.dll
. "$(dirname "$0")/../plugin/host_test_lib.sh" "$1" "$PLUGIN"
[ -f "$PLUGIN" ] && [ -f "$NPP/MinGW/bin/g++.exe" ] && [ -f "$NPP/Qiv/logoLib.a" ] ||
    { echo "the test installation $NPP is incomplete (build the target qiv_test_install)"; exit 1; }
# The runtime library is fitted to the compiler and the precompiled runtime header made before
# the test, as the installer does, so that a build's panel lines do not depend on which test
# built first.
LC_ALL=$WINE_LC_ALL "$QIV_WINE" "$NPP/Qiv/tools/makeruntime.exe" >/dev/null 2>&1 || true
LC_ALL=$WINE_LC_ALL "$QIV_WINE" "$NPP/Qiv/tools/makepch.exe" >/dev/null 2>&1 || true
# Without --plugin the host loads what is installed under the folder it is told.
plugin_args=()
PROG=$WORK/prog
mkdir -p "$PROG"

# driver_run NAME [INSTALL_DIR] <<'SCRIPT': the host with the test installation (or another
# one); builds take seconds (HOST_TIMEOUT: the host's own limit, 85 s unless a test says).
driver_run() { host_run "$1" --npp-dir "${2:-$NPP}" --timeout "${HOST_TIMEOUT:-85}"; }

# The panel's lines at the first print-panel-text after the line "echo MARK", with the
# build time replaced by T (it is checked on its own).
panel_after() {  # NAME MARK
    awk -v m="$2" '
        $0 == m { on = 1; next }
        on && /^panel-lines: / { n = $2; if (n == 0) exit; next }
        on && /^panel-line [0-9]+: / { sub(/^panel-line [0-9]+: /, ""); print; if (++c == n) exit }
    ' "$WORK/$1.out" | sed 's/^ 编译用时：[0-9]*\.[0-9][0-9] 秒$/ 编译用时：T 秒/'
}

# The panel lines of a build that succeeded and started its program (the build time as T).
built_panel() {
    printf '%s\n' ' (1) 删除了旧的程序！' ' (2) 编译(compile).O程序！' ' (3) 编译（link).exe程序！' \
        '==========================' ' 编译用时：T 秒' '======第 1 次运行结束======'
}

# expect_panel NAME MARK <<'EXPECTED' (or < <(built_panel)): those panel lines exactly; run it in
# this shell, not at the end of a pipe, so that its verdict counts.
expect_panel() {
    local expected="$WORK/$1.$2.expected" actual="$WORK/$1.$2.actual"
    cat >"$expected"
    panel_after "$1" "$2" >"$actual"
    if diff -u "$expected" "$actual" >"$WORK/$1.$2.diff"; then
        pass
    else
        failed "$1/$2: panel lines differ (--- expected, +++ actual)"
        cat "$WORK/$1.$2.diff"
    fi
}

# The first output line after "echo MARK" that starts with PREFIX.
line_after() { sed -n "/^$2\$/,\$p" "$WORK/$1.out" | grep -m1 "^$3"; }

# Ends programs a failed test may have left running (image names), through the stand-in
# stop tool.
end_programs() { LC_ALL=$WINE_LC_ALL "$QIV_WINE" "$NPP/Qiv/tools/killprocess.exe" "$@" >/dev/null 2>&1 || true; }

# A dialect program: the new-program template with BODY as the line inside main (UTF-8).
dialect_source() { printf '//程序名:新的Qiv程序\n//作者: \n\nint main()\n{\n    %s\n\n    return 0;\n}' "$1"; }

# The one-line form of a text for the host's set-text (line feeds as \n).
escaped() { awk 'NR > 1 { printf "\\n" } { gsub(/\\/, "\\\\"); printf "%s", $0 }'; }
