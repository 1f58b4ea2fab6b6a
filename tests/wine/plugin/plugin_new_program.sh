#!/usr/bin/env bash
# "新建Qiv程序" and "C++新程序": the template saved byte for byte under the first free name
# beside the current document (or on the desktop for an untitled one), the document
# switched to the ANSI code page, and the caret placed inside main.
TEST_NAME=plugin_new_program
. "$(dirname "$0")/host_test_lib.sh"
make_templates

five=$WORK/five; nine=$WORK/nine; desk=$WORK/desktop
mkdir -p "$five" "$nine" "$desk"
for n in 01 02 03 04 05; do echo old >"$five/qiv_$n.cpp"; done
for n in 01 02 03 04 05 06 07 08 09; do echo old >"$nine/qiv_$n.cpp"; done
echo "int x;" >"$five/main.cpp"
echo "int y;" >"$nine/main.cpp"

host_run new <<SCRIPT
open $five/main.cpp
tabbar hidden
command 新建Qiv程序
print-doc
print-caret
print-tabbar
open $nine/main.cpp
command 3
echo nine
print-doc
open $five/main.cpp
command C++新程序
echo cpp
print-doc
print-caret
new
desktop $desk
command 新建Qiv程序
echo desktop
print-doc
print-panel-text
exit 0
SCRIPT

# Each printed state is read after the marker line that precedes it.
section() { sed -n "/^$1\$/,\$p" "$WORK/new.out" | grep -m1 "^$2"; }

check_eq "qiv_01..05 present: new document" \
    "doc: view=0 name=qiv_06.cpp path=$(winpath "$five")\\qiv_06.cpp codepage=936 modified=0 lf=1" \
    "$(grep -m1 '^doc:' "$WORK/new.out")"
expect_bytes "qiv_06.cpp" "$five/qiv_06.cpp" "$WORK/qiv.template"
# Line 5 ("{"), then four characters right: past "{", over the line end, two spaces in.
check_eq "dialect caret" "caret: line=6 column=3" "$(grep -m1 '^caret:' "$WORK/new.out")"
check_eq "tab bar shown again by the command" "tabbar: shown" "$(grep -m1 '^tabbar:' "$WORK/new.out")"
check_eq "qiv_01..09 present: new document" \
    "doc: view=0 name=qiv_11.cpp path=$(winpath "$nine")\\qiv_11.cpp codepage=936 modified=0 lf=1" \
    "$(section nine 'doc:')"
expect_bytes "qiv_11.cpp" "$nine/qiv_11.cpp" "$WORK/qiv.template"
check_eq "no qiv_10.cpp" "" "$(ls "$nine" | grep -x 'qiv_10.cpp')"

check_eq "C++ new document" \
    "doc: view=0 name=c++_01.cpp path=$(winpath "$five")\\c++_01.cpp codepage=936 modified=0 lf=1" \
    "$(section cpp 'doc:')"
expect_bytes "c++_01.cpp" "$five/c++_01.cpp" "$WORK/cpp.template"
# Line 9 ("int main()"), then five characters right.
check_eq "C++ caret" "caret: line=11 column=3" "$(section cpp 'caret:')"

check_eq "untitled document: saved on the desktop" \
    "doc: view=0 name=qiv_01.cpp path=$(winpath "$desk")\\qiv_01.cpp codepage=936 modified=0 lf=1" \
    "$(section desktop 'doc:')"
expect_bytes "desktop qiv_01.cpp" "$desk/qiv_01.cpp" "$WORK/qiv.template"
check_eq "files in the first folder" "c++_01.cpp main.cpp qiv_01.cpp qiv_02.cpp qiv_03.cpp qiv_04.cpp qiv_05.cpp qiv_06.cpp" \
    "$(ls "$five" | LC_ALL=C sort | tr '\n' ' ' | sed 's/ $//')"
check_eq "no failure reported" "panel-lines: no panel" "$(grep -m1 '^panel-lines:' "$WORK/new.out")"

finish
