#!/usr/bin/env bash
# Makes this test run's own Wine prefix, new each run.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
trap stop_all EXIT
# Without it glibc falls back to C and Wine's own dialogs would read English.
locale -a 2>/dev/null | grep -qix 'ja_JP\.utf-\?8' || fail "no ja_JP.UTF-8 locale: run scripts/install-deps.sh"
rm -rf "$WINEPREFIX" "$E2E_HOME"
# A new prefix links its Desktop to $HOME/Desktop: converted MP3s land in
# this run's own folder, never in the real home.
mkdir -p "$E2E_HOME/Desktop"
export HOME="$E2E_HOME"
start_display
bash "$here/../scripts/wine_prefix.sh" "$WINEPREFIX"
echo "prefix ready: $WINEPREFIX"
