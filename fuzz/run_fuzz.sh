#!/usr/bin/env bash
# run_fuzz.sh FUZZER WAVEGEN CORPUS SECONDS: seeds the corpus with generated
# recordings of every format, then fuzzes for a bounded time.
set -euo pipefail
fuzzer=$1 wavegen=$2 corpus=$3 seconds=$4
mkdir -p "$corpus"
for bits in 8 16 24; do
  for ch in 1 2; do
    "$wavegen" "$corpus/seed_${bits}_${ch}.wav" --bits "$bits" --channels "$ch" --frames 64 --clicks 1
  done
done
# A damaged seed: the data chunk claims more than the file holds.
head -c 200 "$corpus/seed_16_2.wav" >"$corpus/seed_truncated.wav"
# A long walk: 600 KiB of zero bytes (empty chunks) between "fmt " and "data",
# across many buffers of the chunk reader.
{ head -c 36 "$corpus/seed_16_2.wav"; head -c $((600 << 10)) /dev/zero; tail -c +37 "$corpus/seed_16_2.wav"; } \
  >"$corpus/seed_zero_chunks.wav"
exec "$fuzzer" -max_total_time="$seconds" -max_len=$((1 << 20)) -print_final_stats=1 "$corpus" 2>&1 | tail -n 25
