#!/usr/bin/env bash
# Makes this test run's own Wine prefix, new each run.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
trap stop_all EXIT
# Without it glibc falls back to C and Wine's own dialogs would read English.
locale -a 2>/dev/null | grep -qix 'ja_JP\.utf-\?8' || fail "no ja_JP.UTF-8 locale: run scripts/install-deps.sh"
rm -rf "$WINEPREFIX"
start_display
bash "$here/../scripts/wine_prefix.sh" "$WINEPREFIX"
echo "prefix ready: $WINEPREFIX"
