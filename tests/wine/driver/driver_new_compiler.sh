#!/usr/bin/env bash
# A teacher puts another MinGW into the editor's folder after installing: the first F11 with
# it fits the runtime library to it (the panel says so while it works), builds and runs the
# program; the second F11 just builds. A compiler that cannot build Windows programs (here the
# machine's own Linux g++) stops the build with the tool's reason and one line, before the
# compiler's wall of link errors.
TEST_NAME=driver_new_compiler
. "$(dirname "$0")/driver_test_lib.sh"

arch=$QIV_WINE_ARCH
CNPP=$WORK/cnpp
cp -r "$NPP" "$CNPP"
echo "/usr/bin/$arch-w64-mingw32-g++-posix" >"$CNPP/MinGW/bin/g++.exe.linux"
# A compiler of its own, as a new MinGW brings: g++.exe is another file than before.
touch -d '+1 minute' "$CNPP/MinGW/bin/g++.exe"
dialect_source 'cout << "posix " << i2s_zq(7) << endl;' | iconv -f UTF-8 -t GBK >"$PROG/qiv_01.cpp"

# Building the library takes a while, more on a busy machine.
HOST_TIMEOUT=250
build() {  # NAME: F11, the panel, the program's end banner
    driver_run "$1" "$CNPP" <<SCRIPT
open $PROG/qiv_01.cpp
key F11
wait-panel 运行结束 240000
wait-window-text qiv_01 posix 7 20000
echo $1
print-panel-text
close-window qiv_01
exit 0
SCRIPT
    end_programs qiv_01.exe
}

build first
# The precompiled header is made again too: it belongs to the compiler.
expect_panel first first < <(printf '%s\n' ' (1) 删除了旧的程序！' ' 编译器换过了，正在为它准备 Qiv 运行库（只在第一次需要，请稍候）……' \
    ' Qiv 运行库已为这个编译器准备好。' ' 正在生成快速编译文件 Qiv\\logo.h.gch（只在第一次或更新后需要，请稍候）……' \
    ' 快速编译文件已生成，以后编译会快得多。'; built_panel | tail -n +2)
case "$(head -n 1 "$CNPP/Qiv/logoLib.stamp")" in *threads=posix*) pass ;; *) failed "the stamp does not name the posix compiler" ;; esac
build second
expect_panel second second < <(built_panel)

# The machine's Linux compiler: not one for Windows.
echo "/usr/bin/g++" >"$CNPP/MinGW/bin/g++.exe.linux"
touch -d '+2 minutes' "$CNPP/MinGW/bin/g++.exe"
cp "$CNPP/Qiv/logoLib.a" "$WORK/logoLib.before"
driver_run linux "$CNPP" <<SCRIPT
open $PROG/qiv_01.cpp
key F9
wait-panel 不编译 40000
echo linux
print-panel-text
exit 0
SCRIPT
panel_after linux linux >"$WORK/linux.panel"
check_eq "Linux compiler: the last line" " 这个编译器不能用来编译 Qiv 程序，所以这次不编译。" "$(tail -n 1 "$WORK/linux.panel")"
grep -q 'x86_64-linux-gnu' "$WORK/linux.panel" && pass || failed "Linux compiler: the panel does not name it"
grep -q '编译(compile)' "$WORK/linux.panel" && failed "Linux compiler: the build went on" || pass
expect_bytes "Linux compiler: the library is untouched" "$CNPP/Qiv/logoLib.a" "$WORK/logoLib.before"

finish
