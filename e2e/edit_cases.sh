# The edit window: titles, the status line, frames by real drags, held and
# double-clicked tools, the step buttons, silence, the channel switch with
# the overview and after a confirm, the resumed page, and the pixels of the
# pages. What a user sees is read from the windows, what a session changes
# from the bytes of the file it saves.
source "$(dirname "${BASH_SOURCE[0]}")/exit_cases.sh"  # own_program, start_on, the exit dialog and the boxes

EDIT='編集(F1)*'
HINT1='　　この頁は拡大枠設定のみです。編集不可'
HINT5='　　この頁は編集のみです。拡大枠設定不可'
HINT_FRAME='　　「確定」を押すまで編集枠は消えません。'
CONFIRM_NEEDED='編集確定が必要です、今すぐ確定しますか。'

# A PCM file made frame by frame: left and right as Python expressions of n.
make_wave() {  # path, frames, channels, bits, left, right, [rate]
  python3 - "$@" <<'PY'
import array, struct, sys
path, frames, channels, bits = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4])
left, right = eval('lambda n: ' + sys.argv[5]), eval('lambda n: ' + sys.argv[6])
rate = int(sys.argv[7]) if len(sys.argv) > 7 else 44100
bps = bits // 8
out = bytearray()
if bits == 16:
    a = array.array('h')
    for n in range(frames):
        a.append(int(left(n)))
        if channels == 2: a.append(int(right(n)))
    out = a.tobytes()
else:
    for n in range(frames):
        for ch in range(channels):
            v = int((left if ch == 0 else right)(n))
            out += bytes([(v + 128) & 0xFF]) if bits == 8 else (v & ((1 << bits) - 1)).to_bytes(bps, 'little')
fmt = struct.pack('<IHHIIHH', 16, 1, channels, rate, rate * channels * bps, channels * bps, bits)
with open(path, 'wb') as f:
    f.write(b'RIFF' + struct.pack('<I', 36 + len(out)) + b'WAVEfmt ' + fmt + b'data' + struct.pack('<I', len(out)) + out)
PY
}

# Every 16-bit sample that differs: "frame channel before after", one a line.
wave_diff() {  # original, saved
  python3 - "$1" "$2" <<'PY'
import array, sys
def samples(p):
    b = open(p, 'rb').read()
    a = array.array('h'); a.frombytes(b[44:]); return a
a, b = samples(sys.argv[1]), samples(sys.argv[2])
assert len(a) == len(b), 'lengths differ'
for i, (x, y) in enumerate(zip(a, b)):
    if x != y: print(i // 2, i % 2, x, y)
PY
}

quiet_sine() {  # path, seconds: a stereo sine quiet enough for the full gain x16
  make_wave "$1" $((44100 * $2)) 2 16 '1500 * __import__("math").sin(n / 7.0)' '-900 * __import__("math").sin(n / 11.0)'
}

wait_label() { wait_for "label $1" "$2" 100 drive ctext EditWndClass "$1" 1000; }  # control id, want

wait_edit_status() { wait_text EditWndClass "$EDIT" 112 "$1"; }

tbstate() { drive tbstate EditWndClass "$1" "$2"; }  # toolbar, command: 4 enabled, 0 disabled

wait_tbstate() { wait_for "state of $2" "$3" 50 tbstate "$1" "$2"; }  # toolbar, command, want

# A case of its own on a quiet stereo sine (kept as loaded.wav), page 1 open.
edit_sine() {  # [seconds, 4 unless given]
  own_program
  quiet_sine "$CASE_DIR/take1.wav" "${1:-4}"
  cp "$CASE_DIR/take1.wav" "$CASE_DIR/loaded.wav"
  open_edit "$CASE_DIR/take1.wav"
}

# Starts on the file and opens page 1 of the edit window.
open_edit() {  # path
  start_on "$1"
  wait_main
  drive command MainWndClass 6010 >/dev/null || fail "no main window for 6010"
  drive wait EditWndClass "$EDIT" >/dev/null || fail "no edit window"
  wait_label 116 "1/5"
}

to_page() {  # page: "拡大" until the page label reads it
  local p; p=$(drive ctext EditWndClass 116 | cut -d/ -f1)
  while [ "$p" -lt "$1" ]; do
    drive command EditWndClass 1020 >/dev/null
    p=$((p + 1))
    wait_label 116 "$p/5"
  done
}

edit_origin() { drive client EditWndClass "$EDIT"; }

# Real pointer input at client coordinates of the edit window.
point() {  # x y
  local o; o=$(edit_origin); set -- $o "$1" "$2"
  xdotool mousemove $(($1 + $3)) $(($2 + $4))
}
drag() {  # x0 x1 y: pressed at x0, moved in steps, let go at x1
  local o; o=$(edit_origin); set -- $o "$1" "$2" "$3"
  local ox=$1 oy=$2 x0=$3 x1=$4 y=$5 x
  xdotool mousemove $((ox + x0)) $((oy + y)) mousedown 1
  sleep 0.2
  for x in $(seq "$x0" $(((x1 - x0) / 4 + ( x1 > x0 ? 1 : -1 ))) "$x1") "$x1"; do
    xdotool mousemove $((ox + x)) $((oy + y))
    sleep 0.05
  done
  sleep 0.35
  xdotool mousemove $((ox + x1)) $((oy + y)) mouseup 1
  sleep 0.3
}

button_centre() {  # toolbar, command: "x y" on the screen
  local r; r=$(drive tbrect EditWndClass "$1" "$2")
  set -- $r
  echo $((($1 + $3) / 2)) $((($2 + $4) / 2))
}
click_button() {  # toolbar, command
  local c; c=$(button_centre "$1" "$2"); set -- $c
  xdotool mousemove "$1" "$2" click 1
  sleep 0.6  # past the double-click time: the next click is a click of its own
}
hold_button() {  # toolbar, command, seconds
  local c; c=$(button_centre "$1" "$2"); set -- $c "$3"
  xdotool mousemove "$1" "$2" mousedown 1
  sleep "$3"
  xdotool mousemove "$1" "$2" mouseup 1
}

# Closing the edit window: the exit dialog, then no save question.
close_unchanged() {  # path
  drive close EditWndClass "$EDIT" >/dev/null
  expect_exit_dialog "$1"
  drive press "$(winpath "$1")" 1 >/dev/null
  expect_exit 0 60
}

# Closing with an open edit confirmed at the question, saving beside the file.
close_and_save() {  # path, 1 when the confirm question comes first
  drive close EditWndClass "$EDIT" >/dev/null
  if [ "$2" = 1 ]; then
    expect_question "$CONFIRM_NEEDED" 編集中
    press_box 6
  fi
  expect_exit_dialog "$1"
  drive press "$(winpath "$1")" 1 >/dev/null
  expect_eq "save question" "$(drive msgbox | sed -n 's/^caption\t//p')" 保存場所の選択
  press_box 6
  drive wait '#32770' 'ファイルを保存' >/dev/null || fail "no save-as dialog"
  drive press 'ファイルを保存' 1 >/dev/null
  expect_eq "written" "$(drive msgbox | sed -n 's/^caption\t//p')" ファイル書込み
  press_box 1
  expect_exit 0 60
}

# The differences hold one channel over one run of frames, every one by the same amount.
expect_uniform_diff() {  # diff file, first frame, frames, channel; prints the amount
  awk -v f="$2" -v n="$3" -v c="$4" '
    { if ($2 != c || $1 < f || $1 >= f + n) { print "outside " $0; bad = 1 } d = $4 - $3
      if (seen && d != step) { print "unequal " $0; bad = 1 } step = d; seen = 1; count++ }
    END { if (count != n) { print "count " count; bad = 1 } if (bad) exit 1; print step }' "$1"
}

case_edit_titles_per_channel_and_mono() {
  edit_sine
  expect_eq "left title" "$(drive title EditWndClass)" "編集(F1)：左CH    PCM 2CH 16BIT 44100SAMPLE"
  drive gone MainWndClass '雑音編集*' >/dev/null || fail "main window still shown"
  xdotool key F1
  drive wait EditWndClass "編集(F1)：右CH    PCM 2CH 16BIT 44100SAMPLE" >/dev/null || fail "no right title"
  xdotool key F1
  drive wait EditWndClass "編集(F1)：左CH    PCM 2CH 16BIT 44100SAMPLE" >/dev/null || fail "left title not back"
  close_unchanged "$CASE_DIR/take1.wav"
  cp "$CASE_DIR/take1.wav" "$CASE_DIR/loaded.wav"
  make_wave "$CASE_DIR/mono.wav" 80000 1 8 '40 if n % 100 < 50 else -40' 0 8000
  open_edit "$CASE_DIR/mono.wav"
  expect_eq "mono title" "$(drive title EditWndClass)" "編集(F1)：　      PCM 1CH 8BIT 8000SAMPLE"
  xdotool key F1
  sleep 0.5
  expect_eq "mono title after F1" "$(drive title EditWndClass)" "編集(F1)：　      PCM 1CH 8BIT 8000SAMPLE"
  close_unchanged "$CASE_DIR/mono.wav"
  cmp "$CASE_DIR/take1.wav" "$CASE_DIR/loaded.wav" || fail "edit file changed"
}

case_edit_status_at_known_columns() {
  edit_sine 20
  point 100 150  # page 1: 8192 frames a column, 819,200 frames
  wait_edit_status "00分18秒575$HINT1"
  to_page 2
  point 101 150
  point 100 150  # page 2: 512 frames a column
  wait_edit_status "00分01秒160$HINT_FRAME"
  to_page 5
  point 101 150
  point 100 150  # page 5: one frame a column
  wait_edit_status "00分00秒002$HINT5"
  point 441 150
  wait_edit_status "00分00秒010$HINT5"
  close_unchanged "$CASE_DIR/take1.wav"
}

# A real drag on page 5 marks frames 300-309: the outline inverts their
# columns' edges, the tools come on, the page buttons go off.
case_edit_drag_on_page_five() {
  edit_sine
  to_page 5
  expect_eq "no frame: tools off" "$(tbstate 108 1003)" 0
  expect_eq "no frame: confirm off" "$(tbstate 106 1022)" 0
  drag 300 310 150
  wait_tbstate 108 1003 4
  wait_edit_status "00分00秒007$HINT5"
  expect_eq "confirm on" "$(tbstate 106 1022)" 4
  expect_eq "reduce off" "$(tbstate 101 1021)" 0
  expect_eq "enlarge off" "$(tbstate 101 1020)" 0
  expect_eq "step back off" "$(tbstate 108 1001)" 0
  expect_eq "step forward off" "$(tbstate 108 1002)" 0
  sleep 0.3
  shot edit_page5_frame
  local o; o=$(edit_origin); set -- $o
  expect_eq "outline left edge" "$(image_pixel "$SHOTS/edit_page5_frame.png" $(($1 + 300)) $(($2 + 100)))" "255,255,255"
  expect_eq "outline right edge" "$(image_pixel "$SHOTS/edit_page5_frame.png" $(($1 + 310)) $(($2 + 100)))" "255,255,255"
  expect_eq "outline top" "$(image_pixel "$SHOTS/edit_page5_frame.png" $(($1 + 305)) $(($2 + 63)))" "255,255,255"
  expect_eq "inside untouched" "$(image_pixel "$SHOTS/edit_page5_frame.png" $(($1 + 305)) $(($2 + 100)))" "0,0,0"
  drive command EditWndClass 1022 >/dev/null
  wait_tbstate 106 1022 0
  expect_eq "reduce back on" "$(tbstate 101 1021)" 4
  close_unchanged "$CASE_DIR/take1.wav"
}

# Holding "全体上へ" raises the frame once at once and then every 100 ms;
# the saved file differs in that frame and channel alone, by k equal steps
# (16 at the gain x16 of a quiet page), and the counter shows one step.
case_edit_hold_raise_saves_k_steps() {
  edit_sine
  to_page 5
  wait_label 118 "x16"
  drag 300 310 150
  wait_tbstate 108 1003 4
  hold_button 108 1003 0.75
  wait_label 117 "1/1"
  wait_tbstate 108 1001 4
  expect_eq "step forward off" "$(tbstate 108 1002)" 0
  shot edit_after_hold
  close_and_save "$CASE_DIR/take1.wav" 1
  wave_diff "$CASE_DIR/loaded.wav" "$CASE_DIR/take1_N.wav" >"$CASE_DIR/diff.txt"
  local step; step=$(expect_uniform_diff "$CASE_DIR/diff.txt" 300 10 0) || fail "diff: $step"
  note "raised by $step"
  [ $((step % 16)) = 0 ] && [ $((step / 16)) -ge 2 ] || fail "not k >= 2 equal steps of 16: $step"
}

# One "やり直し" after the hold takes back every tick: nothing is saved.
case_edit_hold_then_step_back_undoes_all() {
  edit_sine
  to_page 5
  drag 300 310 150
  wait_tbstate 108 1003 4
  hold_button 108 1003 0.75
  wait_label 117 "1/1"
  sleep 0.6
  click_button 108 1001
  wait_label 117 "0/1"
  wait_tbstate 108 1001 0
  expect_eq "step forward on" "$(tbstate 108 1002)" 4
  click_button 108 1002
  wait_label 117 "1/1"
  expect_eq "step back on again" "$(tbstate 108 1001)" 4
  expect_eq "step forward off again" "$(tbstate 108 1002)" 0
  click_button 108 1001
  wait_label 117 "0/1"
  close_unchanged "$CASE_DIR/take1.wav"  # no step: no question, no change
  cmp "$CASE_DIR/take1.wav" "$CASE_DIR/loaded.wav" || fail "edit file changed"
  expect_eq "nothing saved" "$(ls "$CASE_DIR" | grep -c _N)" 0
}

# Two quick clicks on "減衰": the second arrives as a double click and is a
# press all the same, so each click applies its tick and records a step.
case_edit_double_click_applies_two_ticks() {
  edit_sine
  to_page 5
  drag 300 340 150
  wait_tbstate 108 1010 4
  local c; c=$(button_centre 108 1010); set -- $c
  xdotool mousemove "$1" "$2" click --repeat 2 --delay 120 1
  wait_label 117 "2/2"
  drive command EditWndClass 1022 >/dev/null
  wait_label 117 "0/0"
  close_and_save "$CASE_DIR/take1.wav" 0
}

# Another program takes the foreground while a button is held, and the button
# is let go over it (a switch with Alt+Tab, say): the release never reaches
# Velkor, only the button itself can tell.
let_go_elsewhere() {
  drive foreground 2500 >"$CASE_DIR/foreground.out" &
  local i
  for i in $(seq 50); do grep -q active "$CASE_DIR/foreground.out" 2>/dev/null && break; sleep 0.1; done
  grep -q active "$CASE_DIR/foreground.out" || fail "the other program did not come to the front"
  xdotool mousemove 100 875 mouseup 1
}

# A held tool whose release is lost: the next tick finds the button up and
# ends the run as the release would, one step for its ticks.
case_edit_lost_release_ends_the_run() {
  edit_sine
  to_page 5
  drag 300 310 150
  wait_tbstate 108 1003 4
  local c; c=$(button_centre 108 1003); set -- $c
  xdotool mousemove "$1" "$2" mousedown 1
  sleep 0.6
  let_go_elsewhere
  wait_label 117 "1/1"
  sleep 1
  xdotool mousemove 5 5
  expect_eq "pointer free" "$(xdotool getmouselocation | cut -d' ' -f1-2)" "x:5 y:5"
  close_and_save "$CASE_DIR/take1.wav" 1
  wave_diff "$CASE_DIR/loaded.wav" "$CASE_DIR/take1_N.wav" >"$CASE_DIR/diff.txt"
  local step; step=$(expect_uniform_diff "$CASE_DIR/diff.txt" 300 10 0) || fail "diff: $step"
  note "raised by $step"
  [ $((step / 16)) -ge 1 ] && [ $((step / 16)) -le 12 ] || fail "the run did not end: $step"
}

# A fingerprint of the waveform area as drawn: it changes while a slide moves.
page_print() {
  local o; o=$(edit_origin); set -- $o
  import -window root "$CASE_DIR/page.png" 2>/dev/null
  convert "$CASE_DIR/page.png" -crop "600x250+$1+$(($2 + 64))" +repage rgb:- | md5sum | cut -c1-12
}

# Waits for the page to stand still, then sees that it stays so.
expect_still_page() {
  local a b="" i
  for i in $(seq 10); do
    a=$b; sleep 0.3; b=$(page_print)
    [ "$a" = "$b" ] && break
  done
  sleep 1
  expect_eq "the page stands still" "$(page_print)" "$b"
}

# A held slide whose release is lost: the next tick finds the button up and
# ends the slide as the release would; the frame stays where it got to.
case_edit_slide_lost_release_ends_the_slide() {
  edit_sine
  to_page 5
  sleep 0.5
  local before; before=$(page_print)
  local c; c=$(button_centre 105 1051); set -- $c
  xdotool mousemove "$1" "$2" mousedown 1
  sleep 0.6
  let_go_elsewhere
  [ "$(page_print)" != "$before" ] || fail "the slide never moved"
  expect_still_page
  close_unchanged "$CASE_DIR/take1.wav"
  cmp "$CASE_DIR/take1.wav" "$CASE_DIR/loaded.wav" || fail "edit file changed"
}

# While "左へ" is held on page 5 something else changes the view under the
# slide (a key, a command); the button is let go a second later. The slide's
# timer does not go on over the new view: it stands still, no sample changes.
slide_then() {  # command...: run while the button is held
  edit_sine
  to_page 5
  local c; c=$(button_centre 105 1051); set -- $c "$@"
  xdotool mousemove "$1" "$2" mousedown 1
  local x=$1 y=$2
  shift 2
  sleep 0.6
  "$@"
  expect_still_page
  xdotool mousemove "$x" "$y" mouseup 1
  expect_still_page
  close_unchanged "$CASE_DIR/take1.wav"
  cmp "$CASE_DIR/take1.wav" "$CASE_DIR/loaded.wav" || fail "edit file changed"
}

reduce_and_enlarge() {
  drive command EditWndClass 1021 >/dev/null
  wait_label 116 "4/5"
  drive command EditWndClass 1020 >/dev/null
  wait_label 116 "5/5"
}

case_edit_slide_ends_with_its_page() { slide_then reduce_and_enlarge; }

switch_channel() {
  xdotool key F1
  drive wait EditWndClass "編集(F1)：右CH*" >/dev/null || fail "channel not switched"
}

case_edit_slide_ends_with_its_channel() { slide_then switch_channel; }

# Confirmed, then page 5 slides: the restore would put the edit's x16 gain
# back over columns that no longer hold it. It is refused; only the edit stays.
case_edit_restore_refused_after_a_slide() {
  raised_and_confirmed
  hold_button 105 1051 0.6
  expect_restore_refused
}

# "元の位置へ" arriving without its press (a posted command) after a slide
# moves page 5 back under the right gain: nothing edited, nothing to save.
case_edit_posted_home_changes_nothing() {
  edit_sine
  to_page 5
  hold_button 105 1051 1
  sleep 0.3
  drive command EditWndClass 1052 >/dev/null
  sleep 0.5
  close_unchanged "$CASE_DIR/take1.wav"
  cmp "$CASE_DIR/take1.wav" "$CASE_DIR/loaded.wav" || fail "edit file changed"
}

# A drag let go over the shortening button window (F2 shows it over the
# waveform) ends there all the same: the frame is made and the pointer is free.
case_edit_drag_released_over_the_shortening_button() {
  edit_sine
  to_page 5
  xdotool key F2
  wait_for "shortening button shown" 1 50 drive visible EditWndClass 344
  drag 500 600 70
  wait_tbstate 108 1003 4
  xdotool mousemove 5 5
  expect_eq "pointer free" "$(xdotool getmouselocation | cut -d' ' -f1-2)" "x:5 y:5"
  click_button 108 1003
  wait_label 117 "1/1"
  close_and_save "$CASE_DIR/take1.wav" 1
  wave_diff "$CASE_DIR/loaded.wav" "$CASE_DIR/take1_N.wav" >"$CASE_DIR/diff.txt"
  expect_eq "raised frames 500-599" "$(expect_uniform_diff "$CASE_DIR/diff.txt" 500 100 0)" 16
}

# With the buttons swapped in the user's settings (Wine itself does not swap
# its input) a held tool still repeats.
case_edit_hold_with_swapped_buttons() {
  SWAPPED_BUTTONS=1  # set back when the case ends
  expect_eq "buttons swapped" "$(drive swapbuttons 1)" swapped
  edit_sine
  to_page 5
  drag 300 310 150
  wait_tbstate 108 1003 4
  hold_button 108 1003 0.75
  wait_label 117 "1/1"
  close_and_save "$CASE_DIR/take1.wav" 1
  wave_diff "$CASE_DIR/loaded.wav" "$CASE_DIR/take1_N.wav" >"$CASE_DIR/diff.txt"
  local step; step=$(expect_uniform_diff "$CASE_DIR/diff.txt" 300 10 0) || fail "diff: $step"
  [ $((step % 16)) = 0 ] && [ $((step / 16)) -ge 2 ] || fail "not k >= 2 equal steps of 16: $step"
}

case_edit_silence_writes_zeros() {
  edit_sine
  to_page 5
  drag 300 310 150
  wait_tbstate 108 1003 4
  drive command EditWndClass 7033 >/dev/null
  wait_label 117 "1/1"
  close_and_save "$CASE_DIR/take1.wav" 1
  wave_diff "$CASE_DIR/loaded.wav" "$CASE_DIR/take1_N.wav" >"$CASE_DIR/diff.txt"
  expect_eq "zeros in frames 300-309 of the left channel" \
    "$(awk '$2 != 0 || $1 < 300 || $1 > 309 || $4 != 0 { bad = 1 } END { print NR, bad + 0 }' "$CASE_DIR/diff.txt")" \
    "$(awk '$1 >= 300 && $1 <= 309' "$CASE_DIR/diff.txt" | wc -l) 0"
  # Every sample of those frames that was not zero already now is.
  python3 - "$CASE_DIR/take1_N.wav" <<'PY' || fail "not exact zeros"
import array, sys
a = array.array('h'); a.frombytes(open(sys.argv[1], 'rb').read()[44:])
assert all(a[2 * f] == 0 for f in range(300, 310)), [a[2 * f] for f in range(300, 310)]
PY
}

# F1 on page 1 changes nothing in the file: no save question, nothing written.
case_edit_f1_on_page_one_writes_nothing() {
  edit_sine
  wait_label 118 "x16"
  xdotool key F1
  drive wait EditWndClass "編集(F1)：右CH*" >/dev/null || fail "channel not switched"
  wait_label 118 "x16"
  close_unchanged "$CASE_DIR/take1.wav"
  cmp "$CASE_DIR/take1.wav" "$CASE_DIR/loaded.wav" || fail "edit file changed"
  expect_eq "nothing saved" "$(ls "$CASE_DIR" | grep -c _N)" 0
}

# On the overview F1 only picks the channel, like Down: nothing is saved.
case_edit_f1_in_main_window_writes_nothing() {
  own_program
  quiet_sine "$CASE_DIR/take1.wav" 4
  cp "$CASE_DIR/take1.wav" "$CASE_DIR/loaded.wav"
  start_on "$CASE_DIR/take1.wav"
  wait_main
  local o; o=$(drive client MainWndClass '雑音編集*'); set -- $o
  xdotool mousemove $(($1 + 300)) $(($2 + 5))
  xdotool key F1
  sleep 0.8
  shot edit_f1_overview
  expect_eq "right channel marked" "$(image_pixel "$SHOTS/edit_f1_overview.png" $(($1 + 0)) $(($2 + 227)))" "255,0,255"
  expect_eq "left channel plain" "$(image_pixel "$SHOTS/edit_f1_overview.png" $(($1 + 0)) $(($2 + 99)))" "0,255,0"
  close_and_expect_exit_dialog "$CASE_DIR/take1.wav"
  drive press "$(winpath "$CASE_DIR/take1.wav")" 1 >/dev/null
  expect_exit 0 60
  cmp "$CASE_DIR/take1.wav" "$CASE_DIR/loaded.wav" || fail "edit file changed"
  expect_eq "nothing saved" "$(ls "$CASE_DIR" | grep -c _N)" 0
}

# On page 5 of a quiet sine: frames 300-309 of the left channel raised once
# (x16 on screen, 16 in the file) and confirmed, so "復元" is armed.
raised_and_confirmed() {
  edit_sine
  to_page 5
  drag 300 310 150
  wait_tbstate 108 1003 4
  click_button 108 1003
  wait_label 117 "1/1"
  drive command EditWndClass 1022 >/dev/null
  wait_tbstate 106 1050 4
}

# "復元" is off, a 1050 sent anyway asks nothing, and the file saved holds
# the confirmed raise (16) or raises and nothing else.
expect_restore_refused() {  # [difference, what it is]
  wait_tbstate 106 1050 0
  drive command EditWndClass 1050 >/dev/null
  sleep 1
  expect_eq "no restore question" "$(drive count '#32770' '*')" 0
  close_and_save "$CASE_DIR/take1.wav" 0
  wave_diff "$CASE_DIR/loaded.wav" "$CASE_DIR/take1_N.wav" >"$CASE_DIR/diff.txt"
  expect_eq "${2:-the confirmed raise of frames 300-309 only}" \
    "$(expect_uniform_diff "$CASE_DIR/diff.txt" 300 10 0)" "${1:-16}"
}

# After a confirm "復元" is armed; the channel switch ends it: the button is
# off, and a 1050 sent anyway asks nothing and changes no byte.
case_edit_f1_after_confirm_disarms_restore() {
  raised_and_confirmed
  xdotool key F1
  drive wait EditWndClass "編集(F1)：右CH*" >/dev/null || fail "channel not switched"
  expect_restore_refused
}

# A left channel at +0x0400 and a right one at -0x0400: at x16 the trace sits
# 64 rows above (left) or below (right) the centre row 190 on every page.
case_edit_page_pixels() {
  own_program
  make_wave "$CASE_DIR/flat.wav" 441000 2 16 1024 -1024
  open_edit "$CASE_DIR/flat.wav"
  wait_label 118 "x16"
  sleep 0.5
  shot edit_flat_page1
  local png="$SHOTS/edit_flat_page1.png" o; o=$(edit_origin); set -- $o
  local ox=$1 oy=$2
  px() { image_pixel "$png" $((ox + $1)) $((oy + $2)); }
  expect_eq "top line" "$(px 300 62)" "0,0,255"
  expect_eq "centre line" "$(px 300 190)" "0,0,255"
  expect_eq "bottom line" "$(px 300 318)" "0,0,255"
  # Ten seconds reach column 53 of page 1.
  expect_eq "left trace at row 126" "$(px 45 126)" "0,255,0"
  expect_eq "nothing above it" "$(px 45 125)" "0,0,0"
  expect_eq "nothing past the data" "$(px 100 126)" "0,0,0"
  expect_eq "highlight inverts the background" "$(px 10 100)" "255,255,255"
  expect_eq "highlight inverts the trace" "$(px 10 126)" "255,0,255"
  expect_eq "highlight inverts the line" "$(px 10 190)" "255,255,0"
  expect_eq "no white waveform on a constant" "$(px 45 321)" "0,0,0"
  xdotool key F4
  sleep 0.7
  shot edit_flat_page1_grey
  png="$SHOTS/edit_flat_page1_grey.png"
  expect_eq "grey background" "$(px 100 100)" "64,64,64"
  expect_eq "grey highlight" "$(px 10 100)" "191,191,191"
  expect_eq "trace on grey" "$(px 45 126)" "0,255,0"
  xdotool key F4
  xdotool key F1
  drive wait EditWndClass "編集(F1)：右CH*" >/dev/null || fail "channel not switched"
  for page in 2 3 4 5; do
    to_page $page
    sleep 0.7
    shot edit_flat_page$page
    png="$SHOTS/edit_flat_page$page.png"
    expect_eq "page $page: right trace at row 254" "$(px 400 254)" "0,255,0"
    expect_eq "page $page: top line" "$(px 400 62)" "0,0,255"
  done
  expect_eq "page 5: no highlight" "$(px 10 100)" "0,0,0"
  close_unchanged "$CASE_DIR/flat.wav"
}

# Pages 1-5 of a recording with clicks, to look at.
case_edit_pages_to_look_at() {
  own_program
  "$VELKOR_WAVEGEN" "$CASE_DIR/take1.wav" --seconds 30 --bits 16 --channels 2 --clicks 6
  open_edit "$CASE_DIR/take1.wav"
  sleep 0.5
  shot edit_look_page1
  for page in 2 3 4 5; do
    to_page $page
    sleep 0.7
    shot edit_look_page$page
  done
  drag 200 260 150
  wait_tbstate 108 1003 4
  sleep 0.3
  shot edit_look_page5_frame
  drive command EditWndClass 1022 >/dev/null
  wait_tbstate 106 1022 0
  for page in 4 3 2 1; do
    drive command EditWndClass 1021 >/dev/null
    wait_label 116 "$page/5"
  done
  drive command EditWndClass 1021 >/dev/null  # from page 1 back to the overview
  wait_main
  drive gone EditWndClass "$EDIT" >/dev/null || fail "edit window still shown"
  close_and_expect_exit_dialog "$CASE_DIR/take1.wav"
  drive press "$(winpath "$CASE_DIR/take1.wav")" 1 >/dev/null
  expect_exit 0 60
}

# A view saved on page 3 comes back on page 3 at the next start.
case_edit_resumed_page() {
  edit_sine
  to_page 3
  change_on_disk "$CASE_DIR/take1.wav" 44  # something to save, so the view is kept
  close_and_save "$CASE_DIR/take1.wav" 0
  expect_eq "DP" "$(ini_value BEFORDATE DP)" 3
  start_on "$CASE_DIR/take1_N.wav"
  expect_question "前回最後の画面を表示しますか。" 継続編集
  press_box 6
  drive wait EditWndClass "$EDIT" >/dev/null || fail "no edit window"
  wait_label 116 "3/5"
  drive gone MainWndClass '雑音編集*' >/dev/null || fail "main window still shown"
  expect_eq "enlarge on" "$(tbstate 101 1020)" 4
  close_unchanged "$CASE_DIR/take1_N.wav"
}

# "原曲挿入" of a stretch louder than the page's gain allows: the question,
# then the re-run at the lower gain. The reference is the file as on disk,
# changed here after loading, so once inserted the image equals the disk.
case_edit_insert_asks_for_a_lower_gain() {
  edit_sine
  python3 - "$CASE_DIR/take1.wav" <<'PY'
import struct, sys
with open(sys.argv[1], 'r+b') as f:
    for frame in range(300, 310):
        f.seek(44 + 4 * frame); f.write(struct.pack('<h', 0x3000))
PY
  to_page 5  # page 2 reads the reference from the disk
  wait_label 118 "x16"
  drag 300 310 150
  wait_tbstate 108 1012 4
  click_button 108 1012
  expect_question "現在の音量では描画範囲を超えるので、\\n現在の編集を確定して音量2倍で再実行します。" 描画範囲
  press_box 6
  wait_label 118 "x2"
  wait_label 117 "1/1"
  expect_eq "the edit open again" "$(tbstate 106 1022)" 4
  drive close EditWndClass "$EDIT" >/dev/null
  expect_question "$CONFIRM_NEEDED" 編集中
  press_box 6
  close_unchanged_after_question "$CASE_DIR/take1.wav"
  expect_eq "nothing saved" "$(ls "$CASE_DIR" | grep -c _N)" 0
}

close_unchanged_after_question() {  # path: the exit dialog, then no save question
  expect_exit_dialog "$1"
  drive press "$(winpath "$1")" 1 >/dev/null
  expect_exit 0 60
}

menu_count() { drive count '#32768' '*'; }

# The text buttons' menus by click and by Alt+C / Alt+H; a click on the
# button of an open menu only closes it; "編集枠を調整" refused on a flat
# frame; F2 shows the shortening button on pages 2-5 only.
case_edit_popups_and_keys() {
  own_program
  make_wave "$CASE_DIR/flat.wav" 441000 2 16 1024 -1024
  open_edit "$CASE_DIR/flat.wav"
  xdotool key F2
  sleep 0.5
  expect_eq "no shortening button on page 1" "$(drive visible EditWndClass 344)" 0
  to_page 5
  xdotool key F2
  sleep 0.5
  expect_eq "shortening button shown" "$(drive visible EditWndClass 344)" 1
  xdotool key F2
  sleep 0.5
  expect_eq "and hidden again" "$(drive visible EditWndClass 344)" 0
  drag 300 310 150
  wait_tbstate 108 1015 4
  click_button 108 1015
  drive wait '#32768' '*' >/dev/null || fail "no menu 5004"
  shot edit_menu_other_edits
  xdotool key Down Down Return
  expect_question "選択範囲の変更は出来ません。" エラー
  press_box 1
  local c; c=$(button_centre 104 1030); set -- $c
  xdotool mousemove "$1" "$2" click 1
  drive wait '#32768' '*' >/dev/null || fail "no help menu"
  sleep 0.3
  xdotool mousemove "$1" "$2" click 1
  sleep 1
  expect_eq "the second click closes the menu" "$(menu_count)" 0
  xdotool mousemove "$1" "$2" click 1
  drive wait '#32768' '*' >/dev/null || fail "a third click opens it again"
  xdotool key Escape
  drive gone '#32768' '*' >/dev/null || fail "menu not closed"
  sleep 0.6
  xdotool key alt+c
  drive wait '#32768' '*' >/dev/null || fail "Alt+C opens no menu"
  shot edit_menu_settings
  xdotool key Escape
  drive gone '#32768' '*' >/dev/null || fail "menu not closed"
  sleep 0.6
  xdotool key alt+h
  drive wait '#32768' '*' >/dev/null || fail "Alt+H opens no menu"
  xdotool key Escape
  drive gone '#32768' '*' >/dev/null || fail "menu not closed"
  drive command EditWndClass 1022 >/dev/null
  wait_tbstate 106 1022 0
  close_unchanged "$CASE_DIR/flat.wav"
}
