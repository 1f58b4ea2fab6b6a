#!/usr/bin/env bash
# F11 in the editor on the two samples laid out as the sample folder holds them (main.cpp,
# the tool headers it includes in tools\ beside it): sample_d builds with the plug-in's
# command lines, starts and opens its panel and code window; sample_11lesson builds and
# runs as well (without its lesson picture, which F11 does not link).
#   sample_folder_f11.sh HOST_EXE INSTALL_DIR
TEST_NAME=sample_folder_f11
. "$(dirname "$0")/../driver/driver_test_lib.sh"
root=$(cd "$(dirname "$0")/../../.." && pwd)

for sample in sample_d:dilog_d.h sample_11lesson:dilog_11lesson.h; do
    name=${sample%%:*}
    mkdir -p "$PROG/$name/tools"
    cp "$root/samples/$name/main.cpp" "$PROG/$name/"
    cp "$root/tools/qivplus.h" "$root/tools/qivplus_maths.h" "$root/tools/${sample#*:}" "$PROG/$name/tools/"
done

driver_run f11 <<SCRIPT
open $PROG/sample_d/main.cpp
key F11
wait-panel 编译用时 60000
wait-window-text 循环演示 pen.move(-200,-150); 20000
echo sample_d
print-panel-text
close-window 循环演示
open $PROG/sample_11lesson/main.cpp
key F11
wait-panel 编译用时 60000
wait-window 正多边形的角度(第7课演示) 20000
echo sample_11lesson
print-panel-text
close-window 正多边形的角度(第7课演示)
exit 0
SCRIPT
end_programs main.exe

for name in sample_d sample_11lesson; do
    expect_panel f11 $name < <(built_panel)
    [ -f "$PROG/$name/main.exe" ] && pass || failed "$name: no main.exe beside main.cpp"
done
check_eq "host exit code" 0 "$host_rc"
finish
