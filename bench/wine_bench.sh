#!/usr/bin/env bash
# bench/wine_bench.sh BUILD_DIR HOUR_FILE [RUNS]: the real velkor.exe under Wine
# on the one-hour recording, against plain tools timed in the same run:
#   open   OK in the file selection dialog until the overview is painted,
#          split by the two progress dialogs          against cat FILE
#   exit   Yes in the exit dialog until the process has ended, no change
#          (the change check reads the whole file)    against cmp FILE COPY
#   save   OK in the save-as dialog until "written" shows, one change
#                                                     against cp FILE OUT; sync -f OUT
# and against a plain Windows program under the same Wine (bench/plain_io):
# FILE read into fresh memory, that memory's first write alone, and the bytes
# written back with a flush: what any program pays here.
# The best of RUNS (default 3) each; the load average is printed, as other
# work on the machine slows Wine more than the plain tools.
set -euo pipefail
build=$(readlink -f "$1")
hour=$(readlink -f "$2")
runs=${3:-3}
here=$(cd "$(dirname "$0")" && pwd)
# VELKOR_BENCH_EXE: another velkor.exe to time with the same driver (a build before a change).
VELKOR_EXE_BUILT=${VELKOR_BENCH_EXE:-$build/windows/velkor.exe}
VELKOR_DRIVER="$build/windows/e2e/velkor_driver.exe"
plain_io="$build/windows/bench/plain_io.exe"
[ -f "$VELKOR_EXE_BUILT" ] && [ -f "$VELKOR_DRIVER" ] && [ -f "$plain_io" ] ||
  { echo "wine_bench: velkor.exe, the driver or plain_io is not built" >&2; exit 1; }
E2E_WORK="$build/bench-data/wine"
source "$here/../e2e/lib.sh"
CASE_DIR="$E2E_WORK/run"
rm -rf "$CASE_DIR"
mkdir -p "$CASE_DIR/program" "$E2E_HOME/Desktop"
trap stop_all EXIT
start_display
HOME="$E2E_HOME" bash "$here/../scripts/wine_prefix.sh" "$WINEPREFIX"

# Its own copies: the program's settings start missing, and the recording
# can be changed on disk to make the one change the save writes.
VELKOR_EXE="$CASE_DIR/program/velkor.exe"
cp "$VELKOR_EXE_BUILT" "$VELKOR_EXE"
edit="$CASE_DIR/hour.wav" copy="$CASE_DIR/hour_copy.wav" out="$CASE_DIR/hour_out.wav"
cp "$hour" "$edit"
cp "$hour" "$copy"
title=$(winpath "$edit")
name=$(basename "$edit")

seconds() { local t0 t1; t0=$(date +%s%N); "$@" >/dev/null; t1=$(date +%s%N); echo "($t1 - $t0) / 1000000" | bc; }
smaller() { if [ -z "$1" ] || [ "$(echo "$2 < $1" | bc -l)" = 1 ]; then echo "$2"; else echo "$1"; fi; }

# Starts Velkor on the recording and times OK to the painted overview:
# sets open, r1, r2 (the read dialog first and last seen), d1, d2 (the drawing's), in ms.
timed_open() {
  rm -f "$CASE_DIR/program/Velkor.ini"
  start_velkor "$title"
  wait_text '#32770' "$DIALOG" 312 "$name" 60 >/dev/null
  local lines
  lines=$(drive timedpress "$DIALOG" 1 MainWndClass '*' 'ファイル読込中' '描画準備中') || fail "no overview: $lines"
  read -r open r1 r2 d1 d2 < <(echo "$lines" | tr -d '\r' | awk '/^shown/ {s = $2} /^ファイル読込中/ {r1 = $2; r2 = $3}
    /^描画準備中/ {d1 = $2; d2 = $3} END {print s, r1, r2, d1, d2}')
}

flip_byte() {  # path, offset
  python3 - "$1" "$2" <<'PY'
import sys
with open(sys.argv[1], 'r+b') as f:
    f.seek(int(sys.argv[2])); b = f.read(1); f.seek(int(sys.argv[2])); f.write(bytes([b[0] ^ 0xFF]))
PY
}

# New page-cache pages cost more than pages freed a moment ago (on a virtual
# machine, many times more): one untimed copy first, then the copy and the
# save each reuse what the other freed.
cp "$hour" "$out" && sync -f "$out" && rm -f "$out"

best_open="" best_read="" best_draw="" best_rest="" best_exit="" best_save="" best_cat="" best_cmp="" best_cp=""
best_plain_read="" best_plain_touch="" best_plain_write=""
for run in $(seq "$runs"); do
  plain=$(wine "$plain_io" "$(winpath "$edit")" "$(winpath "$out")" | tr -d '\r') || fail "plain_io failed"
  best_plain_read=$(smaller "$best_plain_read" "$(echo "$plain" | awk '/^read/ {print $2}')")
  best_plain_touch=$(smaller "$best_plain_touch" "$(echo "$plain" | awk '/^first-write/ {print $2}')")
  best_plain_write=$(smaller "$best_plain_write" "$(echo "$plain" | awk '/^write/ {print $2}')")
  rm -f "$out"
  cat "$edit" >/dev/null
  best_cat=$(smaller "$best_cat" "$(seconds cat "$edit")")
  timed_open
  best_open=$(smaller "$best_open" "$open")
  # Each phase as its dialog was seen (to the millisecond); the windows made after the drawing come last.
  [ "$r2" != - ] && best_read=$(smaller "$best_read" "$r2")
  [ "$d1" != - ] && best_draw=$(smaller "$best_draw" "$(echo "$d2 - $d1" | bc)")
  [ "$d2" != - ] && best_rest=$(smaller "$best_rest" "$(echo "$open - $d2" | bc)")

  drive close MainWndClass '*' >/dev/null
  drive wait '#32770' "$title" >/dev/null || fail "no exit dialog"
  best_cmp=$(smaller "$best_cmp" "$(seconds cmp "$edit" "$copy")")
  best_exit=$(smaller "$best_exit" "$(drive timedexit "$title" 1)")
  VELKOR_PID=""

  best_cp=$(smaller "$best_cp" "$(seconds sh -c "cp '$edit' '$out' && sync -f '$out'")")
  rm -f "$out"

  # One change: a byte of the file on disk, 2.25 s in, differs from the image.
  timed_open
  flip_byte "$edit" $((44 + 4 * 44100 * 9 / 4))
  drive close MainWndClass '*' >/dev/null
  drive press "$title" 1 >/dev/null
  drive wait '#32770' '保存場所の選択' >/dev/null || fail "no save question"
  drive press '保存場所の選択' 6 >/dev/null
  drive wait '#32770' 'ファイルを保存' >/dev/null || fail "no save-as dialog"
  drive settext 'ファイルを保存' 1148 "$(winpath "$out")" >/dev/null
  rm -f "$out"
  save=$(drive timedpress 'ファイルを保存' 1 '#32770' 'ファイル書込み' | awk '/^shown/ {print $2}')
  [ -n "$save" ] || fail "no written message"
  best_save=$(smaller "$best_save" "$save")
  drive press 'ファイル書込み' 1 >/dev/null
  expect_exit 0 60 >/dev/null
  cmp -s "$out" "$copy" || fail "the saved file is not the image"
  flip_byte "$edit" $((44 + 4 * 44100 * 9 / 4))
  rm -f "$out"
done

ratio() { echo "scale=2; $1 / $2" | bc; }
echo "velkor.exe under Wine, one-hour 44.1 kHz 16-bit stereo ($(($(stat -c %s "$hour") / 1048576)) MiB), best of $runs, ms"
echo "load average during the run: $(cut -d' ' -f1-3 /proc/loadavg)"
printf '  cat FILE                   %7s\n' "$best_cat"
printf '  plain read, fresh memory   %7s = %6s x cat   (a plain Windows program under this Wine)\n' \
  "$best_plain_read" "$(ratio "$best_plain_read" "$best_cat")"
printf '    of it, the first write   %7s = %6s x cat   (fresh memory written once, no file)\n' \
  "$best_plain_touch" "$(ratio "$best_plain_touch" "$best_cat")"
printf '  open to overview painted   %7s = %6s x cat   (target <= 5, goal 3) = %s x the plain read\n' \
  "$best_open" "$(ratio "$best_open" "$best_cat")" "$(ratio "$best_open" "$best_plain_read")"
printf '    OK to the read gone      %7s = %6s x cat   = %s x the plain read\n' "$best_read" \
  "$(ratio "$best_read" "$best_cat")" "$(ratio "$best_read" "$best_plain_read")"
printf '    the drawing dialog       %7s = %6s x cat\n' "$best_draw" "$(ratio "$best_draw" "$best_cat")"
printf '    its end to the paint     %7s = %6s x cat   (the edit window and its bars are made here)\n' \
  "$best_rest" "$(ratio "$best_rest" "$best_cat")"
printf '  cmp FILE COPY              %7s\n' "$best_cmp"
printf '  exit, no change            %7s = %6s x cmp\n' "$best_exit" "$(ratio "$best_exit" "$best_cmp")"
printf '  cp FILE OUT; sync -f OUT   %7s\n' "$best_cp"
printf '  plain write + flush        %7s = %6s x cp + sync   (the plain program)\n' "$best_plain_write" \
  "$(ratio "$best_plain_write" "$best_cp")"
printf '  save of one change         %7s = %6s x cp + sync   (target <= 1.5) = %s x the plain write\n' "$best_save" \
  "$(ratio "$best_save" "$best_cp")" "$(ratio "$best_save" "$best_plain_write")"
rm -rf "$CASE_DIR"  # 1.2 GB of copies
