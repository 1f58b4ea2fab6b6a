#!/usr/bin/env bash
# Screenshots of the build driver inside Wine's own desktop (so windows have frames):
#   OUT_DIR/build-failed.png  the stand-in host after F11 on a program with an undeclared
#                             name: the compiler's output, "编译失败..." and the hint
#   OUT_DIR/build-run.png     after F11 on the lesson's hello program, its window in front
#   QIV_WINE_STATE=<started wine-env state> screenshots.sh HOST_EXE INSTALL_DIR OUT_DIR
set -euo pipefail
host=$1 npp=$(cd "$2" && pwd) out=$(cd "$3" && pwd)
# shellcheck disable=SC1091
. "${QIV_WINE_STATE:?start the environment with scripts/wine-env.sh}/env.sh"
work=$(mktemp -d /tmp/qiv-shots.XXXXXX)
trap 'rm -rf "$work"' EXIT
source_with() {  # the new-program template with one line inside main, GBK
    printf '//程序名:新的Qiv程序\n//作者: \n\nint main()\n{\n    %s\n\n    return 0;\n}' "$1" |
        iconv -f UTF-8 -t GBK
}
source_with 'pen.fd(100).rt(90).fd(50); cout << "ok" << endl;' >"$work/qiv_01.cpp"
source_with 'pen.fd(100); foo = 3;' >"$work/qiv_02.cpp"

# shot NAME FILE PANEL-TEXT WAIT-LINE DESKTOP: F11 on FILE in the host, on a Wine desktop of
# size DESKTOP (WxH); the picture is taken once the panel shows PANEL-TEXT and the script
# line WAIT-LINE is done. The host fills the desktop, so that its panel shows below a
# program's window (which opens at 5,5 with 960x750).
shot() {
    local name=$1 file=$2 panel_text=$3 wait_line=$4 desktop=$5
    rm -f "$work/ready"
    cat >"$work/$name.script" <<SCRIPT
window-size $((${desktop%x*} - 50)) $((${desktop#*x} - 45))
panel-height 230
open $work/$file
key F11
wait-panel $panel_text 60000
$wait_line
save-bytes $work/ready
wait 6000
exit 0
SCRIPT
    "$QIV_WINE" explorer /desktop=shot,"$desktop" "$host" --npp-dir "$npp" \
        --script "$work/$name.script" --timeout 120 >"$work/$name.out" 2>&1 &
    local pid=$!
    for _ in $(seq 600); do [ -e "$work/ready" ] && break; sleep 0.2; done
    [ -e "$work/ready" ] || { echo "$name: the host never got ready" >&2; cat "$work/$name.out" >&2; exit 1; }
    sleep 2
    import -window root -crop "$desktop+0+0" "$out/$name.png"
    # Wine's desktop stays while a program started in it still runs.
    "$QIV_WINE" "$npp/Qiv/tools/killprocess.exe" qiv_01.exe >/dev/null 2>&1 || true
    wait "$pid" || true
    echo "wrote $out/$name.png"
}

shot build-failed qiv_02.cpp 编译失败 "wait 500" 1024x768
shot build-run qiv_01.cpp 运行结束 "wait-window-text qiv_01 ok 20000" 1280x1024
