#!/usr/bin/env bash
# Installs what building and testing need on a Debian machine, only where it is missing:
# the MinGW-w64 i686 cross compiler, 32-bit Wine, a virtual X server, screenshot tools and a
# Chinese font. Safe to run again; does nothing when everything is there.
set -euo pipefail

need=()
command -v i686-w64-mingw32-g++ >/dev/null 2>&1 || need+=(g++-mingw-w64-i686 mingw-w64-i686-dev)
command -v i686-w64-mingw32-windres >/dev/null 2>&1 || need+=(binutils-mingw-w64-i686)
command -v wine >/dev/null 2>&1 || need+=(wine)
# 32-bit Wine runs the 32-bit deliverables where the kernel executes 32-bit programs; the
# 64-bit loader and cross compiler serve the machines where it does not.
dpkg -s wine32:i386 >/dev/null 2>&1 || need+=(wine32:i386)
[ -x /usr/lib/wine/wine64 ] || need+=(wine64)
command -v x86_64-w64-mingw32-g++ >/dev/null 2>&1 || need+=(g++-mingw-w64-x86-64 mingw-w64-x86-64-dev)
command -v x86_64-w64-mingw32-windres >/dev/null 2>&1 || need+=(binutils-mingw-w64-x86-64)
command -v Xvfb >/dev/null 2>&1 || need+=(xvfb)
command -v xauth >/dev/null 2>&1 || need+=(xauth)
command -v import >/dev/null 2>&1 || need+=(imagemagick)
command -v xdpyinfo >/dev/null 2>&1 || need+=(x11-utils)
command -v xdotool >/dev/null 2>&1 || need+=(xdotool)
[ -e /usr/share/fonts/truetype/wqy/wqy-zenhei.ttc ] || need+=(fonts-wqy-zenhei)
command -v cmake >/dev/null 2>&1 || need+=(cmake)
command -v g++ >/dev/null 2>&1 || need+=(g++)
[ -d /usr/src/googletest ] || need+=(googletest)
[ -e /usr/include/gtest/gtest.h ] || need+=(libgtest-dev)
command -v python3 >/dev/null 2>&1 || need+=(python3)
# The teacher's package: the installer and the zip.
command -v makensis >/dev/null 2>&1 || need+=(nsis)
command -v zip >/dev/null 2>&1 || need+=(zip)
# The benchmarks' anchor of line drawing: Python's turtle module.
python3 -c 'import tkinter' >/dev/null 2>&1 || need+=(python3-tk)
[ -e /usr/share/i18n/locales/zh_CN ] || need+=(locales)
command -v clang >/dev/null 2>&1 || need+=(clang)
[ -n "$(ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a 2>/dev/null)" ] || need+=(libclang-rt-dev)

# Wine takes its ANSI code page from the locale: zh_CN.GBK gives code page 936.
need_locale() { ! locale -a 2>/dev/null | grep -qix 'zh_CN.gbk'; }
make_locale() {
    if need_locale; then
        command -v localedef >/dev/null 2>&1 || { echo "setup: localedef is missing" >&2; return 1; }
        localedef -i zh_CN -f GBK zh_CN.GBK
    fi
}

if [ ${#need[@]} -eq 0 ]; then
    make_locale
    exit 0
fi

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
echo "setup: installing ${need[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
fi
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
make_locale
echo "setup: done"
