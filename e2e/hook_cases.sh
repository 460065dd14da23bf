# The help popup over the file selection dialog and the catcher behind it,
# and what the thread hooks do with real input: a click ends a playback or
# the restore's life, leaving the pager brings the play pairs back, and
# moving windows by their title bars leaves the spectrum alone; window 344
# follows a drag, also one whose release went to another program.
source "$(dirname "${BASH_SOURCE[0]}")/spectrum_cases.sh"  # the edit window's and the spectrum's helpers
source "$(dirname "${BASH_SOURCE[0]}")/bar_cases.sh"       # pager_arrow, hidden_play
source "$(dirname "${BASH_SOURCE[0]}")/play_cases.sh"      # capture_sound, wait_playing, wait_stopped

HELP_EDIT=230  # the boxes' widths for 307/311 and 308/314
HELP_BACKUP=260

help_rect() { drive wrect HelpTextWndClass ' ' 3000; }

# Where two screenshots differ: "left top right bottom", or "none".
diff_box() {  # png, png
  local n; n=$(compare -metric AE "$1" "$2" null: 2>&1 || true)
  if [ "$n" = 0 ]; then echo none; return; fi
  convert "$1" "$2" -compose difference -composite -threshold 0 -format '%@' info: | sed 's/[x+]/ /g' |
    { read -r w h x y; echo "$x $y $((x + w)) $((y + h))"; }
}

# The box at `left top` with `width` and a height of at least `height`.
expect_box_at() {  # what, left, top, width, height
  local what=$1 r; r=$(help_rect); set -- $r "$2" "$3" "$4" "$5"
  [ "$1" = "$5" ] && [ "$2" = "$6" ] && [ $(($3 - $1)) = "$7" ] && [ $(($4 - $2)) -ge "$8" ] ||
    fail "$what: box at $r, want ($5, $6) $7 x >= $8"
  note "ok: $what at $r"
}

dismiss_help() {
  xdotool mousemove 20 20 click 1
  drive gone HelpTextWndClass ' ' >/dev/null || fail "help box stays"
  sleep 0.6
}

case_hooks_help_popup_over_the_dialog() {
  start_velkor
  drive wait '#32770' "$DIALOG" >/dev/null
  local r; r=$(drive rect "$DIALOG" 307); set -- $r
  local x=$(($1 + 5)) y=$(($2 + 5)) cx=$((($1 + $3) / 2)) cy=$((($2 + $4) / 2))
  xdotool mousemove "$x" "$y"
  sleep 0.5
  shot hooks_dialog
  xdotool key F1  # 307 has the focus
  drive wait HelpTextWndClass ' ' >/dev/null || fail "no help box"
  expect_box_at "F1 on 307" "$x" "$y" $HELP_EDIT 37
  sleep 0.5
  shot hooks_help_307
  local box; box=$(diff_box "$SHOTS/hooks_dialog.png" "$SHOTS/hooks_help_307.png")
  r=$(help_rect); set -- $r $box
  [ "$5" != none ] && [ "$5" -ge "$1" ] && [ "$6" -ge "$2" ] && [ "$7" -le "$3" ] && [ "$8" -le "$4" ] ||
    fail "the screen changed at $box, outside the box $r"
  note "ok: only the box differs ($box)"
  expect_eq "the catcher shows" "$(drive hwnd NullBkgWndClass | cut -d' ' -f2)" 1

  # The first click only closes the box; the second one opens.
  xdotool mousemove "$cx" "$cy" click 1
  drive gone HelpTextWndClass ' ' >/dev/null || fail "help box stays"
  expect_eq "catcher hidden" "$(drive hwnd NullBkgWndClass | cut -d' ' -f2)" 0
  expect_eq "no open dialog" "$(drive filedialog 1500)" timeout
  sleep 0.6
  xdotool mousemove "$cx" "$cy" click 1
  local title; title=$(drive filedialog) || fail "no open dialog at the second click"
  drive press "$title" 2 >/dev/null
  drive gone '#32770' "$title" >/dev/null

  # F1 on 308 (the next tab stop) at the bottom right corner of the screen.
  xdotool key Tab
  xdotool mousemove 1590 995
  sleep 0.5  # off its windows Wine learns where the pointer is only when it next asks the X server
  xdotool key F1
  drive wait HelpTextWndClass ' ' >/dev/null || fail "no help box for 308"
  r=$(help_rect); set -- $r
  expect_box_at "F1 on 308 at the corner" $((1600 - HELP_BACKUP)) $((1000 - ($4 - $2))) $HELP_BACKUP 50
  [ "$4" = 1000 ] || fail "the box leaves the screen: $r"
  shot hooks_help_308_corner
  dismiss_help

  # The frames take no focus: asked as the help cursor asks.
  drive help "$DIALOG" 311 100 120
  expect_box_at "311" 100 120 $HELP_EDIT 37
  dismiss_help
  drive help "$DIALOG" 314 1500 40
  expect_box_at "314 at the right edge" $((1600 - HELP_BACKUP)) 40 $HELP_BACKUP 50
  shot hooks_help_314_right
  dismiss_help
  drive help "$DIALOG" 309 100 120  # a label
  sleep 1
  expect_eq "no box for a label" "$(drive count HelpTextWndClass ' ')" 0
  drive press "$DIALOG" 2 >/dev/null
  expect_exit 0 30
}

case_hooks_click_stops_a_page_playback() {
  capture_sound
  edit_sine 60
  to_page 2
  point 300 150
  sleep 0.5
  shot hooks_page2_before
  drive command EditWndClass 1023 >/dev/null
  wait_playing
  sleep 0.5
  xdotool click 1
  wait_stopped
  sleep 0.5
  shot hooks_page2_after
  sleep 1
  local size; size=$(stat -c %s "$CASE_DIR/captured.raw")
  sleep 1.5
  expect_eq "the capture stops growing" "$(stat -c %s "$CASE_DIR/captured.raw")" "$size"
  expect_eq "the click made no frame" "$(tbstate 108 1003)" 0
  # Nor did it move the zoom frame: the waveform shows as before.
  local o; o=$(edit_origin); set -- $o
  local area="640x250+$1+$(($2 + 62))"
  expect_eq "waveform unchanged" "$(compare -metric AE "$SHOTS/hooks_page2_before.png" "$SHOTS/hooks_page2_after.png" \
    -extract "$area" null: 2>&1 || true)" 0
  close_unchanged "$CASE_DIR/take1.wav"
}

case_hooks_click_disarms_restore() {
  raised_and_confirmed
  # The help button keeps restore armed and opens the help (no file: its message).
  click_button 104 1030
  expect_question "ファイルが開けません" "Ｖｅｌｋｏｒ　ヘルプ"
  press_box 1
  expect_eq "no help menu" "$(drive count '#32768' '*')" 0
  wait_tbstate 106 1050 4
  # The restore button asks, and is spent whatever the answer.
  click_button 106 1050
  expect_question "編集最後の状態に戻しますか。" "編集確定後の復元"
  press_box 7
  wait_tbstate 106 1050 0
  # Any other click: on the waveform.
  drag 300 310 150
  wait_tbstate 108 1003 4
  click_button 108 1003
  wait_label 117 "1/1"
  drive command EditWndClass 1022 >/dev/null
  wait_tbstate 106 1050 4
  point 500 250
  xdotool click 1
  expect_restore_refused 32 "two confirmed raises of frames 300-309"
}

case_hooks_leaving_the_pager_shows_the_play_pairs() {
  edit_sine
  pager_arrow
  pager_arrow
  expect_eq "both channels at 100 %" "$(hidden_play)" "1023:1 1024:1 1025:1 1026:1 1027:0 1028:0"
  point 300 200
  wait_for "all pairs again" "1023:0 1024:0 1025:0 1026:0 1027:0 1028:0" 30 hidden_play
  pager_arrow  # the volume stayed at 100 %: the first arrow shows that pair
  expect_eq "100 % kept" "$(hidden_play)" "1023:1 1024:1 1025:1 1026:1 1027:0 1028:0"
  close_unchanged "$CASE_DIR/take1.wav"
}

computations() { drive prop SpectrumWndClass VelkorComputations; }

# Moving and sizing windows by their frames does not analyse the page again;
# an edit does, once.
case_hooks_title_drags_leave_the_spectrum() {
  edit_tone
  to_page 2
  xdotool key F3
  wait_spectrum 1
  sleep 1
  local n; n=$(computations)
  note "computations at start: $n"
  # The edit window from under the spectrum window and back. (Wine keeps
  # every window's pixels and repaints nothing a move uncovers, so here the
  # flag the hooks keep is not what holds the count.)
  local r0; r0=$(drive wrect EditWndClass "$EDIT"); set -- $r0
  drag_screen $(($1 + 300)) $(($2 + 8)) $(($1 + 340)) $(($2 + 208))
  [ "$(drive wrect EditWndClass "$EDIT")" != "$r0" ] || fail "the edit window did not move"
  drag_screen $(($1 + 340)) $(($2 + 208)) $(($1 + 300)) $(($2 + 8))
  sleep 1
  expect_eq "edit window dragged: no analysis" "$(computations)" "$n"
  # The spectrum window moves only by its right and bottom borders: grown
  # over the edit window, then back.
  r0=$(spectrum_rect); set -- $r0
  drag_screen $((($1 + $3) / 2)) $(($4 - 2)) $((($1 + $3) / 2)) $(($4 + 150))
  [ "$(spectrum_rect)" != "$r0" ] || fail "the spectrum window was not sized"
  drag_screen $((($1 + $3) / 2)) $(($4 + 148)) $((($1 + $3) / 2)) $(($4 - 2))
  sleep 1
  expect_eq "spectrum window sized: no analysis" "$(computations)" "$n"
  drag 100 200 150
  wait_tbstate 108 1003 4
  spectrum_point 200 150
  xdotool click 1
  sleep 1
  n=$(computations)
  drive command EditWndClass 7033 >/dev/null
  wait_label 117 "1/1"
  sleep 1
  expect_eq "one silence: one analysis" "$(computations)" $((n + 1))
}

# Screen "left top" of window 344.
button_at() { drive crect EditWndClass 344 | cut -d' ' -f1-2; }

# The status line's time at client column `x` of the waveform.
status_at() {  # x
  point "$1" 150
  sleep 0.5
  drive text EditWndClass "$EDIT" 112 1000
}

# 344 follows a real drag and lands on its row inside the window; a drag
# whose release went to another program ends at the next move, leaving the
# moves to the waveform and the pointer free.
case_hooks_shortening_button_follows_the_pointer() {
  edit_sine 20
  to_page 2
  xdotool key F2
  wait_for "window 344 shown" 1 50 drive visible EditWndClass 344
  local o; o=$(edit_origin); set -- $o; local ox=$1 oy=$2
  local e; e=$(drive wrect EditWndClass "$EDIT"); set -- $e; local left=$1
  local s100 s300; s100=$(status_at 100); s300=$(status_at 300)
  [ "$s100" != "$s300" ] || fail "the status shows no time: $s100"
  grab_button() {  # the grab point: 20, 10 of the button
    local p; p=$(button_at); set -- $p
    xdotool mousemove $(($1 + 20)) $(($2 + 10)) mousedown 1
    sleep 0.3
  }
  grab_button
  xdotool mousemove $((ox + 300)) $((oy + 150))
  sleep 0.5
  expect_eq "following the pointer" "$(button_at)" "$((ox + 280)) $((oy + 140))"
  xdotool mousemove $((ox + 2)) $((oy + 200))
  sleep 0.5
  expect_eq "still following" "$(button_at)" "$((ox - 18)) $((oy + 190))"
  xdotool mouseup 1
  sleep 0.5
  expect_eq "dropped at the left limit, row 64" "$(button_at)" "$((left + 10)) $((oy + 64))"
  expect_eq "pointer back on the grab point" "$(xdotool getmouselocation | cut -d' ' -f1-2)" \
    "x:$((left + 30)) y:$((oy + 74))"

  grab_button
  xdotool mousemove $((ox + 400)) $((oy + 200))
  sleep 0.3
  let_go_elsewhere
  point 200 150  # the first move the hook sees ends the drag where the pointer is
  sleep 0.5
  expect_eq "the lost drag dropped on row 64" "$(button_at)" "$((ox + 180)) $((oy + 64))"
  sleep 2.5  # the other program gone again
  expect_eq "status follows the pointer" "$(status_at 100)" "$s100"
  expect_eq "status follows it again" "$(status_at 300)" "$s300"
  xdotool mousemove 0 0
  sleep 0.3
  expect_eq "pointer free" "$(xdotool getmouselocation | cut -d' ' -f1-2)" "x:0 y:0"
  close_unchanged "$CASE_DIR/take1.wav"
}
