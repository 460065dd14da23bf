#!/usr/bin/env bash
# run.sh [FILE.wav]: installs what is missing, builds, and opens Velkor under
# Wine on FILE, or on a generated demo recording when no file is named.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
bash "$root/scripts/install-deps.sh"
bash "$root/scripts/build.sh" "$build"

file=${1:-}
if [ -z "$file" ]; then
  file="$build/demo/demo.wav"
  mkdir -p "$build/demo"
  # 30 s of a chord in stereo 16-bit with three clicks to repair.
  [ -f "$file" ] || "$build/tools/wavegen" "$file" --seconds 30 --bits 16 --channels 2 --clicks 3
fi
[ -e "$file" ] || { echo "run.sh: no such file: $file" >&2; exit 1; }

xvfb_pid=""
if [ -z "${DISPLAY:-}" ]; then
  for n in $(seq 91 160); do
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1600x1000x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    sleep 1
    if kill -0 "$xvfb_pid" 2>/dev/null; then export DISPLAY=":$n"; break; fi
  done
  echo "run.sh: no display; Velkor runs on the virtual display $DISPLAY" >&2
  trap 'kill $xvfb_pid 2>/dev/null || true' EXIT
fi

export WINEPREFIX=${VELKOR_WINEPREFIX:-$HOME/.local/share/velkor/wine}
export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# A Japanese Windows: Wine's own buttons (はい/いいえ/キャンセル) and file
# dialogs then speak the program's language (install-deps.sh made the locale).
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
bash "$root/scripts/wine_prefix.sh" "$WINEPREFIX"
path=$(readlink -f "$file")
wine "$build/windows/velkor.exe" "Z:${path//\//\\}"
