#!/usr/bin/env bash
# Times the class check on a class of N programs (30 by default) like a real lesson's: most
# draw the star in their own ways (right, shifted, turned, another colour, a square, half a
# star, a spiral), three do not build, two never end (the 10 s limit) and one crashes.
#   scripts/bench-class-check.sh INSTALL_DIR [N]
# INSTALL_DIR is an installation in the editor's layout (the tests' build/tests/windows*/
# tests/standins/npp); the Wine session is $QIV_WINE_STATE's, or one of its own.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
npp=$1 count=${2:-30}
work=$(mktemp -d /tmp/qiv-class-bench.XXXXXX)
own_state=""
if [ -z "${QIV_WINE_STATE:-}" ]; then
    own_state=$work/wine
    "$root/scripts/wine-env.sh" start "$own_state" >/dev/null
    export QIV_WINE_STATE=$own_state
fi
trap '[ -z "$own_state" ] || "$root/scripts/wine-env.sh" stop "$own_state" >/dev/null 2>&1; rm -rf "$work"' EXIT
# shellcheck disable=SC1091
. "$QIV_WINE_STATE/env.sh"
class=$work/class
mkdir -p "$class"

program() {  # BODY: statements of main
    printf 'int main() {\n    pen.speed(0);\n%s\n    return 0;\n}\n' "$1"
}
star='    for (int i = 0; i < 5; i++) {\n        pen.fd(100);\n        pen.rt(144);\n    }\n    cout << "star" << endl;'
program "$(printf "$star")" >"$class/target.cpp"
kinds=(right right right right shifted turned colour square half spiral right shifted)
for i in $(seq "$count"); do
    name=$(printf 'student%02d' "$i")
    case $i in
        3 | 14 | 25) printf 'int main() {\n    pen.fd(100)\n    return 0;\n}\n' >"$class/$name.cpp"; continue ;;
        7 | 19) program '    pen.fd(50);\n    while (true) {\n    }' | sed 's/\\n/\n/g' >"$class/$name.cpp"; continue ;;
        11) program '    pen.fd(50);\n    *(volatile int *)0 = 1;' | sed 's/\\n/\n/g' >"$class/$name.cpp"; continue ;;
    esac
    case ${kinds[$((i % ${#kinds[@]}))]} in
        right) body=$star ;;
        shifted) body="    pen.up();\n    pen.move(2, 1);\n    pen.down();\n$star" ;;
        turned) body="    pen.rt(1);\n$star" ;;
        colour) body="    pen.color(4);\n$star" ;;
        square) body='    for (int i = 0; i < 4; i++) {\n        pen.fd(100);\n        pen.rt(90);\n    }' ;;
        half) body='    for (int i = 0; i < 3; i++) {\n        pen.fd(100);\n        pen.rt(144);\n    }' ;;
        spiral) body='    for (int i = 0; i < 60; i++) {\n        pen.fd(i * 2);\n        pen.rt(91);\n    }' ;;
    esac
    program "$(printf "$body")" >"$class/$name.cpp"
done

LC_ALL=zh_CN.GBK "$QIV_WINE" "$npp/Qiv/tools/makeruntime.exe" >/dev/null 2>&1 || true
LC_ALL=zh_CN.GBK "$QIV_WINE" "$npp/Qiv/tools/makepch.exe" >/dev/null 2>&1 || true
start=$(date +%s.%N)
LC_ALL=zh_CN.GBK "$QIV_WINE" "$npp/Qiv/tools/qivcheck.exe" "Z:${class//\//\\}" >"$work/out.txt" 2>&1 || true
end=$(date +%s.%N)
rows=$(($(wc -l <"$class/report.csv") - 1))
python3 - "$start" "$end" "$count" "$rows" <<'PY'
import sys
start, end, count, rows = float(sys.argv[1]), float(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4])
print(f"class check: {count} programs and the target, {rows} rows, {end - start:.1f} s "
      f"({(end - start) / (count + 1):.2f} s a program; two at a time)")
PY
if [ -n "${QIV_BENCH_KEEP:-}" ]; then
    mkdir -p "$QIV_BENCH_KEEP" && cp -r "$class/." "$QIV_BENCH_KEEP/"
    echo "class and report kept in $QIV_BENCH_KEEP"
fi
