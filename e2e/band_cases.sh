# Band editing: on and off by "編集帯域", the band menu and F1, with the
# label, image, status help and "原曲挿入" following; what leaving gives
# back is judged by the change check at exit (no save question) or by the
# bytes a save writes; the saturation check of a recorded step.
source "$(dirname "${BASH_SOURCE[0]}")/bar_cases.sh"  # the bar's helpers and the edit window's

SATURATES='復元合成時に飽和します。'

band_help() {  # want: the status help while the pointer rests on "編集帯域"
  hover_button 103 1031
  expect_help "編集帯域" "$1"
}

# A generated 24-bit stereo recording with clicks: band editing on and off
# by the button, by the menu at a low and a high cutoff, and across F1; the
# change check at exit then finds every byte as loaded.
case_band_round_trips_leave_the_file() {
  own_program
  "$VELKOR_WAVEGEN" "$CASE_DIR/take1.wav" --bits 24 --channels 2 --seconds 20 --clicks 6 >/dev/null
  open_edit "$CASE_DIR/take1.wav"
  expect_eq "band button off on page 1" "$(tbstate 103 1031)" 0
  to_page 2
  wait_tbstate 103 1031 4
  band_help "編集帯域の切換 ：標準"
  click_button 103 1031
  wait_bitmap 103 1031 3
  wait_label 119 "f7"
  band_help "編集帯域の切換 ：高域"
  wait_tbstate 103 1032 4
  shot band_page2_high_band
  drag 200 260 150
  wait_tbstate 108 1003 4
  expect_eq "原曲挿入 off in band editing" "$(tbstate 108 1012)" 0
  expect_eq "band button off with a frame" "$(tbstate 103 1031)" 0
  drive command EditWndClass 1022 >/dev/null
  wait_tbstate 103 1031 4
  click_button 103 1031
  wait_bitmap 103 1031 0
  band_help "編集帯域の切換 ：標準"
  local c; c=$(drive tbrect EditWndClass 103 1031); set -- $c
  xdotool mousemove $(($3 - 4)) $((($2 + $4) / 2)) click 1  # the arrow
  drive wait '#32768' '*' >/dev/null || fail "no band menu"
  sleep 0.3
  shot band_menu_open
  xdotool key Escape
  drive gone '#32768' '*' >/dev/null || fail "band menu not closed"
  drive command EditWndClass 7026 >/dev/null  # low band f1, still off
  wait_bitmap 103 1031 2
  wait_label 119 "f1"
  click_button 103 1031
  wait_bitmap 103 1031 4
  band_help "編集帯域の切換 ：低域"
  expect_eq "短縮操作 off on a low band" "$(tbstate 103 1032)" 0
  drive command EditWndClass 7014 >/dev/null  # high band f5 while on: split again
  wait_bitmap 103 1031 3
  wait_label 119 "f5"
  xdotool key F1
  drive wait EditWndClass "編集(F1)：右CH*" >/dev/null || fail "channel not switched"
  wait_bitmap 103 1031 3
  to_page 5
  wait_bitmap 103 1031 3
  drive command EditWndClass 1021 >/dev/null
  wait_label 116 "4/5"
  for p in 3 2 1; do
    drive command EditWndClass 1021 >/dev/null
    wait_label 116 "$p/5"
  done
  wait_bitmap 103 1031 0  # page 2 to 1 left band editing
  close_unchanged "$CASE_DIR/take1.wav"
}

# The high band f8 of a click attenuated on page 5, confirmed, band editing
# left, saved: only that frame of that channel differs, the click lower.
case_band_edit_changes_only_its_frame() {
  own_program
  make_wave "$CASE_DIR/take1.wav" 176400 2 16 \
    '{305: 20000, 306: -20000, 307: 10000}.get(n, 1500 * __import__("math").sin(n / 7.0))' \
    '-900 * __import__("math").sin(n / 11.0)'
  cp "$CASE_DIR/take1.wav" "$CASE_DIR/loaded.wav"
  open_edit "$CASE_DIR/take1.wav"
  to_page 5
  drive command EditWndClass 7011 >/dev/null
  wait_label 119 "f8"
  click_button 103 1031
  wait_bitmap 103 1031 3
  drag 300 312 150
  wait_tbstate 108 1010 4
  hold_button 108 1010 1.5
  wait_tbstate 108 1001 4
  drive command EditWndClass 1022 >/dev/null
  wait_tbstate 103 1031 4
  click_button 103 1031
  wait_bitmap 103 1031 0
  close_and_save "$CASE_DIR/take1.wav" 0
  wave_diff "$CASE_DIR/loaded.wav" "$CASE_DIR/take1_N.wav" >"$CASE_DIR/diff.txt"
  expect_eq "changes inside frames 300-311 of the left channel only" \
    "$(awk '$2 != 0 || $1 < 300 || $1 >= 312' "$CASE_DIR/diff.txt")" ""
  local peak; peak=$(awk '$1 == 305 && $2 == 0 {print $4}' "$CASE_DIR/diff.txt")
  [ -n "$peak" ] && [ "$peak" -lt 20000 ] || fail "the click's peak is not lower: '$peak'"
  note "ok: the click's peak is now $peak"
}

# A full-scale tone at half the cutoff of the low band f8: the edited band
# holds nearly all of it, so raising a peak would saturate the sum. The
# step is refused with the message; nothing was changed at exit.
case_band_saturating_step_refused() {
  own_program
  make_wave "$CASE_DIR/take1.wav" 176400 2 16 \
    'round(32767 * __import__("math").sin(2 * __import__("math").pi * n / 8))' \
    'round(32767 * __import__("math").sin(2 * __import__("math").pi * n / 8))'
  open_edit "$CASE_DIR/take1.wav"
  to_page 5
  drive command EditWndClass 7019 >/dev/null
  wait_label 119 "f8"
  wait_bitmap 103 1031 2
  click_button 103 1031
  wait_bitmap 103 1031 4
  drag 296 302 150  # frames 296-301: the peak at 298
  wait_tbstate 108 1003 4
  click_button 108 1003
  expect_question "$SATURATES" 帯域合成エラー
  press_box 1
  wait_label 117 "0/0"
  expect_eq "nothing to step back" "$(tbstate 108 1001)" 0
  drive command EditWndClass 1022 >/dev/null
  wait_tbstate 103 1031 4
  click_button 103 1031
  wait_bitmap 103 1031 2
  close_unchanged "$CASE_DIR/take1.wav"
}
