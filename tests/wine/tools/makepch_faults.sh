#!/usr/bin/env bash
# makepch.exe in an editor folder of its own, with a compiler stand-in that writes a header of
# 200 KB quickly (or fails when told): made when missing, left alone when current, remade
# when cut short or when its end was zeroed at the same size and time; a stale header held
# open by a running compile is a failure (exit 3, the old one still there, never 0); a
# read-only stale one is replaced; a failed make never leaves a stale one for the compiler;
# temporary files of makers that no longer run are removed, a running maker's are kept.
#   makepch_faults.sh MAKEPCH_EXE [CROSS_C_COMPILER]
TEST_NAME=makepch_faults
EXE=${1:?makepch.exe}
[ -n "${2:-}" ] && CROSS_CC=$2
. "$(dirname "$0")/tools_test_lib.sh"

npp=$(c_folder qivpch/npp)
mkdir -p "$npp/Qiv/tools" "$npp/MinGW/bin" "$npp/MinGW/include"
cp "$EXE" "$npp/Qiv/tools/makepch.exe"
echo '#define QIV_PCH_TEST 1' >"$npp/Qiv/logo.h"
gch=$npp/Qiv/logo.h.gch bin=$npp/MinGW/bin
cross_program "$bin/g++.exe" <<'C'
#include <windows.h>
#include <stdio.h>
#include <string.h>
/* The compiler stand-in: writes the -o file (its process id at both ends), or fails when a
   file "fail" lies beside it; counts its runs in calls.txt. */
int main(int argc, char **argv) {
    char self[MAX_PATH], path[MAX_PATH + 16];
    GetModuleFileNameA(NULL, self, MAX_PATH);
    *strrchr(self, '\\') = 0;
    snprintf(path, sizeof path, "%s\\calls.txt", self);
    FILE *calls = fopen(path, "a");
    fputs("call\n", calls);
    fclose(calls);
    snprintf(path, sizeof path, "%s\\fail", self);
    if (GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES) {
        printf("logo.h:1:1: error: the stand-in was told to fail\n");
        return 1;
    }
    const char *out = NULL;
    for (int i = 1; i + 1 < argc; ++i)
        if (strcmp(argv[i], "-o") == 0) out = argv[i + 1];
    FILE *f = out ? fopen(out, "wb") : NULL;
    if (f == NULL) return 2;
    fprintf(f, "gpch stand-in %lu\n", GetCurrentProcessId());
    for (int i = 0; i < 200000; ++i) fputc('a' + i * 7 % 26, f);
    fprintf(f, "\nend %lu\n", GetCurrentProcessId());
    return fclose(f) != 0;
}
C
# holder FILE READY RELEASE: keeps FILE open as a running compile keeps a header open (no
# sharing of deletion) until RELEASE exists; writes its process id to READY.
cross_program "$WORK/holder.exe" <<'C'
#include <windows.h>
#include <stdio.h>
int main(int argc, char **argv) {
    if (argc < 4) return 2;
    HANDLE h = CreateFileA(argv[1], GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING, 0, NULL);
    if (h == INVALID_HANDLE_VALUE) return 1;
    FILE *ready = fopen(argv[2], "w");
    fprintf(ready, "%lu\n", GetCurrentProcessId());
    fclose(ready);
    for (int i = 0; i < 600 && GetFileAttributesA(argv[3]) == INVALID_FILE_ATTRIBUTES; ++i) Sleep(100);
    CloseHandle(h);
    return 0;
}
C

calls() { [ -f "$bin/calls.txt" ] && wc -l <"$bin/calls.txt" | tr -d ' ' || echo 0; }
makepch() { run_tool "$npp/Qiv/tools/makepch.exe" "$@"; }
stale() { touch -d "+$1 minutes" "$npp/Qiv/logo.h"; }  # a new logo.h: the header is stale
parts() { local f; for f in "$npp"/Qiv/*.part; do [ -e "$f" ] && printf '%s ' "${f##*/}"; done; }

# hold FILE: starts a holder (its Windows process id in $held, Linux one in $holder_pid).
hold() {
    rm -f "$WORK/ready" "$WORK/release"
    "$QIV_WINE" "${2:-$WORK/holder.exe}" "$(win_of "$1")" "$(win_of "$WORK/ready")" "$(win_of "$WORK/release")" \
        </dev/null >/dev/null 2>&1 &
    holder_pid=$!
    for _ in $(seq 100); do [ -s "$WORK/ready" ] && break; sleep 0.1; done
    held=$(tr -d '\r\n' <"$WORK/ready" 2>/dev/null)
    [ -n "$held" ] || { failed "the holder did not start"; return 1; }
}
release() { touch "$WORK/release"; wait "$holder_pid" 2>/dev/null; }

makepch
check_eq "missing: exit code" 0 "$status"
check_eq "missing: made once" 1 "$(calls)"
[ -s "$gch" ] && grep -q '^logo.h ' "$gch.stamp" && pass || failed "missing: no header or stamp"
makepch
check_eq "current: exit code" 0 "$status"
check_eq "current: not made again" 1 "$(calls)"

# Damaged since it was stamped: cut short, or zeros over its end at the same size and time.
truncate -s 100000 "$gch"
makepch --check
check_eq "cut short: --check would make it" 10 "$status"
makepch
check_eq "cut short: exit code" 0 "$status"
check_eq "cut short: made again" 2 "$(calls)"
[ "$(stat -c %s "$gch")" -gt 200000 ] && pass || failed "cut short: not made in full again"
cp -p "$gch" "$WORK/gch.copy"
dd if=/dev/zero of="$gch" bs=1 count=4096 seek=$(($(stat -c %s "$gch") - 4096)) conv=notrunc status=none
touch -r "$WORK/gch.copy" "$gch"
makepch --check
check_eq "end zeroed: --check would make it" 10 "$status"
makepch
check_eq "end zeroed: made again" 3 "$(calls)"

# Temporary files of makers ended by force go; a running maker's stays.
mkdir -p "$WORK/other" && cp "$WORK/holder.exe" "$WORK/other/makepch.exe"
echo busy >"$WORK/busy"
hold "$WORK/busy" "$WORK/other/makepch.exe"
printf x >"$gch.123456.part"; printf x >"$gch.stamp.123456.part"; printf x >"$gch.$held.part"
makepch --check
check_eq "left-over temporary files removed, a running maker's kept" "logo.h.gch.$held.part " "$(parts)"
release
makepch --check
check_eq "the maker's file removed once it ended" "" "$(parts)"

# The fault: a stale header held open by a running compile cannot be replaced. Never 0.
stale 1
cp "$gch" "$WORK/gch.held"
hold "$gch"
makepch
check_eq "held open: exit code (a build would take the stale header)" 3 "$status"
same_file "held open: the old header is still there" "$WORK/gch.held" "$gch"
check_eq "held open: no temporary file left" "" "$(parts)"
release
makepch
check_eq "released: exit code" 0 "$status"
cmp -s "$WORK/gch.held" "$gch" && failed "released: the header was not made again" || pass
makepch --check
check_eq "released: current" 0 "$status"

# A read-only stale header: replaced.
stale 2
chmod a-w "$gch"
makepch
check_eq "read-only: exit code" 0 "$status"
makepch --check
check_eq "read-only: the new header is current" 0 "$status"

# The compiler fails: a stale header never stays where the compiler takes it.
touch "$bin/fail"
stale 3
makepch
check_eq "compiler fails: exit code" 1 "$status"
[ -e "$gch" ] && failed "compiler fails: the stale header was kept" || pass
grep -q 'told to fail' "$WORK/last.out" && pass || failed "compiler fails: its words were not printed"
rm -f "$bin/fail" && makepch && stale 4
touch "$bin/fail"
hold "$gch"
makepch
check_eq "compiler fails, stale header held open: exit code" 3 "$status"
release
rm -f "$bin/fail"

finish
