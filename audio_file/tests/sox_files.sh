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
# sox's own choice of header: 24 bits (and any channel mask) go out extensible.
for ch in 1 2; do
  f="$dir/sox_ext_24_${ch}.wav"
  sox -n -r 48000 -b 24 -c "$ch" -e signed "$f" synth 0.25 sine 440 2>/dev/null
  tag=$(od -An -tx2 -j20 -N2 "$f" | tr -d ' ')
  out=$("$check" "$f")
  want="ok bps=3 frameBytes=$((3 * ch)) frames=12000 repaired=0 loaded=1"
  if [ "$tag" != fffe ] || [ "$out" != "$want" ]; then
    echo "FAIL $f: tag $tag, got '$out' want '$want'"; fail=1
  else
    echo "ok $f"
  fi
done
# Extensible files beyond plain PCM keep their refusal.
refusal="refused fmt 検出: 対応できないフォーマットか、ここへ設定できないファイルです。"
for options in "-b 16 -c 3 -e signed" "-b 32 -c 2 -e signed" "-b 32 -c 2 -e float"; do
  f="$dir/sox_refused_${options// /_}.wav"
  sox -n -r 22050 $options "$f" synth 0.1 sine 440 2>/dev/null
  out=$("$check" "$f" || true)
  if [ "$out" != "$refusal" ]; then
    echo "FAIL $f: got '$out'"; fail=1
  else
    echo "ok $f"
  fi
done
exit $fail
