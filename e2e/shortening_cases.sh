# The shortening operation: the automatic dialog's batch watched through its
# title, kept at the close question, and judged by the bytes a save writes.
source "$(dirname "${BASH_SOURCE[0]}")/bar_cases.sh"  # the bar's helpers and the edit window's
source "$(dirname "${BASH_SOURCE[0]}")/play_cases.sh"  # capture_sound, play, expect_stream

AUTOMATIC_KEEP='データを保存して自動操作を終了しますか。'

# `page`, then band editing on the high band f7.
high_band_on() {  # page
  to_page "$1"
  drive command EditWndClass 7012 >/dev/null
  wait_label 119 "f7"
  click_button 103 1031
  wait_bitmap 103 1031 3
}

# A generated 16-bit stereo recording with clicks, page 2, band editing on
# the high band f7: one batch of 41 steps, kept; only the selected (left)
# channel differs in the saved file.
case_shortening_automatic_batch_kept() {
  own_program
  "$VELKOR_WAVEGEN" "$CASE_DIR/take1.wav" --bits 16 --channels 2 --seconds 12 --clicks 6 >/dev/null
  cp "$CASE_DIR/take1.wav" "$CASE_DIR/loaded.wav"
  open_edit "$CASE_DIR/take1.wav"
  high_band_on 2
  wait_tbstate 103 1032 4
  shortening_arrow
  wait_bitmap 103 1032 5
  click_button 103 1032
  expect_question 'このボタンはクリックと同時に実行します。元へ戻すには\n\n自動： ダイアログボックスの「X閉じる」を押して下さい。\n手動： 左端から二番目の黄色に変色されたボタン「終了」を押して下さい。\n\n次回からは、このメッセージを表示しない。' はじめに
  press_box 6
  drive wait '#32770' '自動*' >/dev/null || fail "no automatic dialog"
  sleep 1
  shot shortening_automatic_running
  wait_for "the batch's last step" "自動　0 40" 100 drive wait '#32770' '自動　0 40'
  shot shortening_automatic_idle
  drive close '#32770' '自動　0 40' >/dev/null
  expect_question "$AUTOMATIC_KEEP" 自動操作
  press_box 6
  drive gone '#32770' '自動*' >/dev/null || fail "automatic dialog still there"
  wait_tbstate 103 1032 4
  close_and_save "$CASE_DIR/take1.wav" 0
  wave_diff "$CASE_DIR/loaded.wav" "$CASE_DIR/take1_N.wav" >"$CASE_DIR/diff.txt"
  [ -s "$CASE_DIR/diff.txt" ] || fail "the batch changed nothing"
  expect_eq "changes in the left channel only" "$(awk '$2 != 0' "$CASE_DIR/diff.txt")" ""
  note "ok: $(wc -l <"$CASE_DIR/diff.txt") left samples changed"
}

NOTICE='このボタンはクリックと同時に実行します。元へ戻すには\n\n自動： ダイアログボックスの「X閉じる」を押して下さい。\n手動： 左端から二番目の黄色に変色されたボタン「終了」を押して下さい。\n\n次回からは、このメッセージを表示しない。'

# A clicked recording on `page` with band editing on f7: "短縮操作" enabled.
# On page 1 F2 shows nothing.
clicked_on_page() {  # page
  own_program
  "$VELKOR_WAVEGEN" "$CASE_DIR/take1.wav" --bits 16 --channels 2 --seconds 12 --clicks 6 >/dev/null
  cp "$CASE_DIR/take1.wav" "$CASE_DIR/loaded.wav"
  open_edit "$CASE_DIR/take1.wav"
  xdotool key F2
  sleep 0.3
  expect_eq "no window 344 on page 1" "$(drive visible EditWndClass 344)" 0
  high_band_on "$1"
  wait_tbstate 103 1032 4
}

# Page 2, then "短縮操作" in its manual mode, the notice answered Yes: page 5
# in the shortening look.
manual_start() {
  clicked_on_page 2
  expect_eq "manual mode" "$(tbbitmap 103 1032)" 1
  click_button 103 1032
  expect_question "$NOTICE" はじめに
  press_box 6
  wait_label 116 "5/5"
  wait_bitmap 101 1020 2
  wait_bitmap 101 1021 3
}

# Screen "x y" of a point of window 344: its client x, mid-height.
button_point() {  # x inside the button
  local r; r=$(drive crect EditWndClass 344); set -- $r "$1"
  echo $(($1 + $5)) $((($2 + $4) / 2))
}

show_button() {
  xdotool key F2
  wait_for "window 344 shown" 1 50 drive visible EditWndClass 344
}

# Every changed sample lies in the left channel.
expect_left_only() {
  wave_diff "$CASE_DIR/loaded.wav" "$CASE_DIR/take1_N.wav" >"$CASE_DIR/diff.txt"
  [ -s "$CASE_DIR/diff.txt" ] || fail "nothing changed"
  expect_eq "changes in the left channel only" "$(awk '$2 != 0' "$CASE_DIR/diff.txt")" ""
}

# The yellow band, F1 ignored, the right half attenuating on a timer while
# the window keeps answering, one step on leaving, the end with the normal
# look, and the restore's question.
case_shortening_manual_hover_and_end() {
  local r
  manual_start
  sleep 0.5
  shot shortening_manual_yellow
  r=$(drive tbrect EditWndClass 101 1021); set -- $r
  expect_eq "band 0 yellow" "$(image_pixel "$SHOTS/shortening_manual_yellow.png" $(($1 + 2)) $(($2 + 1)))" "255,255,0"
  local title; title=$(drive title EditWndClass)
  xdotool key F1
  sleep 0.5
  expect_eq "F1 ignored" "$(drive title EditWndClass)" "$title"
  show_button
  expect_eq "repeat off before a step" "$(tbstate 101 1020)" 0
  local at; at=$(button_point 60); set -- $at
  xdotool mousemove "$1" "$2"
  sleep 0.4
  shot shortening_button_attenuating
  local i
  for i in 1 2 3 4 5; do
    expect_eq "answers while attenuating ($i)" "$(drive answers EditWndClass)" answered
    sleep 0.2
  done
  expect_eq "held image" "$(drive visible EditWndClass 344)" 1
  expect_eq "nothing recorded while resting" "$(drive ctext EditWndClass 117)" "0/0"
  xdotool mousemove $(($1 - 200)) $(($2 + 200))
  wait_label 117 "1/1"
  wait_tbstate 101 1020 4
  click_button 101 1021
  wait_label 116 "2/5"
  wait_bitmap 101 1020 0
  wait_bitmap 101 1021 1
  sleep 0.3
  shot shortening_manual_ended
  r=$(drive tbrect EditWndClass 101 1021); set -- $r
  [ "$(image_pixel "$SHOTS/shortening_manual_ended.png" $(($1 + 2)) $(($2 + 1)))" != "255,255,0" ] ||
    fail "band 0 still yellow"
  wait_tbstate 106 1050 4
  click_button 106 1050
  expect_question '最後の編集位置に戻しますか。' 短縮手動操作確定後の復元
  press_box 7
  wait_tbstate 106 1050 0
  close_and_save "$CASE_DIR/take1.wav" 0
  expect_left_only
}

# The left half repeats once the edit holds a step; inactive, the window is
# dragged within its limits and lands on row 64; active, it does not move.
case_shortening_manual_repeat_and_move() {
  manual_start
  show_button
  local at; at=$(button_point 10); set -- $at
  xdotool mousemove "$1" "$2"
  sleep 0.5
  expect_eq "no repeat before a step" "$(drive ctext EditWndClass 116)" "5/5"
  expect_eq "restore not armed" "$(tbstate 106 1050)" 0
  click_button 108 1010
  wait_label 117 "1/1"
  at=$(button_point 10); set -- $at
  xdotool mousemove $(($1 + 1)) "$2"
  wait_label 117 "0/0"
  expect_eq "still on page 5" "$(drive ctext EditWndClass 116)" "5/5"
  click_button 101 1021
  wait_label 116 "2/5"
  xdotool mousemove 5 5
  sleep 0.3
  shot shortening_button_idle
  local edit; edit=$(drive wrect EditWndClass "$EDIT")
  local origin; origin=$(edit_origin); set -- $origin; local oy=$2
  set -- $edit; local left=$1 right=$3
  move_button() {  # screen x to let go at
    local p; p=$(button_point 20); set -- $p "$1"
    xdotool mousemove "$1" "$2" mousedown 1
    sleep 0.3
    xdotool mousemove "$3" "$2"
    sleep 0.3
    xdotool mousemove "$3" "$2" mouseup 1
    sleep 0.5
  }
  move_button 0
  local r; r=$(drive crect EditWndClass 344); set -- $r
  expect_eq "dropped at the left limit" "$1 $2" "$((left + 10)) $((oy + 64))"
  expect_eq "pointer back on the grab point" "$(xdotool getmouselocation | cut -d' ' -f1)" "x:$((left + 10 + 20))"
  move_button 1590
  r=$(drive crect EditWndClass 344); set -- $r
  expect_eq "dropped at the right limit" "$3 $2" "$((right - 10)) $((oy + 64))"
  xdotool mousemove 5 5
  sleep 0.5
  expect_eq "pointer free" "$(xdotool getmouselocation | cut -d' ' -f1-2)" "x:5 y:5"
  click_button 103 1032
  wait_label 116 "5/5"
  move_button 300
  expect_eq "no move while active" "$(drive crect EditWndClass 344)" "$r"
  xdotool mousemove 5 5
  drive command EditWndClass 1021 >/dev/null
  wait_label 116 "2/5"
  close_and_save "$CASE_DIR/take1.wav" 0
  expect_left_only
}

# The page-5 waveform as drawn.
waveform_shot() {  # name
  local name=$1 o; o=$(edit_origin); set -- $o
  xdotool mousemove 5 5
  sleep 0.5
  import -window root -crop "640x250+$1+$(($2 + 62))" "$SHOTS/$name.png" 2>/dev/null
}

# Right after a repeat the restore is armed: it stops the operation and goes
# back to the repeated frame, in the normal look, writing nothing.
case_shortening_manual_repeat_then_restore() {
  manual_start
  click_button 108 1010
  wait_label 117 "1/1"
  waveform_shot shortening_repeated_frame
  drive command EditWndClass 1020 >/dev/null
  wait_label 117 "0/0"
  wait_tbstate 106 1050 4
  click_button 106 1050
  expect_question '短縮操作を中止して前回最後の編集位置に戻しますか。' 短縮手動操作確定後の復元
  press_box 6
  wait_bitmap 101 1020 0
  wait_bitmap 101 1021 1
  expect_eq "page 5" "$(drive ctext EditWndClass 116)" "5/5"
  expect_eq "an edit open" "$(tbstate 108 1010)" 4
  waveform_shot shortening_restored_frame
  expect_eq "the repeated frame as it was" "$(compare -metric AE "$SHOTS/shortening_repeated_frame.png" \
    "$SHOTS/shortening_restored_frame.png" null: 2>&1 || true)" 0
  close_and_save "$CASE_DIR/take1.wav" 0
  expect_left_only
}

# The automatic mode, then 1032 with the notice answered No: the dialog
# opens and its first batch starts at once.
automatic_mode() {
  shortening_arrow
  wait_bitmap 103 1032 5
}
open_automatic() {
  click_button 103 1032
  expect_question "$NOTICE" はじめに
  press_box 7
  drive wait '#32770' '自動*' >/dev/null || fail "no automatic dialog"
}

automatic_tb() { drive tbstate '#32770' 109 "$1"; }  # command of the dialog's toolbar: 4 enabled, 0 not
batch_over() { wait_for "335 idle" 0 300 drive tbbitmap '#32770' 109 335; }
stopped_early() {  # batches done
  local t; t=$(drive title '#32770')
  case "$t" in "自動　$1 "*) ;; *) fail "title $t" ;; esac
  [ "${t##* }" -lt 40 ] || fail "not stopped: $t"
  note "ok: stopped at $t"
}

# A click on 335 stops the first batch, Esc the second; closing with No puts
# everything back, so the exit asks no save question.
case_shortening_automatic_stop_and_discard() {
  clicked_on_page 2
  automatic_mode
  drive when '#32770' '自動　0 1*' click 60000 >"$CASE_DIR/when1.txt" &  # the pointer is held on 335
  local watcher=$!
  open_automatic
  wait_for "342 on page 2" 4 30 automatic_tb 342
  wait "$watcher" || fail "no step 1"
  batch_over
  stopped_early 0
  wait_for "337 after a batch" 4 30 automatic_tb 337
  sleep 0.6
  drive when '#32770' '自動　1 1*' escape 60000 >/dev/null &
  watcher=$!
  sleep 1
  xdotool click 1
  wait "$watcher" || fail "no step 1"
  batch_over
  stopped_early 1
  drive close '#32770' '自動*' >/dev/null
  expect_question "$AUTOMATIC_KEEP" 自動操作
  press_box 7
  drive gone '#32770' '自動*' >/dev/null || fail "automatic dialog still there"
  expect_eq "restore not armed" "$(tbstate 106 1050)" 0
  drive command EditWndClass 1021 >/dev/null
  wait_label 116 "1/5"
  close_unchanged "$CASE_DIR/take1.wav"
}

# On page 3 342 is off; a whole batch, 338, then the restore's question
# answered Yes: everything is back, and the exit asks nothing.
case_shortening_automatic_confirm_then_restore() {
  clicked_on_page 3
  automatic_mode
  open_automatic
  wait_for "342 off on page 3" 0 30 automatic_tb 342
  wait_for "the batch's last step" "自動　0 40" 300 drive title '#32770'
  batch_over
  drive command '#32770' 338 >/dev/null
  drive gone '#32770' '自動*' >/dev/null || fail "automatic dialog still there"
  wait_tbstate 106 1050 4
  click_button 106 1050
  expect_question '今実施した自動操作は無かった事にしますか。' 短縮自動操作確定後の復元
  press_box 6
  wait_tbstate 106 1050 0
  drive command EditWndClass 1021 >/dev/null
  wait_label 116 "2/5"
  drive command EditWndClass 1021 >/dev/null
  wait_label 116 "1/5"
  close_unchanged "$CASE_DIR/take1.wav"
}

# The benchmark's recording at the window's width: a 110 + 220 Hz pair at
# -12 dBFS in both channels, eight clicks +p, -p, +p/2 (p from 0.25 of full
# scale) in the left channel of the stretch page 3 shows. One batch, kept,
# saved: each click is gone to 1/16 of its peak, and every other byte of the
# file, the right channel whole, is as it was. The dialog's 341 sounds the
# repaired page (the selected channel) as the edit window's 1023 does.
case_shortening_automatic_repair_judged() {
  local clicks="3000:8192 8000:10240 13000:12288 18000:14336 23000:16384 28000:18432 33000:20480 38000:22528"
  local tone='int(round(4096 * (__import__("math").sin(2 * __import__("math").pi * 110 * n / 44100) + __import__("math").sin(2 * __import__("math").pi * 220 * n / 44100))))'
  local bumps; bumps=$(python3 -c '
import sys
d = {}
for c in sys.argv[1:]:
    f, p = map(int, c.split(":")); d[f] = p; d[f + 1] = -p; d[f + 2] = p // 2
print(d)' $clicks)
  own_program
  capture_sound
  make_wave "$CASE_DIR/clean.wav" $((44100 * 4)) 2 16 "$tone" "$tone"
  make_wave "$CASE_DIR/take1.wav" $((44100 * 4)) 2 16 "$tone + $bumps.get(n, 0)" "$tone"
  cp "$CASE_DIR/take1.wav" "$CASE_DIR/loaded.wav"
  open_edit "$CASE_DIR/take1.wav"
  high_band_on 2
  automatic_mode
  open_automatic
  wait_for "the batch's last step" "自動　0 40" 300 drive title '#32770'
  batch_over
  play '#32770' 341
  drive command '#32770' 338 >/dev/null
  drive gone '#32770' '自動*' >/dev/null || fail "automatic dialog still there"
  play EditWndClass 1023
  close_and_save "$CASE_DIR/take1.wav" 0
  # Page 2 is the whole take, quiet, so it sounds raised by two bits; the page
  # keeps those bits where the batch edited, the saved file drops them.
  expected_bytes "$CASE_DIR/take1_N.wav" "$CASE_DIR/page2" 0 $((44100 * 4)) left
  python3 - "$(stream_file 1)" "$(stream_file 2)" "$CASE_DIR/page2" <<'PY' || fail "341 does not sound the repaired page"
import array, sys
def lead(b):
    return len(b) - len(b.lstrip(b'\0'))
e = open(sys.argv[3], 'rb').read()
for path in sys.argv[1:3]:
    c = open(path, 'rb').read()
    at = lead(c) - lead(e)  # Wine's silence before the stream
    assert at >= 0 and at % 4 == 0 and not any(c[at + len(e):]), path + ': not one page'
    heard = array.array('h', c[at:at + len(e)])
    assert [v >> 2 for v in heard] == list(array.array('h', e)), path + ': not the saved page'
PY
  note "ok: 341 and 1023 sound the repaired page"
  python3 - "$CASE_DIR/clean.wav" "$CASE_DIR/loaded.wav" "$CASE_DIR/take1_N.wav" $clicks >"$CASE_DIR/judged.txt" <<'PY'
import array, sys
def read(p):
    b = open(p, 'rb').read(); return b, array.array('h', b[44:])
_, clean = read(sys.argv[1]); before_bytes, before = read(sys.argv[2]); after_bytes, after = read(sys.argv[3])
assert len(before_bytes) == len(after_bytes) and before_bytes[:44] == after_bytes[:44], 'header or length'
near = set()
for c in sys.argv[4:]:
    f, p = map(int, c.split(':'))
    residual = max(abs(after[2 * k] - clean[2 * k]) for k in range(f - 8, f + 11))
    print('click %d peak %d residual %d %s' % (f, p, residual, 'ok' if residual * 16 <= p else 'LARGE'))
    near.update(2 * k for k in range(f - 8, f + 11))
outside = [i for i in range(len(after)) if i not in near and after[i] != before[i]]
print('changed elsewhere %d' % len(outside))
PY
  cat "$CASE_DIR/judged.txt"
  expect_eq "every click within 1/16" "$(grep -c ' ok$' "$CASE_DIR/judged.txt")" 8
  expect_eq "nothing else changed" "$(tail -1 "$CASE_DIR/judged.txt")" "changed elsewhere 0"
}

# Two batches with the second cancelled by 337 save the same file as one batch.
automatic_batches() {  # file, batches before 337 (1: none cancelled)
  cp "$CASE_DIR/loaded.wav" "$1"
  open_edit "$1"
  high_band_on 2
  automatic_mode
  open_automatic
  wait_for "the first batch" "自動　0 40" 300 drive title '#32770'
  batch_over
  if [ "$2" = 2 ]; then
    drive command '#32770' 335 >/dev/null
    wait_for "the second batch" "自動　1 40" 300 drive title '#32770'
    batch_over
    drive command '#32770' 337 >/dev/null
    wait_for "the second batch taken back" "自動　1 0" 50 drive title '#32770'
    wait_for "337 off" 0 30 automatic_tb 337
  fi
  drive command '#32770' 338 >/dev/null
  drive gone '#32770' '自動*' >/dev/null || fail "automatic dialog still there"
  close_and_save "$1" 0
}

case_shortening_automatic_cancel_equals_one_batch() {
  own_program
  "$VELKOR_WAVEGEN" "$CASE_DIR/loaded.wav" --bits 16 --channels 2 --seconds 12 --clicks 6 >/dev/null
  automatic_batches "$CASE_DIR/take1.wav" 2
  automatic_batches "$CASE_DIR/take2.wav" 1
  cmp "$CASE_DIR/loaded.wav" "$CASE_DIR/take1_N.wav" >/dev/null && fail "nothing changed"
  cmp "$CASE_DIR/take1_N.wav" "$CASE_DIR/take2_N.wav" || fail "two batches and 337 differ from one batch"
  note "ok: two batches and 337 equal one batch"
}
