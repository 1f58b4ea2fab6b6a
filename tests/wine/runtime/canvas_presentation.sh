#!/usr/bin/env bash
# What the program draws must be on the screen while the program goes on waiting: the probe
# draws a block of colour (12, 34, 56) and then waits 15 s. Screenshots of the display are
# taken for up to 8 s; the block must show in one of them.
#   canvas_presentation.sh PROBE_EXE
# Run with the Wine environment exported (DISPLAY, QIV_WINE).
set -u
PROBE=${1:?canvas_presentation_probe.exe}
: "${QIV_WINE:?the Wine environment is not set}" "${DISPLAY:?no display}"
WORK=$PWD/canvas_presentation.work
rm -rf "$WORK" && mkdir -p "$WORK"
cp "$PROBE" "$WORK/probe.exe"
cd "$WORK"
"$QIV_WINE" probe.exe >/dev/null 2>&1 &
program=$!
trap 'kill $program 2>/dev/null' EXIT

# Pixels of the block's colour in a screenshot of the whole display.
block_pixels() {
    import -window root shot.png 2>/dev/null || { echo 0; return; }
    convert shot.png -fill black +opaque "#0C2238" -fill white -opaque "#0C2238" \
        -format "%[fx:round(mean*w*h)]" info: 2>/dev/null || echo 0
}

seen=0
for _ in $(seq 16); do
    sleep 0.5
    seen=$(block_pixels)
    [ "$seen" -ge 20000 ] && break
done
if [ "$seen" -lt 20000 ]; then
    echo "FAIL: the drawn block is not on the screen while the program waits ($seen of 60000 pixels seen)"
    exit 1
fi
echo "canvas_presentation: the block is on the screen ($seen pixels)"
