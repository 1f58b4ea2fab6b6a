#!/usr/bin/env bash
# Checks the export table of the installed 32-bit plug-in DLL:
#   check_exports.sh <i686 objdump> <NppPluginQiv.dll>
# The six exports must be undecorated, nothing else exported, the export directory must
# name the library NppPluginTemplate.dll, the file must be a 32-bit DLL that needs no
# compiler run-time DLL.
set -uo pipefail
objdump=$1 dll=$2
if [ ! -f "$dll" ]; then
    echo "FAIL: $dll does not exist (build and install the Windows part of this tree first)"
    exit 1
fi
if ! command -v "$objdump" >/dev/null 2>&1; then
    echo "FAIL: objdump '$objdump' not found"
    exit 1
fi
dump=$("$objdump" -p "$dll" 2>&1) || { echo; echo "FAIL: objdump could not read $dll: $dump"; exit 1; }
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

grep -q '^Magic[[:space:]]*010b' <<<"$dump" || fail "not a 32-bit (PE32) image"
name=$(sed -n 's/^Name[[:space:]]*[0-9a-fA-F]*[[:space:]]*//p' <<<"$dump" | head -1)
[ "$name" = "NppPluginTemplate.dll" ] || fail "export directory names '$name', expected 'NppPluginTemplate.dll'"

# The name pointer table: lines "[ n] name" after "[Ordinal/Name Pointer] Table".
exports=$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$dump" |
          sed -n 's/^[[:space:]]*\[[[:space:]]*[0-9]*\][[:space:]]*//p' | sort | tr '\n' ' ')
expected="beNotified getFuncsArray getName isUnicode messageProc setInfo "
[ "$exports" = "$expected" ] || fail "exported names are '$exports', expected '$expected'"

for dep in libgcc_s_dw2-1.dll libstdc++-6.dll libwinpthread-1.dll; do
    grep -qi "DLL Name: $dep" <<<"$dump" && fail "depends on $dep"
done

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed for $dll"
    exit 1
fi
echo "exports of $dll: $exports(library $name)"
