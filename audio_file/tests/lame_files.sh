#!/usr/bin/env bash
# Files lame writes at every rate of the standard, mono and stereo, CBR and
# VBR: detection finds the rate and channels asked for, and the frame walk
# counts the frames lame's own Info/Xing tag records.
set -euo pipefail
check=$1 wavegen=$2 dir=$3
mkdir -p "$dir"
fail=0
for rate in 8000 11025 12000 16000 22050 24000 32000 44100 48000; do
  for ch in 1 2; do
    wav="$dir/gen_${rate}_${ch}.wav"
    "$wavegen" "$wav" --rate "$rate" --channels "$ch" --frames $((rate / 2)) --clicks 1 >/dev/null
    # A bit rate whose frames hold lame's tag frame.
    cbr=$([ "$rate" -ge 32000 ] && echo 128 || echo 64)
    for mode in "-b $cbr" "-V 5"; do
      mp3="$dir/lame_${rate}_${ch}_${mode// /}.mp3"
      lame --quiet $mode -m "$([ "$ch" = 1 ] && echo m || echo j)" "$wav" "$mp3"
      # The tag frame: "Info" or "Xing", flags, then the frame count (big-endian).
      at=$(grep -obaE 'Info|Xing' "$mp3" | head -n 1 | cut -d: -f1 || true)
      if [ -z "$at" ]; then
        echo "FAIL $mp3: no tag frame"; fail=1; continue
      fi
      frames=$(od -An -tu1 -j $((at + 8)) -N4 "$mp3" | awk '{print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4}')
      out=$("$check" "$mp3")
      case "$out" in
        "(id3v_mp3) rate=$rate channels=$ch frames=$frames "*) echo "ok $mp3" ;;
        *) echo "FAIL $mp3: got '$out' want rate=$rate channels=$ch frames=$frames"; fail=1 ;;
      esac
    done
  done
done
exit $fail
