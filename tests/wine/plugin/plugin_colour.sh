#!/usr/bin/env bash
# "取颜色值": the colour dialog opens; cancelled, nothing is inserted; confirmed, the colour
# number replaces the selection at the caret: a palette colour (here the plug-in's own
# entry 3, 0/255/9) by its index, any other colour as its packed RGB value.
# (Each colour dialog costs Wine about two seconds; the mapping itself is tested natively.)
TEST_NAME=plugin_colour
. "$(dirname "$0")/host_test_lib.sh"

host_run colour <<'SCRIPT'
set-text ab\ncd
caret 2 2
dialog cancel
command 取颜色值
dialog-check
print-text
print-caret
dialog ok 0 255 9
command 4
dialog-check
print-text
print-caret
set-text
dialog ok 1 2 3
command 4
dialog-check
print-text
exit 0
SCRIPT

expect_output colour <<'EXPECTED'
dialog: cancelled "颜色"
text: ab\ncd
caret: line=2 column=2
dialog: ok "颜色"
text: ab\nc3d
caret: line=2 column=3
dialog: ok "颜色"
text: 197121
EXPECTED

finish
