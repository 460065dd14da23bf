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
# The extensible header tools write for 24 bits or a channel mask, made from a
# canonical seed (44-byte header): tag 0xFFFE, cbSize 22, valid bits, mask,
# PCM sub-format; the last one names the float sub-format instead.
byte() { printf "\\$(printf %03o "$1")"; }
le16() { byte $(($1 & 255)); byte $(($1 >> 8 & 255)); }
le32() { le16 $(($1 & 65535)); le16 $(($1 >> 16)); }
extensible() {  # SOURCE BITS MASK SUBFORMAT-FIRST-BYTE
  printf RIFF; le32 $(($(stat -c %s "$1") - 8 + 24)); printf 'WAVEfmt '; le32 40; le16 65534
  head -c 36 "$1" | tail -c +23
  le16 22; le16 "$2"; le32 "$3"; le32 "$4"
  printf '\x00\x00\x10\x00\x80\x00\x00\xaa\x00\x38\x9b\x71'
  tail -c +37 "$1"
}
extensible "$corpus/seed_24_2.wav" 24 3 1 >"$corpus/seed_extensible_24_2.wav"
extensible "$corpus/seed_16_1.wav" 16 4 1 >"$corpus/seed_extensible_16_1.wav"
extensible "$corpus/seed_24_2.wav" 24 3 3 >"$corpus/seed_extensible_float.wav"
# A damaged seed: the data chunk claims more than the file holds.
head -c 200 "$corpus/seed_16_2.wav" >"$corpus/seed_truncated.wav"
# A long walk: 600 KiB of zero bytes (empty chunks) between "fmt " and "data",
# across many buffers of the chunk reader.
{ head -c 36 "$corpus/seed_16_2.wav"; head -c $((600 << 10)) /dev/zero; tail -c +37 "$corpus/seed_16_2.wav"; } \
  >"$corpus/seed_zero_chunks.wav"
exec "$fuzzer" -max_total_time="$seconds" -max_len=$((1 << 20)) -print_final_stats=1 "$corpus" 2>&1 | tail -n 25
