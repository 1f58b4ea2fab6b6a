#!/usr/bin/env bash
# The output panel: "编译信息窗口" twice leaves one panel, docked at the bottom and visible;
# after the host's close button it comes back with the same window; lines appended by
# successive failures appear in order without clearing; resizing the panel keeps its edit
# control filling the client area.
TEST_NAME=plugin_output_panel
. "$(dirname "$0")/host_test_lib.sh"

full=$WORK/full
mkdir -p "$full"
for t in 0 1 2 3 4 5 6 7 8 9; do
    for u in 1 2 3 4 5 6 7 8 9; do echo old >"$full/qiv_$t$u.cpp"; echo old >"$full/c++_$t$u.cpp"; done
done
echo "int x;" >"$full/main.cpp"

host_run panel <<SCRIPT
command 编译信息窗口
command 编译信息窗口
echo twice
print-panels
print-panel-text
close-panel
echo closed
print-panels
command 10
echo reopened
print-panels
open $full/main.cpp
command 新建Qiv程序
open $full/main.cpp
command C++新程序
open $full/main.cpp
command 新建Qiv程序
print-panel-text
echo sizes
print-panel-geometry
panel-height 320
print-panel-geometry
panel-height 60
print-panel-geometry
window-size 640 700
print-panel-geometry
exit 0
SCRIPT

section() { sed -n "/^$1\$/,\$p" "$WORK/panel.out" | grep -m1 "^$2"; }
shown="panel 0: name=显示信息 module=NppPluginQiv.dll command=10 mask=0x30000000 docked=1 visible=1"
check_eq "twice: one panel" "panels: 1" "$(section twice 'panels:')"
check_eq "twice: docked and visible" "$shown" "$(section twice 'panel 0:')"
check_eq "a new panel is empty" "panel-lines: 0" "$(section twice 'panel-lines:')"
check_eq "closed by the host" "${shown%visible=1}visible=0" "$(section closed 'panel 0:')"
check_eq "reopened: still one panel" "panels: 1" "$(section reopened 'panels:')"
check_eq "reopened: visible again" "$shown" "$(section reopened 'panel 0:')"

# Three failures in a row: qiv, C++, qiv. Their lines stay in that order.
check_eq "three appended lines" "panel-lines: 3" "$(grep '^panel-lines:' "$WORK/panel.out" | tail -1)"
first=$(out_line panel "panel-line 1: ")
second=$(out_line panel "panel-line 2: ")
third=$(out_line panel "panel-line 3: ")
[ -n "$first" ] && [ "$first" != "$second" ] && pass || failed "lines 1 and 2 should differ: [$first] [$second]"
check_eq "third line repeats the first" "$first" "$third"
case "$first|$second" in
    *qiv_*'|'*c++_*) pass ;;
    *) failed "line 1 should be about qiv_NN.cpp, line 2 about c++_NN.cpp: [$first] [$second]" ;;
esac

# The edit control fills the client area at every size.
sed -n '/^sizes$/,$p' "$WORK/panel.out" | grep '^panel-geometry:' >"$WORK/geometry"
check_eq "four geometries" 4 "$(wc -l <"$WORK/geometry")"
while read -r _ client edit; do
    size=${client#client=}
    check_eq "edit control fills the panel" "edit=0,0,$size" "$edit"
done <"$WORK/geometry"
check_eq "heights follow the docking area" 4 "$(cut -d' ' -f2 "$WORK/geometry" | sort -u | wc -l)"

finish
