# The edit window's command bar: labels, the enabled state of every button,
# the images of the mode buttons, the status-line help of buttons, controls
# and menu items, the play toolbar's pager, and the layout of the rebar at
# each width. Texts are read in the prefix's own, non-Japanese locale.
source "$(dirname "${BASH_SOURCE[0]}")/edit_cases.sh"

# Every button of the bar with its toolbar, in toolbar order.
BUTTONS="108:1001 108:1002 108:1003 108:1004 108:1005 108:1006 108:1007 108:1008 108:1009 108:1010 108:1011 108:1012
108:1015 101:1020 101:1021 106:1022 106:1050 107:1023 107:1024 107:1025 107:1026 107:1027 107:1028 102:1035 102:1036
103:1031 103:1032 105:1051 105:1052 105:1053 104:1029 104:1030"
ALWAYS_ON="1023 1025 1027 1029 1030"

# "command:state" of every button, one line.
state_grid() {
  local b out=""
  for b in $BUTTONS; do out="$out ${b#*:}:$(tbstate "${b%%:*}" "${b#*:}")"; done
  echo "${out# }"
}

# The grid when exactly `on` (and the always-on buttons) are enabled.
grid_with() {  # enabled commands
  local b c out="" on=" $ALWAYS_ON $1 "
  for b in $BUTTONS; do
    c=${b#*:}
    if [[ "$on" == *" $c "* ]]; then out="$out $c:4"; else out="$out $c:0"; fi
  done
  echo "${out# }"
}

expect_grid() { wait_for "states: $1" "$(grid_with "$2")" 30 state_grid; }  # what, enabled commands

tbbitmap() { drive tbbitmap EditWndClass "$1" "$2"; }

wait_bitmap() { wait_for "image of $2" "$3" 30 tbbitmap "$1" "$2"; }  # toolbar, command, want

# A point inside the empty band 7: on the bar, but no button and no page.
off_the_buttons() {
  local r; r=$(drive rbband EditWndClass 7); set -- $r
  xdotool mousemove $(($3 - 10)) $((($2 + $4) / 2))
}

hover_button() {  # toolbar, command
  local c; c=$(button_centre "$1" "$2"); set -- $c
  xdotool mousemove "$1" "$2"
}

hover_control() {  # control id
  local r; r=$(drive crect EditWndClass "$1"); set -- $r
  xdotool mousemove $((($1 + $3) / 2)) $((($2 + $4) / 2))
}

hover_pager_arrow() {
  local r; r=$(drive crect EditWndClass 124); set -- $r
  xdotool mousemove $(($3 - 5)) $((($2 + $4) / 2))
}

# The help shows while the pointer rests on the button, and goes when it leaves.
expect_help() {  # what, want
  wait_edit_status "$2"
  off_the_buttons
  wait_edit_status ""
}

FREE="1020 1021 1024 1026 1028 1035 1036 1051 1052 1053"
TOOLS="1003 1004 1005 1006 1007 1008 1009 1010 1011 1012 1015"

case_bar_labels_follow_the_view() {
  edit_sine
  wait_label 118 "x16"
  wait_label 119 "f7"
  wait_label 117 "0/0"
  to_page 2
  for step in "1035 x8" "1035 x4" "1035 x2" "1035 x1" "1035 x1" "1036 x2" "1036 x4" "1036 x8" "1036 x16" "1036 x16"; do
    set -- $step
    drive command EditWndClass "$1" >/dev/null
    wait_label 118 "$2"
  done
  drag 200 260 150
  wait_tbstate 108 1003 4
  click_button 108 1003
  wait_label 117 "1/1"
  click_button 108 1004
  wait_label 117 "2/2"
  click_button 108 1001
  wait_label 117 "1/2"
  drive command EditWndClass 1022 >/dev/null
  wait_label 117 "0/0"
  for item in "7015 f4" "7026 f1" "7019 f8" "7012 f7"; do
    set -- $item
    drive command EditWndClass "$1" >/dev/null
    wait_label 119 "$2"
  done
  drive command EditWndClass 1021 >/dev/null
  wait_label 116 "1/5"
  expect_eq "edit count hidden on page 1" "$(drive visible EditWndClass 117)" 0
  close_and_save "$CASE_DIR/take1.wav" 0
}

case_bar_button_states_grid() {
  edit_sine
  expect_grid "page 1" "$FREE"
  to_page 2
  expect_grid "page 2" "$FREE 1031"
  drag 200 260 150
  expect_grid "a frame" "$TOOLS 1022 1024 1026 1028"
  click_button 108 1003
  expect_grid "a step" "$TOOLS 1001 1022 1024 1026 1028"
  drive command EditWndClass 1022 >/dev/null
  expect_grid "confirmed" "$FREE 1031 1050"
  to_page 5
  expect_grid "page 5" "1021 1031 1035 1036 1051 1052 1053"
  close_and_save "$CASE_DIR/take1.wav" 0
}

shortening_arrow() {
  local c; c=$(drive tbrect EditWndClass 103 1032); set -- $c
  xdotool mousemove $(($3 - 4)) $((($2 + $4) / 2)) click 1
  sleep 0.6  # past the double-click time
}

# The band menu's choice shows on "編集帯域" and "f%d"; the arrow of
# "短縮操作" switches its image; back on page 1 the mode is manual again.
case_bar_mode_images() {
  edit_sine
  expect_eq "enlarge image" "$(tbbitmap 101 1020)" 0
  expect_eq "reduce image" "$(tbbitmap 101 1021)" 1
  expect_eq "band image" "$(tbbitmap 103 1031)" 0
  expect_eq "shortening image" "$(tbbitmap 103 1032)" 1
  to_page 2
  local c; c=$(drive tbrect EditWndClass 103 1031); set -- $c
  xdotool mousemove $(($3 - 4)) $((($2 + $4) / 2)) click 1  # the arrow
  drive wait '#32768' '*' >/dev/null || fail "no band menu"
  sleep 0.3
  shot bar_band_menu
  xdotool key Escape
  drive gone '#32768' '*' >/dev/null || fail "band menu not closed"
  drive command EditWndClass 7021 >/dev/null  # a low cutoff, band editing off
  wait_bitmap 103 1031 2
  wait_label 119 "f6"
  drive command EditWndClass 7012 >/dev/null
  wait_bitmap 103 1031 0
  wait_label 119 "f7"
  # "短縮操作" is enabled with band editing on a high band.
  click_button 103 1031
  wait_bitmap 103 1031 3
  wait_tbstate 103 1032 4
  shortening_arrow
  wait_bitmap 103 1032 5
  shortening_arrow
  wait_bitmap 103 1032 1
  shortening_arrow
  wait_bitmap 103 1032 5
  drive command EditWndClass 1021 >/dev/null
  wait_label 116 "1/5"
  wait_bitmap 103 1032 1
  wait_bitmap 103 1031 0
  close_unchanged "$CASE_DIR/take1.wav"
}

case_bar_status_help_on_hover() {
  edit_sine
  to_page 2
  hover_button 108 1001
  expect_help "1001" "ボタンはオートリピートします。"
  hover_button 108 1012
  expect_help "1012" "原曲はロードした元ファイルです。"
  hover_button 105 1051
  expect_help "1051 on page 2" "拡大枠をブロック単位でシフトします。"
  hover_button 106 1022
  sleep 1
  shot bar_tooltip
  expect_help "1022 at the history's start" "編集確定　マウスクリックがドラッグになってしまったら、ここを押すと元に戻ります。"
  hover_control 117
  expect_help "117" "やり直しは直近 5回 までが有効です。"
  hover_control 118
  expect_help "118" "描画当初は最大倍率です。　編集確定時は常に1倍保存しています。"
  hover_pager_arrow  # the toolbar it holds covers the rest of it
  expect_help "124" "両音再生　音量 50% / 100%"
  hover_control 115
  expect_help "115" "3/5頁をイメージしたインジケータです。"
  to_page 5
  hover_button 105 1051
  expect_help "1051 on page 5" "4/5頁の範囲をスライド、画面外との兼合いで音量倍率が下がることがあります。"
  hover_button 107 1024
  expect_help "1024" "3/5頁以降は 「枠内を無音にして」 3/5頁全体を演奏　雑音個所の特定が目的です。"
  close_unchanged "$CASE_DIR/take1.wav"
}

case_bar_status_help_with_backup() {
  own_program
  quiet_sine "$CASE_DIR/take1.wav" 4
  quiet_sine "$CASE_DIR/orig.wav" 5
  start_velkor "$(winpath "$CASE_DIR/take1.wav")"
  wait_text '#32770' "$DIALOG" 312 take1.wav
  drive press "$DIALOG" 308 >/dev/null &
  choose_in_open_dialog "$CASE_DIR/orig.wav"
  wait_text '#32770' "$DIALOG" 315 orig.wav
  drive press "$DIALOG" 1 >/dev/null
  wait_main
  drive command MainWndClass 6010 >/dev/null
  wait_label 116 "1/5"
  to_page 2
  hover_button 108 1012
  expect_help "1012 with a backup" "原曲はバックアップファイルです、元ファイルからは挿入できません。"
  close_unchanged "$CASE_DIR/take1.wav"
}

menu_down() {  # want: the next item's help
  xdotool key Down
  wait_edit_status "$1"
}

case_bar_menu_help_by_keyboard() {
  edit_sine
  to_page 5
  off_the_buttons
  xdotool key alt+c
  drive wait '#32768' '*' >/dev/null || fail "no settings menu"
  menu_down "タイトルバーに識別表示しています。"
  menu_down "拡大枠の背景色を変更します。"
  menu_down "Velkorを終了します"
  xdotool key Escape
  wait_edit_status ""
  drag 300 310 150
  wait_tbstate 108 1015 4
  click_button 108 1015
  drive wait '#32768' '*' >/dev/null || fail "no menu 5004"
  off_the_buttons
  sleep 1  # the tooltip of the clicked button has gone, its help with it
  menu_down "無音"
  menu_down "編集枠を波形のゼロクロス付近に微調整します。"
  xdotool key Escape
  wait_edit_status ""
  drive command EditWndClass 1022 >/dev/null
  close_unchanged "$CASE_DIR/take1.wav"
}

hidden_play() {  # "command:hidden" for 1023-1028
  local c out=""
  for c in 1023 1024 1025 1026 1027 1028; do out="$out $c:$(drive tbhidden EditWndClass 107 $c)"; done
  echo "${out# }"
}

pager_arrow() {
  local r; r=$(drive crect EditWndClass 124); set -- $r
  xdotool mousemove $(($3 - 5)) $((($2 + $4) / 2)) click 1
  sleep 0.6
}

case_bar_pager_switches_play_pairs() {
  edit_sine
  expect_eq "all shown" "$(hidden_play)" "1023:0 1024:0 1025:0 1026:0 1027:0 1028:0"
  pager_arrow
  expect_eq "both channels at 50 %" "$(hidden_play)" "1023:1 1024:1 1025:0 1026:0 1027:0 1028:0"
  pager_arrow
  expect_eq "both channels at 100 %" "$(hidden_play)" "1023:1 1024:1 1025:1 1026:1 1027:0 1028:0"
  pager_arrow
  expect_eq "50 % again" "$(hidden_play)" "1023:1 1024:1 1025:0 1026:0 1027:0 1028:0"
  close_unchanged "$CASE_DIR/take1.wav"
  make_wave "$CASE_DIR/mono.wav" 80000 1 16 '300 if n % 100 < 50 else -300' 0
  open_edit "$CASE_DIR/mono.wav"
  expect_eq "mono: the first pair deleted" "$(drive tbstate EditWndClass 107 1023)" -1
  local pairs="1025:$(drive tbhidden EditWndClass 107 1025) 1027:$(drive tbhidden EditWndClass 107 1027)"
  expect_eq "mono: the 50 % pair shown" "$pairs" "1025:0 1027:0"
  pager_arrow
  pager_arrow
  pairs="1025:$(drive tbhidden EditWndClass 107 1025) 1027:$(drive tbhidden EditWndClass 107 1027)"
  expect_eq "mono: the volume never changes" "$pairs" "1025:0 1027:0"
  close_unchanged "$CASE_DIR/mono.wav"
}

# The rebar's rows end above the waveform's top line at every width; the
# labels fill their bands' 26-pixel headers; the display windows have their widths.
check_layout() {  # width
  local W=$1 o r
  o=$(edit_origin); set -- $o; local ox=$1 oy=$2
  expect_eq "$W: one row on page 1" "$(drive rbrows EditWndClass)" 1
  r=$(drive crect EditWndClass 113); set -- $r
  [ $(($2 - oy)) -le 62 ] || fail "$W: page 1 rebar bottom at row $(($2 - oy))"
  to_page 2
  expect_eq "$W: two rows" "$(drive rbrows EditWndClass)" 2
  sleep 0.3
  r=$(drive crect EditWndClass 113); set -- $r
  local bottom=$(($2 - oy))
  note "$W: rebar bottom at row $bottom"
  [ "$bottom" -le 62 ] && [ "$bottom" -ge 40 ] || fail "$W: rebar bottom at row $bottom"
  local label band
  for pair in "116 0" "118 3" "119 4" "117 8"; do
    set -- $pair; label=$1; band=$2
    r=$(drive crect EditWndClass "$label"); set -- $r
    local lx=$1 lw=$(($3 - $1))
    r=$(drive rbband EditWndClass "$band"); set -- $r
    expect_eq "$W: label $label 26 wide at band $band's left" "$lw $lx" "26 $1"
  done
  r=$(drive rbband EditWndClass 11); set -- $r
  expect_eq "$W: the last band ends at the right edge" "$(($3 - ox))" "$W"
  r=$(drive rbband EditWndClass 7); set -- $r
  expect_eq "$W: band 7 fills its row" "$(($3 - ox))" "$W"
  r=$(drive crect EditWndClass 114); set -- $r
  note "$W: display window 1 is $(($3 - $1)) wide"
  shot "bar_width_$W"
}

case_bar_rows_and_widths() {
  edit_sine
  check_layout 640
  for size in "6017 960" "6018 1280"; do
    set -- $size
    while [ "$(drive ctext EditWndClass 116)" != "1/5" ]; do
      drive command EditWndClass 1021 >/dev/null
      sleep 0.3
    done
    drive command EditWndClass 1021 >/dev/null  # to the overview
    wait_main
    drive command MainWndClass "$1" >/dev/null
    sleep 1
    drive command MainWndClass 6010 >/dev/null
    wait_label 116 "1/5"
    local cw; cw=$(drive client EditWndClass "$EDIT")
    check_layout "$2"
  done
  close_unchanged "$CASE_DIR/take1.wav"
}
