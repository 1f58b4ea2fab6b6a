#!/usr/bin/env bash
# The plug-in as the editor loads it: its sub-menu with the eleven commands in order, their
# shortcuts after a tab, ids from 22000 written back into the command table; the same when
# found in the editor's plug-in folder layout; a shortcut pressed in the editor reaches its
# command, also F11, F12, F8 and F1 while the editor's own commands still hold them (a user
# profile the installer did not free them in), and a click on the editor's menu item still
# runs the editor's command.
TEST_NAME=plugin_menu
. "$(dirname "$0")/host_test_lib.sh"

host_run menu <<'SCRIPT'
print-menu
print-commands
dialog cancel
key F1
dialog-check
exit 0
SCRIPT

expect_output menu <<'EXPECTED'
submenu 0: Qiv编程1.0.2 (11 items)
item 0: id=22000 checked=0 text=编译+运行Qiv\tF11
item 1: id=22001 checked=0 text=编译Qiv\tF9
item 2: id=22002 checked=0 text=运行Qiv\tF10
item 3: id=22003 checked=0 text=新建Qiv程序
item 4: id=22004 checked=0 text=取颜色值\tF1
item 5: id=22005 checked=0 text=课本样例程序
item 6: id=22006 checked=0 text=帮助文件
item 7: id=22007 checked=0 text=C++编译+运行\tF8
item 8: id=22008 checked=0 text=C++新程序
item 9: id=22009 checked=0 text=About\tF12
item 10: id=22010 checked=0 text=编译信息窗口
plugin: Qiv编程1.0.2 commands=11
command 0: cmdID=22000 check=0 shortcut=F11 name=编译+运行Qiv
command 1: cmdID=22001 check=0 shortcut=F9 name=编译Qiv
command 2: cmdID=22002 check=0 shortcut=F10 name=运行Qiv
command 3: cmdID=22003 check=0 shortcut=none name=新建Qiv程序
command 4: cmdID=22004 check=0 shortcut=F1 name=取颜色值
command 5: cmdID=22005 check=0 shortcut=none name=课本样例程序
command 6: cmdID=22006 check=0 shortcut=none name=帮助文件
command 7: cmdID=22007 check=0 shortcut=F8 name=C++编译+运行
command 8: cmdID=22008 check=0 shortcut=none name=C++新程序
command 9: cmdID=22009 check=0 shortcut=F12 name=About
command 10: cmdID=22010 check=0 shortcut=none name=编译信息窗口
EXPECTED

# Installed in the editor's layout, plugins\NppPluginQiv\NppPluginQiv.dll, and found there.
mkdir -p "$WORK/npp/plugins/NppPluginQiv"
cp "$PLUGIN_DLL" "$WORK/npp/plugins/NppPluginQiv/NppPluginQiv.dll"
plugin_args=()
host_run installed <<'SCRIPT'
print-commands
exit 0
SCRIPT
check_eq "installed plug-in: same command table" "$(grep -a '^command ' "$WORK/menu.out")" \
    "$(grep -a '^command ' "$WORK/installed.out")"
check_eq "installed plug-in: eleven commands" 11 "$(grep -ac '^command ' "$WORK/installed.out")"

# F11 on a document never saved: the plug-in's build asks for a name (cancelled here). The
# editor's full screen runs only from its menu. The same once the keys are freed.
for run in held freed; do
    host_run "$run" --editor-keys "$run" <<'SCRIPT'
key F11
wait-panel 保存 10000
echo menu-click
host-command 44032
exit 0
SCRIPT
    check_eq "$run: F11 builds" "save-as-dialog: cancelled" "$(grep -a -m1 -E '^(save-as-dialog|editor-command):' "$WORK/$run.out")"
    check_eq "$run: the menu runs the editor's command" "menu-click|editor-command: 44032" \
        "$(grep -a -E '^(menu-click|editor-command:)' "$WORK/$run.out" | paste -sd '|')"
done

# F1 went through the host's shortcut table to "取颜色值", which opened the colour dialog.
dialog=$(out_line menu "dialog: ")
case "$dialog" in
    cancelled*) pass ;;
    *) failed "F1 should open the colour dialog; the host saw: [$dialog]" ;;
esac

finish
