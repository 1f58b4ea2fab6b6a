#!/usr/bin/env bash
# Screenshot of the stand-in host with the plug-in's sub-menu open and its output panel
# docked (docs/plugin-host.png), inside Wine's own desktop so that windows have frames.
#   QIV_WINE_STATE=<started wine-env state> tests/host/screenshot.sh HOST_EXE PLUGIN_DLL OUT.png
set -euo pipefail
host=$1 plugin=$2 out=$3
# shellcheck disable=SC1091
. "${QIV_WINE_STATE:?start the environment with scripts/wine-env.sh}/env.sh" 2>/dev/null
work=$(mktemp -d)
mkdir -p "$work/desktop"
cat >"$work/shot.script" <<SCRIPT
desktop $work/desktop
command 新建Qiv程序
command 编译信息窗口
command 编译Qiv
wait 20000
exit 0
SCRIPT
"$QIV_WINE" explorer /desktop=shot,1024x768 "$host" --plugin "$plugin" --npp-dir "$work" \
    --script "$work/shot.script" >"$work/host.out" 2>&1 &
for _ in $(seq 50); do
    window=$(xdotool search --name "Qiv stand-in editor host" 2>/dev/null | head -1 || true)
    [ -n "$window" ] && break
    sleep 0.2
done
[ -n "${window:-}" ] || { echo "the host window did not appear" >&2; exit 1; }
sleep 3
# The main window opens at 40,30 of the 1024x768 desktop: click "Plugins" in its menu bar,
# then point at the plug-in's sub-menu so that it opens.
xdotool mousemove 98 63 click 1
sleep 1
xdotool mousemove 120 85
sleep 1.5
import -window root -crop 1024x768+0+0 "$out"
xdotool key Escape Escape Escape
wait
rm -rf "$work"
echo "wrote $out"
