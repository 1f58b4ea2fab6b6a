#!/usr/bin/env bash
# Runs one Windows program under Wine in the test environment started by wine-env.sh and
# returns its exit code; what the program prints reaches this script's standard output.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${QIV_WINE_STATE:-}" ]; then
    echo "wine-run.sh: QIV_WINE_STATE is not set (start the environment with wine-env.sh)" >&2
    exit 2
fi
# shellcheck disable=SC1091
. "$QIV_WINE_STATE/env.sh"
exe=$1; shift
exec "$QIV_WINE" "$exe" "$@"
