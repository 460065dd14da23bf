#!/usr/bin/env bash
# bench/run.sh [BUILD_DIR]: builds the benchmarks and prints their figures.
# The one-hour recording is generated once and kept in BUILD_DIR/bench-data.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
# FFTW is the transform's yardstick (never linked into the product): installed
# here when missing; without it the spectrum benchmark says so and skips the comparison.
if ! dpkg-query -W -f='${Status}' libfftw3-dev 2>/dev/null | grep -q "install ok installed"; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  echo "Installing: libfftw3-dev" >&2
  export DEBIAN_FRONTEND=noninteractive
  if ! { $SUDO apt-get update -qq >/dev/null &&
    $SUDO apt-get install -y -qq --no-install-recommends libfftw3-dev >/dev/null; }; then
    echo "libfftw3-dev could not be installed: the transform is timed without its comparison" >&2
  fi
fi
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target wavegen load_bench view_bench tools_bench exit_bench overview_bench look_bench \
  render_bench playback_bench walk_bench band_bench spectrum_bench shortening_bench hook_bench >/dev/null
data="$build/bench-data"
mkdir -p "$data"
hour="$data/hour_44k_16_stereo.wav"
[ -f "$hour" ] || "$build/tools/wavegen" "$hour" --seconds 3600 --bits 16 --channels 2 --rate 44100

best_of_5() {  # prints the best wall time of a command, in seconds
  local best="" t0 t1 s
  for _ in 1 2 3 4 5; do
    t0=$(date +%s%N); "$@"; t1=$(date +%s%N)
    s=$(echo "($t1 - $t0) / 1000000000" | bc -l)
    if [ -z "$best" ] || [ "$(echo "$s < $best" | bc -l)" = 1 ]; then best=$s; fi
  done
  echo "$best"
}

cat "$hour" >/dev/null  # warm the cache
echo "== load of a one-hour 44.1 kHz 16-bit stereo recording"
cat_s=$(best_of_5 sh -c "cat '$hour' >/dev/null")
"$build/bench/load_bench" "$hour" "$cat_s"

echo "== page changes on the largest page"
"$build/bench/view_bench" "$data"

echo "== tool ticks on the largest frame"
"$build/bench/tools_bench" "$data"

echo "== change check and save at exit (the save's baseline: cp, then sync -f on the copy, as the save flushes)"
copy="$data/hour_copy.wav" out="$data/hour_saved.wav"
[ -f "$copy" ] || cp "$hour" "$copy"
cat "$copy" >/dev/null
cmp_s=$(best_of_5 cmp "$hour" "$copy")
cp_s=$(best_of_5 sh -c "cp '$hour' '$out' && sync -f '$out'")
"$build/bench/exit_bench" "$hour" "$cmp_s" "$cp_s" "$out"
rm -f "$out"

echo "== overview of the same recording against its load; the picture made on paint"
"$build/bench/overview_bench" "$hour"

echo "== the bar's look after each tool tick, against the 100 ms repeat period"
"$build/bench/look_bench" "$data"

echo "== the edit window's paint and its busiest tick, against a plain read and the 100 ms repeat period"
"$build/bench/render_bench" "$data"

echo "== playback: the largest composition against the 100 ms period and a memcpy; a streamed chunk's fill"
"$build/bench/playback_bench" "$data"

echo "== the header check of a file with 256 MiB of empty chunks before its data, against a plain read of it"
"$build/bench/walk_bench" "$data"

echo "== the transform against FFTW; the page spectrum against the 100 ms repeat period"
"$build/bench/spectrum_bench" "$data"

echo "== band editing: band on and off over the largest page at each cutoff, against the 100 ms period"
"$build/bench/band_bench" "$data"

echo "== MP3 conversion of a one-hour 128 kbit/s recording under Wine, against lame --decode of it"
if command -v wine >/dev/null && command -v lame >/dev/null; then
  cmake --build "$build" --target velkor_windows >/dev/null
  mp3="$data/hour_128k.mp3"
  [ -f "$mp3" ] || lame --quiet -b 128 "$hour" "$mp3"
  export WINEPREFIX="$data/wine-prefix" WINEDEBUG=-all WINEARCH=win64
  [ -d "$WINEPREFIX/drive_c" ] || wineboot -i >/dev/null 2>&1
  cat "$mp3" >/dev/null
  best_of_3() { local best="" t0 t1 s; for _ in 1 2 3; do
    t0=$(date +%s%N); "$@"; t1=$(date +%s%N); s=$(echo "($t1 - $t0) / 1000000000" | bc -l)
    if [ -z "$best" ] || [ "$(echo "$s < $best" | bc -l)" = 1 ]; then best=$s; fi; done; echo "$best"; }
  lame_s=$(best_of_3 lame --quiet --decode "$mp3" "$data/hour_lame.wav")
  rm -f "$data/hour_lame.wav"
  winpath() { local p; p=$(readlink -f "$1"); echo "Z:${p//\//\\}"; }
  wine "$build/windows/bench/mp3_bench.exe" "$(winpath "$mp3")" "$(winpath "$data")" "$lame_s"
else
  echo "wine or lame is missing: skipped"
fi

echo "== shortening: one batch on K clicks, judged against the clean recording, beside a general-purpose declicker"
"$build/bench/shortening_bench" "$data"
# The peer (ffmpeg's adeclick with its defaults) is installed here only, with apt-get.
if ! command -v ffmpeg >/dev/null; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  echo "Installing: ffmpeg" >&2
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends ffmpeg >/dev/null 2>&1 ||
    { $SUDO apt-get update -qq >/dev/null 2>&1 &&
      DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends ffmpeg >/dev/null 2>&1; } ||
    true
fi
if command -v ffmpeg >/dev/null; then
  for scene in k8 k24 k8_3khz; do
    t0=$(date +%s%N)
    ffmpeg -v error -y -i "$data/shortening_${scene}_clicked.wav" -af adeclick -c:a pcm_s16le \
      "$data/shortening_${scene}_repaired.wav"
    t1=$(date +%s%N)
    "$build/bench/shortening_bench" judge "$data" "$scene" "$(echo "($t1 - $t0) / 1000000000" | bc -l)"
  done
else
  echo "ffmpeg is missing and could not be installed: the comparison with adeclick is skipped"
fi

echo "== the mouse hook's decision per call, against 1 us"
"$build/bench/hook_bench"

echo "== the thread hooks under Wine: injected moves with and without them (against 1.10), the catcher's screen copy"
bash "$root/bench/hook_bench_wine.sh" "$build"

# The real program under Wine, when Wine and a virtual display are at hand.
if command -v wine >/dev/null && command -v Xvfb >/dev/null && command -v x86_64-w64-mingw32-g++-posix >/dev/null; then
  echo "== velkor.exe under Wine: opening the one-hour recording, leaving it, saving one change"
  cmake --build "$build" --target velkor_windows >/dev/null
  bash "$root/bench/wine_bench.sh" "$build" "$hour"
else
  echo "== velkor.exe under Wine: skipped (needs wine, Xvfb and MinGW-w64)"
fi
