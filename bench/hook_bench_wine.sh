#!/usr/bin/env bash
# hook_bench_wine.sh BUILD_DIR: runs hook_bench_win.exe under Wine on a
# virtual 1280 x 1024 screen of its own, in a prefix kept in BUILD_DIR/bench-data.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
exe="$build/windows/bench/hook_bench_win.exe"
if ! command -v wine >/dev/null || ! command -v Xvfb >/dev/null || [ ! -f "$exe" ]; then
  echo "skipped: needs wine, Xvfb and $exe (the full build)"
  exit 0
fi
export WINEPREFIX="$build/bench-data/wine-prefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
display=""
for n in $(seq 170 230); do
  [ -e "/tmp/.X$n-lock" ] && continue
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  for _ in $(seq 50); do [ -S "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  if [ -S "/tmp/.X11-unix/X$n" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "skipped: no free X display"; exit 0; }
trap 'wineserver -k 2>/dev/null || true; kill "$xvfb" 2>/dev/null || true' EXIT
export DISPLAY=$display
bash "$root/scripts/wine_prefix.sh" "$WINEPREFIX"
wine "$exe"
