#!/usr/bin/env bash
# F11 in the editor on the two samples laid out as the sample folder holds them (main.cpp,
# the tool headers it includes in tools\ beside it, sample B's picture B11.bmp): sample_d
# builds with the plug-in's command lines, starts and opens its panel and code window;
# sample_11lesson builds and runs as well and shows its lesson picture, read from the file
# beside the program since F11 links no resource of the sample's (the dark blue of its code
# text is looked for on the screen).
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
cp "$root/samples/sample_11lesson/B11.bmp" "$PROG/sample_11lesson/"

# Pixels of the picture's dark blue (0, 0, 160), which nothing else of the sample draws, in
# screenshots taken while sample B runs: the most seen in one of them.
picture_pixels() {
    local most=0 n
    for shot in "$WORK"/shot-*.png; do
        n=$(convert "$shot" -fill black +opaque "#0000A0" -fill white -opaque "#0000A0" \
            -format "%[fx:round(mean*w*h)]" info: 2>/dev/null || echo 0)
        [ "$n" -gt "$most" ] && most=$n
    done
    echo "$most"
}

driver_run f11 <<SCRIPT
open $PROG/sample_d/main.cpp
key F11
wait-panel 编译用时 60000
wait-window-text 循环演示 pen.move(-200,-150); 20000
echo sample_d
print-panel-text
close-window 循环演示
exit 0
SCRIPT
end_programs main.exe

( for i in $(seq 60); do import -window root "$WORK/shot-$i.png" 2>/dev/null; sleep 0.5; done ) &
shots=$!
driver_run f11b <<SCRIPT
open $PROG/sample_11lesson/main.cpp
key F11
wait-panel 编译用时 60000
wait-window 正多边形的角度(第7课演示) 20000
wait 4000
echo sample_11lesson
print-panel-text
close-window 正多边形的角度(第7课演示)
exit 0
SCRIPT
kill $shots 2>/dev/null; wait $shots 2>/dev/null
end_programs main.exe

expect_panel f11 sample_d < <(built_panel)
expect_panel f11b sample_11lesson < <(built_panel)
for name in sample_d sample_11lesson; do
    [ -f "$PROG/$name/main.exe" ] && pass || failed "$name: no main.exe beside main.cpp"
done
seen=$(picture_pixels)
[ "$seen" -ge 60 ] && pass || failed "sample_11lesson: its lesson picture is not on the screen ($seen of its pixels)"
finish
