#!/usr/bin/env bash
# Files written by sox (not by us) validate and load with the expected fields.
set -euo pipefail
check=$1 dir=$2
mkdir -p "$dir"
fail=0
for bits in 8 16 24; do
  for ch in 1 2; do
    f="$dir/sox_${bits}_${ch}.wav"
    sox -n -t wavpcm -r 22050 -b "$bits" -c "$ch" -e $([ "$bits" = 8 ] && echo unsigned || echo signed) \
        "$f" synth 0.5 sine 440 2>/dev/null
    out=$("$check" "$f")
    frames=11025
    want="ok bps=$((bits / 8)) frameBytes=$((bits / 8 * ch)) frames=$frames repaired=0 loaded=1"
    if [ "$out" != "$want" ]; then
      echo "FAIL $f: got '$out' want '$want'"; fail=1
    else
      echo "ok $f"
    fi
  done
done
exit $fail
