#!/usr/bin/env bash
# Makes the teacher's package from the installed deliverables: the Windows installer and a
# zip of the same tree for unpacking into the editor's folder by hand.
#   make-package.sh INSTALL_TREE HELP_DIR OUTDIR [NSIS_TARGET]
# INSTALL_TREE is the 32-bit build's installation (plugins\NppPluginQiv, Qiv\...), HELP_DIR
# the made help page (index.html, images\); the package puts it in Qiv\Help\Doc. Writes
# OUTDIR/qiv-setup.exe and OUTDIR/qiv-plugin.zip. NSIS_TARGET (e.g. amd64-unicode) builds the
# installer program for another architecture, for testing where only 64-bit Wine runs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
tree=$(cd "${1:?installation tree}" && pwd) help=$(cd "${2:?help folder}" && pwd) out=${3:?output folder}
target=${4:-}
mkdir -p "$out"
out=$(cd "$out" && pwd)
work=$out/package-work${target:+-$target}
rm -rf "$work" && mkdir -p "$work/payload"
cp -r "$tree/." "$work/payload/"
mkdir -p "$work/payload/Qiv/Help/Doc"
cp -r "$help/index.html" "$help/images" "$work/payload/Qiv/Help/Doc/"

# The file lists: what the installer writes and, in reverse, what the uninstaller removes.
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

cp "$root/scripts/installer/qiv.nsi" "$work/"
setup=$out/qiv-setup${target:+-$target}.exe
(cd "$work" && makensis -V2 -DPAYLOAD="$work/payload" -DOUTFILE="$setup" ${target:+-DTARGET=$target} qiv.nsi)
echo "package: installer $setup ($(wc -l <"$work/files") files)"
if [ -z "$target" ]; then
    rm -f "$out/qiv-plugin.zip"
    (cd "$work/payload" && zip -qr -X "$out/qiv-plugin.zip" .)
    echo "package: zip $out/qiv-plugin.zip"
fi
