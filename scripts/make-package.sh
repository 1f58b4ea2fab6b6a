#!/usr/bin/env bash
# Makes a teacher's package from the installed deliverables: the Windows installer and a zip
# of the same tree for unpacking into the editor's folder by hand.
#   make-package.sh KIND INSTALL_TREE OTHER_TREE HELP_DIR OUTDIR [NSIS_TARGET]
# KIND is the editor the package is for: 32 (qiv-setup.exe, qiv-plugin.zip; INSTALL_TREE the
# 32-bit build's installation) or 64 (qiv-setup-x64.exe, qiv-plugin-x64.zip; the 64-bit
# build's). OTHER_TREE is the other build's installation: its runtime library for the other
# target (Qiv/runtime/<target>) goes into the package too, so that either MinGW finds one
# made for it. HELP_DIR is the made help page (index.html, images/), put in Qiv/Help/Doc.
# NSIS_TARGET (e.g. amd64-unicode) builds the installer program for another architecture
# than the kind's own, for testing where only 64-bit Wine runs: the name then says so.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
kind=${1:?32 or 64}
tree=$(cd "${2:?installation tree}" && pwd) other=$(cd "${3:?the other build installation}" && pwd)
help=$(cd "${4:?help folder}" && pwd) out=${5:?output folder}
target=${6:-}
case "$kind" in
    32) name=qiv-setup zip=qiv-plugin default_target=x86-unicode ;;
    64) name=qiv-setup-x64 zip=qiv-plugin-x64 default_target=amd64-unicode ;;
    *) echo "make-package: KIND must be 32 or 64" >&2; exit 2 ;;
esac
mkdir -p "$out"
out=$(cd "$out" && pwd)
suffix=${target:+-$target}
[ "$target" = "$default_target" ] && suffix=""
work=$out/package-work-$kind$suffix
rm -rf "$work" && mkdir -p "$work/payload"
cp -r "$tree/." "$work/payload/"
for folder in "$other"/Qiv/runtime/*/; do
    case "$(basename "$folder")" in src) ;; *) cp -r "$folder" "$work/payload/Qiv/runtime/" ;; esac
done
mkdir -p "$work/payload/Qiv/Help/Doc"
cp -r "$help/index.html" "$help/images" "$work/payload/Qiv/Help/Doc/"

# The file lists: what the installer writes and, in reverse, what the uninstaller removes;
# and the files makeruntime.exe puts into the compiler's include folder (the tool headers).
(
    cd "$work/payload"
    find . -type d | sed 's|^\./\{0,1\}||' | LC_ALL=C sort >"$work/dirs"
    find . -type f | sed 's|^\./||' | LC_ALL=C sort >"$work/files"
)
{
    while read -r d; do
        echo "SetOutPath \"\$INSTDIR${d:+\\${d//\//\\}}\""
        find "$work/payload/$d" -maxdepth 1 -type f -printf '%f\n' | LC_ALL=C sort | while read -r f; do
            echo "File \"$work/payload/${d:+$d/}$f\""
        done
    done <"$work/dirs"
} >"$work/files.nsh"
{
    while read -r f; do echo "Delete \"\$INSTDIR\\${f//\//\\}\""; done <"$work/files"
    LC_ALL=C sort -r "$work/dirs" | while read -r d; do
        if [ -n "$d" ]; then echo "RMDir \"\$INSTDIR\\${d//\//\\}\""; fi
    done
} >"$work/unfiles.nsh"
{
    for header in "$work"/payload/Qiv/include/tools/*.h; do
        [ -e "$header" ] && echo "Delete \"\$INSTDIR\\MinGW\\include\\tools\\$(basename "$header")\""
    done
    echo "RMDir \"\$INSTDIR\\MinGW\\include\\tools\""
} >"$work/unmade.nsh"

cp "$root/scripts/installer/qiv.nsi" "$work/"
setup=$out/$name$suffix.exe
(cd "$work" && makensis -V2 -DPAYLOAD="$work/payload" -DOUTFILE="$setup" -DEDITOR_BITS="$kind" \
    -DTARGET="${target:-$default_target}" qiv.nsi)
echo "package: installer $setup ($(wc -l <"$work/files") files)"
if [ -z "$suffix" ]; then
    rm -f "$out/$zip.zip"
    (cd "$work/payload" && zip -qr -X "$out/$zip.zip" .)
    echo "package: zip $out/$zip.zip"
fi
