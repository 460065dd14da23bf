# The spectrum window: F3 and its close box, its place and size limits, the
# curve of a known tone with the pointer's read-out, zoom and relative
# display, the refresh after edits and the red curves of the page-5 slide.
# Expected figures come from the core run natively (spectrum_expect).
source "$(dirname "${BASH_SOURCE[0]}")/edit_cases.sh"

SPECTRUM='スペクトラム'
SLIDE_TITLE='スペクトラム ( 赤：画面前後 )'
BIN=40      # the tone sits on this bin at N = 512: 40 x 44100 / 512 Hz
BLACK=0,0,0
RED=255,0,0
TICK_ROWS=20  # the grid's ticks and labels lie above this row

# A stereo 44.1 kHz file holding one tone at -6 dBFS, page 1 open.
edit_tone() {
  own_program
  "$VELKOR_WAVEGEN" "$CASE_DIR/take1.wav" --seconds 10 --clicks 0 --tone "$(python3 -c "print($BIN * 44100 / 512)")" \
    --dbfs -6
  cp "$CASE_DIR/take1.wav" "$CASE_DIR/loaded.wav"
  open_edit "$CASE_DIR/take1.wav"
}

# "peak BIN LEVEL", "readout TITLE" and "widths W1 W2" of a page at a width.
expect_spectrum() {  # page, width, [the tone's bin, BIN unless given]
  "$VELKOR_SPECTRUM_EXPECT" "$CASE_DIR/take1.wav" --page "$1" --width "$2" >"$CASE_DIR/expect.txt" ||
    fail "spectrum_expect"
  LEVEL=$(awk '$1 == "peak" { print $3 }' "$CASE_DIR/expect.txt")
  READOUT=$(sed -n 's/^readout //p' "$CASE_DIR/expect.txt")
  WIDTHS=$(sed -n 's/^widths //p' "$CASE_DIR/expect.txt")
  expect_eq "the tone's bin" "$(awk '$1 == "peak" { print $2 }' "$CASE_DIR/expect.txt")" "${3:-$BIN}"
  note "level $LEVEL, widest $WIDTHS"
}

spectrum_count() { drive count SpectrumWndClass '*'; }
wait_spectrum() { wait_for "spectrum windows shown" "$1" 50 spectrum_count; }  # 0 or 1
spectrum_rect() { drive wrect SpectrumWndClass '*'; }
spectrum_title() { drive title SpectrumWndClass 2000; }
spectrum_origin() { drive client SpectrumWndClass '*'; }

# Real pointer input at client coordinates of the spectrum window.
spectrum_point() {  # x y
  local o; o=$(spectrum_origin); set -- $o "$1" "$2"
  xdotool mousemove $(($1 + $3)) $(($2 + $4))
}
spectrum_button() {  # command of toolbar 110: "x y" of its centre on the screen
  local r; r=$(drive tbrect SpectrumWndClass 110 "$1"); set -- $r
  echo $((($1 + $3) / 2)) $((($2 + $4) / 2))
}
click_spectrum_button() {  # command
  local c; c=$(spectrum_button "$1"); set -- $c
  xdotool mousemove "$1" "$2" click 1
  sleep 0.6  # past the double-click time
}
# The pointer resting on a button shows its tooltip.
expect_tooltip() {  # command, text
  local c; c=$(spectrum_button "$1"); set -- $c "$2"
  xdotool mousemove "$1" "$2"
  drive wait tooltips_class32 "$3" 5000 >/dev/null || fail "no tooltip \"$3\""
  note "ok: tooltip $3"
}
# A border or caption dragged by a real pointer, in steps.
drag_screen() {  # x0 y0 x1 y1
  local i
  xdotool mousemove "$1" "$2" mousedown 1
  sleep 0.2
  for i in 1 2 3 4; do
    xdotool mousemove $(($1 + ($3 - $1) * i / 4)) $(($2 + ($4 - $2) * i / 4))
    sleep 0.1
  done
  sleep 0.2
  xdotool mousemove "$3" "$4" mouseup 1
  sleep 0.4
}

# The topmost pixel of a colour in the spectrum's client area, between two
# columns and from a row down: "x y" in client coordinates, or "none".
curve_top() {  # png, colour, first column, last column, first row
  local o s; o=$(spectrum_origin); s=$(drive csize SpectrumWndClass '*')
  python3 - "$@" $o $s <<'PY'
import subprocess, sys
png, colour = sys.argv[1], tuple(int(c) for c in sys.argv[2].split(','))
x0, x1, y0, cx, cy, cw, ch = (int(v) for v in sys.argv[3:])
raw = subprocess.run(['convert', png, '-crop', f'{cw}x{ch}+{cx}+{cy}', '+repage', '-depth', '8', 'rgb:-'],
                     capture_output=True, check=True).stdout
for y in range(y0, ch):
    for x in range(x0, min(x1, cw - 1) + 1):
        if tuple(raw[3 * (y * cw + x):3 * (y * cw + x) + 3]) == colour:
            print(x, y)
            sys.exit()
print('none')
PY
}

# Screenshots until the curve's top is at (x ±1, y ±2), or there is none
# ("none" for x): the window redraws a moment after the change.
wait_curve_top() {  # what, shot, colour, first column, last column, first row, x, y
  local what=$1 name=$2 colour=$3 x0=$4 x1=$5 y0=$6 want_x=$7 want_y=${8:-} got="" i
  for i in $(seq 30); do
    shot "$name"
    got=$(curve_top "$SHOTS/$name.png" "$colour" "$x0" "$x1" "$y0")
    if [ "$want_x" = none ]; then
      [ "$got" = none ] && { note "ok: $what: none"; return 0; }
    elif [ "$got" != none ]; then
      local dx=$((${got% *} - want_x)) dy=$((${got#* } - want_y))
      if [ $dx -ge -1 ] && [ $dx -le 1 ] && [ $dy -ge -2 ] && [ $dy -le 2 ]; then
        note "ok: $what at $got"
        return 0
      fi
    fi
    sleep 0.2
  done
  fail "$what: top pixel $got, want $want_x $want_y"
}

# F3 toggles the window only from page 2 on; it opens at (0, 0) as wide as
# zoom 1 allows; F3 and its close box hide it; it cannot be moved, and it
# is sized only at its right and bottom borders, up to 480 rows; F4 turns
# it light grey with the edit window's dark grey; page 1 hides it; a width
# change makes it again, hidden, at the new transform size.
case_spectrum_shows_hides_and_keeps_its_place() {
  edit_tone
  expect_spectrum 2 640
  xdotool key F3
  sleep 0.7
  expect_eq "F3 on page 1" "$(spectrum_count)" 0
  local first; first=$(drive hwnd SpectrumWndClass)
  expect_eq "made hidden" "${first#* }" 0
  to_page 2
  xdotool key F3
  wait_spectrum 1
  expect_eq "title" "$(spectrum_title)" "$SPECTRUM"
  expect_eq "at (0, 0), zoom 1 wide" "$(spectrum_rect)" "0 0 ${WIDTHS% *} 320"
  xdotool key F3
  wait_spectrum 0
  xdotool key F3
  wait_spectrum 1
  shot spectrum_zoom1

  # The close box, at the caption's right end, only hides the window.
  local r o; r=$(spectrum_rect); o=$(spectrum_origin); set -- $r $o
  local right=$3 bottom=$4 cx=$5 cy=$6
  xdotool mousemove $((right - cx - 9)) $((cy / 2 + 1)) click 1
  wait_spectrum 0
  expect_eq "closing keeps the window" "$(drive hwnd SpectrumWndClass)" "${first% *} 0"
  xdotool key F3
  wait_spectrum 1

  drag_screen 100 $((cy / 2)) 400 300
  expect_eq "a caption drag does not move it" "$(spectrum_rect)" "0 0 $right 320"
  drag_screen $((right - 2)) 150 $((right - 52)) 150
  expect_eq "right border drag" "$(spectrum_rect)" "0 0 $((right - 50)) 320"
  drag_screen 100 $((bottom - 2)) 100 $((bottom + 98))
  expect_eq "bottom border drag" "$(spectrum_rect)" "0 0 $((right - 50)) $((bottom + 100))"
  drag_screen 100 $((bottom + 98)) 100 $((bottom + 400))
  # Wine's sizing loop holds the pointer one row inside the limit.
  r=$(spectrum_rect); set -- $r
  [ "$1 $2 $3" = "0 0 $((right - 50))" ] && [ "$4" -ge 479 ] && [ "$4" -le 480 ] || fail "480 rows at most: $r"
  note "ok: bottom border drag stops at $4"

  shot spectrum_white
  expect_eq "white" "$(image_pixel "$SHOTS/spectrum_white.png" $((cx + 150)) 250)" "255,255,255"
  xdotool key F4
  sleep 0.7
  shot spectrum_grey
  expect_eq "light grey" "$(image_pixel "$SHOTS/spectrum_grey.png" $((cx + 150)) 250)" "192,192,192"
  xdotool key F4
  sleep 0.7
  shot spectrum_white_again
  expect_eq "white again" "$(image_pixel "$SHOTS/spectrum_white_again.png" $((cx + 150)) 250)" "255,255,255"

  drive command EditWndClass 1021 >/dev/null
  wait_label 116 "1/5"
  wait_spectrum 0
  drive command EditWndClass 7038 >/dev/null
  sleep 0.7
  expect_eq "7038 on page 1" "$(spectrum_count)" 0

  drive command EditWndClass 1021 >/dev/null  # to the overview, then a width change
  wait_main
  drive command MainWndClass 6017 >/dev/null
  local again="" i
  for i in $(seq 50); do
    again=$(drive hwnd SpectrumWndClass) || true
    [ "$again" != none ] && [ "${again% *}" != "${first% *}" ] && break
    sleep 0.1
  done
  [ "$again" != none ] && [ "${again% *}" != "${first% *}" ] || fail "the spectrum window was not made again"
  expect_eq "made again hidden" "${again#* }" 0
  expect_spectrum 2 960 $((2 * BIN))
  drive command MainWndClass 6010 >/dev/null
  drive wait EditWndClass "$EDIT" >/dev/null || fail "no edit window"
  wait_label 116 "1/5"
  to_page 2
  xdotool key F3
  wait_spectrum 1
  expect_eq "N 1024: zoom 1 wide" "$(spectrum_rect)" "0 0 ${WIDTHS% *} 320"
  close_unchanged "$CASE_DIR/take1.wav"
  cmp "$CASE_DIR/take1.wav" "$CASE_DIR/loaded.wav" || fail "edit file changed"
}

# Page 2 of the tone: the curve's top on the tone's bin at the core's level,
# the dB scale on the tool strip, the read-out there and the tooltips (in
# Japanese whatever the locale: the _in_c_locale run); 121 doubles the columns and widens the window to its
# limit, 122 lifts the peak to the top, 120 goes back to zoom 1.
case_spectrum_curve_readout_and_zoom() {
  edit_tone
  expect_spectrum 2 640
  to_page 2
  xdotool key F3
  wait_spectrum 1
  wait_curve_top "peak at zoom 1" spectrum_page2 $BLACK 31 1000 $TICK_ROWS $((30 + BIN)) $((467 - LEVEL))
  # "-30" on the tool strip, below its buttons: 90 rows a 30 dB from the top.
  local label; label=$(curve_top "$SHOTS/spectrum_page2.png" $BLACK 0 24 80)
  [ "$label" != none ] && [ "${label#* }" -ge 85 ] && [ "${label#* }" -le 100 ] || fail "no -30 dB label: $label"
  spectrum_point $((30 + BIN)) $((467 - LEVEL))
  wait_for "read-out on the peak" "$READOUT" 50 spectrum_title
  [ "${READOUT#"$SPECTRUM"}" != "$READOUT" ] && [ "$READOUT" != "$SPECTRUM" ] || fail "read-out $READOUT"
  expect_tooltip 120 倍率縮小
  expect_tooltip 121 倍率拡大
  expect_tooltip 122 '最大値を 0db にした相対表示'

  click_spectrum_button 121
  wait_for "zoom 2 width" "0 0 ${WIDTHS#* } 320" 30 spectrum_rect
  wait_curve_top "peak at zoom 2" spectrum_zoom2 $BLACK 31 1000 $TICK_ROWS $((30 + 2 * BIN)) $((467 - LEVEL))
  click_spectrum_button 122
  expect_eq "relative display checked" "$(drive tbstate SpectrumWndClass 110 122)" 5
  wait_curve_top "relative peak at the top" spectrum_relative_zoom2 $BLACK $((30 + 2 * BIN - 4)) $((30 + 2 * BIN + 4)) 0 \
    $((30 + 2 * BIN)) 0
  click_spectrum_button 120
  wait_for "zoom 1 width" "0 0 ${WIDTHS% *} 320" 30 spectrum_rect
  wait_curve_top "relative peak at zoom 1" spectrum_relative_zoom1 $BLACK $((30 + BIN - 4)) $((30 + BIN + 4)) 0 \
    $((30 + BIN)) 0
  click_spectrum_button 122
  expect_eq "relative display off" "$(drive tbstate SpectrumWndClass 110 122)" 4
  wait_curve_top "peak back at its level" spectrum_absolute $BLACK 31 1000 $TICK_ROWS $((30 + BIN)) $((467 - LEVEL))
  close_unchanged "$CASE_DIR/take1.wav"
}

# Page 5 silenced whole: the peak goes. A step back after a click into the
# spectrum window (an activation that paints nothing) brings it back. The
# slide over the silenced page shows the tone around it in red, under the
# slide's title; released, the red goes.
case_spectrum_follows_edits_and_the_slide() {
  edit_tone
  expect_spectrum 2 640
  to_page 5
  xdotool key F3
  wait_spectrum 1
  wait_curve_top "page 5 peak" spectrum_page5 $BLACK 31 1000 $TICK_ROWS $((30 + BIN)) $((467 - LEVEL))
  drag 0 639 150
  wait_tbstate 108 1003 4
  drive command EditWndClass 7033 >/dev/null
  wait_label 117 "1/1"
  wait_curve_top "silenced: no curve" spectrum_silenced $BLACK 31 1000 $TICK_ROWS none
  spectrum_point 200 150
  xdotool click 1
  sleep 0.6
  click_button 108 1001
  wait_label 117 "0/1"
  wait_curve_top "stepped back: the peak again" spectrum_stepped_back $BLACK 31 1000 $TICK_ROWS $((30 + BIN)) \
    $((467 - LEVEL))
  click_button 108 1002
  wait_label 117 "1/1"
  wait_curve_top "stepped forward: silent again" spectrum_silent_again $BLACK 31 1000 $TICK_ROWS none
  drive command EditWndClass 1022 >/dev/null
  wait_tbstate 106 1022 0

  local c; c=$(button_centre 105 1051); set -- $c
  xdotool mousemove "$1" "$2" mousedown 1
  wait_for "title while sliding" "$SLIDE_TITLE" 50 spectrum_title
  sleep 0.5
  shot spectrum_slide
  local red; red=$(curve_top "$SHOTS/spectrum_slide.png" $RED 31 1000 $TICK_ROWS)
  xdotool mousemove "$1" "$2" mouseup 1
  note "red top while sliding: $red"
  set -- $red
  [ $# = 2 ] && [ $(($1 - 30 - BIN)) -ge -1 ] && [ $(($1 - 30 - BIN)) -le 1 ] && [ "$2" -le $((467 - LEVEL + 30)) ] ||
    fail "no red peak of the tone around the page: $red"
  wait_for "title after the slide" "$SPECTRUM" 50 spectrum_title
  wait_curve_top "no red after the slide" spectrum_after_slide $RED 0 1000 0 none
  close_and_save "$CASE_DIR/take1.wav" 0
}
