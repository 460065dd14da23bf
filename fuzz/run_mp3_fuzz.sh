#!/usr/bin/env bash
# run_mp3_fuzz.sh FUZZER DATA CORPUS SECONDS: seeds the corpus with the small
# lame files of the unit tests and a RIFF-wrapped one, then fuzzes for a
# bounded time.
set -euo pipefail
fuzzer=$1 data=$2 corpus=$3 seconds=$4
mkdir -p "$corpus"
cp "$data"/*.mp3 "$corpus/"
# RIFF WAVE with format tag 85: the 30-byte record, then the frames as "data".
byte() { printf "\\$(printf %03o "$1")"; }
le32() { byte $(($1 & 255)); byte $(($1 >> 8 & 255)); byte $(($1 >> 16 & 255)); byte $(($1 >> 24)); }
frames="$data/cbr_notag.mp3"
n=$(stat -c %s "$frames")
{
  printf RIFF; le32 $((4 + 38 + 8 + n + n % 2)); printf 'WAVEfmt '; le32 30
  printf '\x55\x00\x02\x00\x44\xac\x00\x00\x80\x3e\x00\x00\x01\x00\x00\x00\x0c\x00\x01\x00\x02\x00\x00\x00'
  printf '\xa1\x01\x01\x00\x71\x05data'; le32 "$n"; cat "$frames"
  if [ $((n % 2)) = 1 ]; then printf '\x00'; fi
} >"$corpus/seed_riff_wave_mp3.wav"
exec "$fuzzer" -max_total_time="$seconds" -max_len=$((64 << 10)) -print_final_stats=1 "$corpus" 2>&1 | tail -n 25
