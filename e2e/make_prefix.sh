#!/usr/bin/env bash
# Makes this test run's own Wine prefix, new each run.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
trap stop_all EXIT
rm -rf "$WINEPREFIX"
start_display
bash "$here/../scripts/wine_prefix.sh" "$WINEPREFIX"
echo "prefix ready: $WINEPREFIX"
