#!/usr/bin/env bash
# A program in a folder named with Chinese characters whose second GBK byte is 0x5C ('\'),
# itself so named: the probe checks its title, getCurName, getCurPath and a picture beside
# it. Under the zh_CN.GBK locale Wine reads Linux file names as GBK, so they are written in
# GBK bytes.
#   gbk_path.sh PROBE_EXE
# Run with the Wine environment exported (QIV_WINE, LC_ALL=zh_CN.GBK).
set -u
PROBE=${1:?gbk_path_probe.exe}
: "${QIV_WINE:?the Wine environment is not set}"
WORK=$PWD/gbk_path.work
# D5 5C is a character whose second byte is '\', B9 A6 an ordinary one.
folder=$(printf '\xd5\x5c\xb9\xa6\xd5\x5c')
name=$(printf '\xb9\xa6\xd5\x5c')
rm -rf "$WORK" && mkdir -p "$WORK/$folder"
cp "$PROBE" "$WORK/$folder/$name.exe"
cd "$WORK/$folder"
"$QIV_WINE" "$name.exe" </dev/null 2>/dev/null | tr -d '\r'
exit "${PIPESTATUS[0]}"
