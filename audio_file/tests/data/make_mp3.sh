#!/usr/bin/env bash
# make_mp3.sh WAVEGEN: remakes the small lame files the MP3 detection tests
# read (lame 3.100). The tests hold their exact layout, so a remake with
# another lame must be checked against them.
set -euo pipefail
wavegen=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
"$wavegen" "$tmp/s44.wav" --rate 44100 --channels 2 --frames 6615 --clicks 1 >/dev/null
"$wavegen" "$tmp/m22.wav" --rate 22050 --channels 1 --frames 4410 --clicks 1 >/dev/null
"$wavegen" "$tmp/m8.wav" --rate 8000 --channels 1 --frames 4800 --clicks 1 >/dev/null
lame=(lame --quiet)
"${lame[@]}" -t -b 128 "$tmp/s44.wav" cbr_notag.mp3
"${lame[@]}" -b 128 "$tmp/s44.wav" cbr_info.mp3
"${lame[@]}" -V 2 "$tmp/s44.wav" vbr_xing.mp3
"${lame[@]}" -b 128 --id3v2-only --tt take1 "$tmp/s44.wav" id3v2.mp3
"${lame[@]}" -b 128 --add-id3v2 --tt take1 "$tmp/s44.wav" id3v2v1.mp3
"${lame[@]}" -b 128 --id3v1-only --tt take1 "$tmp/s44.wav" id3v1.mp3
"${lame[@]}" -b 64 "$tmp/m22.wav" mono22k.mp3
"${lame[@]}" -b 24 "$tmp/m8.wav" mono8k.mp3
