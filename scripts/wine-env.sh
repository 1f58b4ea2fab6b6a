#!/usr/bin/env bash
# The Wine environment shared by every Windows test of one build:
#   wine-env.sh arch                 prints the Windows architecture Wine can run here
#                                    (i686 where 32-bit Linux programs run, else x86_64;
#                                    QIV_WINE_ARCH_FORCE=x86_64 makes a machine that runs
#                                    both take the 64-bit path, to try it)
#   wine-env.sh start <state-dir> [arch]
#                                    virtual X server, Wine prefix, persistent wineserver
#                                    for the architecture the tests were built for
#   wine-env.sh stop  <state-dir>    ends them
#   wine-env.sh exec <cmd> [args]    runs cmd with the environment of $QIV_WINE_STATE
# The state directory keeps env.sh (variables for the tests) and the pids to stop.
set -euo pipefail

wine_arch() {
    case "${QIV_WINE_ARCH_FORCE:-}" in
        i686 | x86_64) echo "$QIV_WINE_ARCH_FORCE"; return ;;
        "") ;;
        *) echo "wine-env: QIV_WINE_ARCH_FORCE must be i686 or x86_64" >&2; return 2 ;;
    esac
    if /usr/lib/wine/wine --version >/dev/null 2>&1; then echo i686; else echo x86_64; fi
}

write_env() {  # state-dir display arch
    local state=$1 display=$2 arch=$3 loader server
    if [ "$arch" = i686 ]; then
        loader=/usr/lib/wine/wine; server=/usr/lib/wine/wineserver32
        [ -x "$server" ] || server=/usr/lib/wine/wineserver
    else
        loader=/usr/lib/wine/wine64; server=/usr/lib/wine/wineserver64
    fi
    cat >"$state/env.sh" <<ENV
export WINEPREFIX='$state/prefix'
export WINELOADER='$loader'
export WINESERVER='$server'
export QIV_WINE='$loader'
export QIV_WINE_ARCH='$arch'
export WINEDEBUG=-all
export WINEDLLOVERRIDES='mscoree,mshtml='
export DISPLAY='$display'
export LC_ALL=zh_CN.GBK
export LANG=zh_CN.GBK
ENV
}

start() {
    local state=$1 arch=${2:-} display n
    mkdir -p "$state"
    stop "$state" >/dev/null 2>&1 || true
    [ -n "$arch" ] || arch=$(wine_arch)
    # A free display number: the first without a lock file whose server starts. Two sessions
    # started at the same moment may both pick one; the X server takes its lock file or gives
    # up, and the one that gave up tries the next number.
    local pid="" up=""
    for n in $(seq 91 140); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        # Its own session, so it outlives the caller's process group, and no inherited
        # output, so CTest does not wait for it.
        setsid Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >"$state/xvfb.log" 2>&1 &
        pid=$!
        up=""
        for _ in $(seq 50); do
            kill -0 "$pid" 2>/dev/null || break
            # A server that finds the display taken ends at once: still running a moment
            # after the display's socket is there, it is the display's own.
            if [ -e "/tmp/.X11-unix/X$n" ]; then
                sleep 0.3
                kill -0 "$pid" 2>/dev/null && up=yes
                break
            fi
            sleep 0.1
        done
        [ -n "$up" ] && break
        kill "$pid" 2>/dev/null || true
    done
    [ -n "$up" ] || { echo "wine-env: no X server could be started" >&2; return 1; }
    display=":$n"
    echo "$pid" >"$state/xvfb.pid"
    write_env "$state" "$display" "$arch"
    # shellcheck disable=SC1091
    . "$state/env.sh"
    if [ ! -e "$WINEPREFIX/system.reg" ]; then
        [ "$arch" = x86_64 ] && export WINEARCH=win64 || export WINEARCH=win32
        "$QIV_WINE" wineboot -i >/dev/null 2>&1 || true
        "$WINESERVER" -w </dev/null >/dev/null 2>&1
    fi
    setsid "$WINESERVER" -p </dev/null >/dev/null 2>&1
    # Warm the prefix so the first test does not pay for it.
    "$QIV_WINE" cmd /c exit 0 </dev/null >/dev/null 2>&1 || true
    echo "wine environment ready: arch $arch, display $display, prefix $WINEPREFIX"
}

stop() {
    local state=$1
    if [ -f "$state/env.sh" ]; then
        # shellcheck disable=SC1091
        . "$state/env.sh"
        "$WINESERVER" -k >/dev/null 2>&1 || true
    fi
    if [ -f "$state/xvfb.pid" ]; then
        kill "$(cat "$state/xvfb.pid")" >/dev/null 2>&1 || true
        rm -f "$state/xvfb.pid"
    fi
}

cmd=${1:-}
shift || true
case "$cmd" in
    arch) wine_arch ;;
    start) start "$1" "${2:-}" ;;
    stop) stop "$1" ;;
    exec)
        # shellcheck disable=SC1091
        . "${QIV_WINE_STATE:?QIV_WINE_STATE is not set}/env.sh"
        exec "$@" ;;
    *) echo "usage: $0 arch | start DIR [ARCH] | stop DIR | exec CMD [ARGS]" >&2; exit 2 ;;
esac
