#!/usr/bin/env bash
# Every lesson and sample holds Chinese comments, and every lesson, built with the plug-in's
# command lines, runs to its end under Wine (the output pane shows the end banner; lesson 4
# gets its number on the input line, lesson 6 finds flower.bmp beside it) and draws: its
# screen differs from that of a program that draws nothing in thousands of pixels.
#   lessons_run.sh SOURCE_DIR WATCH_EXE EMPTY_EXE FLOWER_BMP LESSON_EXE...
set -euo pipefail
src=$1 watch=$2 empty=$3 flower=$4
shift 4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Comments: at least three lines of Chinese, and no comment in English sentences (three or
# more English words of three letters or more in a row).
for f in "$src"/samples/lessons/*.cpp "$src"/samples/*/*.cpp; do
    text=$(iconv -f GBK -t UTF-8 "$f") || { fail "$f is not GBK"; continue; }
    chinese=$(LC_ALL=C.UTF-8 grep -cP '//.*\p{Han}' <<<"$text" || true)
    [ "$chinese" -ge 3 ] || fail "$(basename "$f"): $chinese comment lines in Chinese"
    english=$(LC_ALL=C.UTF-8 grep -P '//.*\b[A-Za-z]{3,}\b[ ,]+\b[A-Za-z]{3,}\b[ ,]+\b[A-Za-z]{3,}\b' <<<"$text" || true)
    [ -z "$english" ] || fail "$(basename "$f"): English comments: $english"
done

# Runs a program in a folder of its own with the given input lines; takes the screen when the
# run has ended. Prints the watcher's status (0: ended).
run() {  # exe shot [input...]
    local exe=$1 shot=$2 dir status=0 pid
    shift 2
    dir="$work/$(basename "$exe" .exe)"
    mkdir -p "$dir" && cp "$exe" "$flower" "$dir/"
    (cd "$dir" && exec "$QIV_WINE" "$(basename "$exe")" </dev/null >/dev/null 2>&1) &
    pid=$!
    local args=()
    for line in "$@"; do args+=(-input "$line"); done
    "$QIV_WINE" "$watch" "${args[@]}" -timeout 60 </dev/null >/dev/null 2>&1 || status=$?
    sleep 1
    import -window root "$shot"
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    sleep 1
    echo "$status"
}

[ "$(run "$empty" "$work/empty.png")" = 0 ] || fail "the program that draws nothing did not end its run"
for exe in "$@"; do
    name=$(basename "$exe" .exe)
    input=()
    case "$name" in *04_text_input*) input=(5) ;; esac
    status=$(run "$exe" "$work/$name.png" "${input[@]}")
    [ "$status" = 0 ] || fail "$name did not end its run within 60 s (watcher status $status)"
    drawn=$(compare -metric AE "$work/empty.png" "$work/$name.png" null: 2>&1 || true)
    drawn=${drawn%% *}
    [[ "$drawn" =~ ^[0-9]+$ ]] && [ "$drawn" -ge 1000 ] || fail "$name drew nothing: $drawn pixels differ from an empty run"
    echo "$name: ended, $drawn pixels drawn"
done
[ "$failures" = 0 ] || { echo "$failures failures"; exit 1; }
echo "lessons: all ran to their end and drew"
