#!/usr/bin/env bash
# Every qiv_NN.cpp name taken: nothing is saved or overwritten, the new document stays
# open and unsaved with the template, and exactly one line in the output panel says why.
TEST_NAME=plugin_no_free_name
. "$(dirname "$0")/host_test_lib.sh"
make_templates

full=$WORK/full
mkdir -p "$full"
for t in 0 1 2 3 4 5 6 7 8 9; do
    for u in 1 2 3 4 5 6 7 8 9; do echo "old $t$u" >"$full/qiv_$t$u.cpp"; done
done
echo "int x;" >"$full/main.cpp"
before=$(cd "$full" && md5sum * | md5sum)

host_run full <<SCRIPT
open $full/main.cpp
command 新建Qiv程序
print-doc
save-bytes $WORK/unsaved.bytes
print-panel-text
print-panels
exit 0
SCRIPT

check_eq "the new document stays open, unsaved" \
    "doc: view=0 name=new 2 path= codepage=936 modified=1 lf=1" "$(grep -m1 '^doc:' "$WORK/full.out")"
expect_bytes "unsaved document holds the template" "$WORK/unsaved.bytes" "$WORK/qiv.template"
check_eq "folder unchanged (no file added, none overwritten)" "$before" "$(cd "$full" && md5sum * | md5sum)"
check_eq "qiv_99.cpp kept" "old 99" "$(cat "$full/qiv_99.cpp")"
check_eq "one panel line" "panel-lines: 1" "$(grep -m1 '^panel-lines:' "$WORK/full.out")"
line=$(out_line full "panel-line 1: ")
case "$line" in
    *qiv_*) pass ;;
    *) failed "the panel line should name the qiv_NN.cpp names: [$line]" ;;
esac
check_eq "panel shown" "panel 0: name=显示信息 module=NppPluginQiv.dll command=10 mask=0x30000000 docked=1 visible=1" \
    "$(grep -m1 '^panel 0:' "$WORK/full.out")"

finish
