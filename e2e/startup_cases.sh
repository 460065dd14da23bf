# Start-up: the file selection dialog (command line, open dialog, backup
# rules, information boxes, help, cancel), the single instance, and the main
# window with its overview, keys, menus and the move to the edit window.

# Clicks at a point of a window's client area with real input.
click_client() {  # class, title, x, y
  local origin; origin=$(drive client "$1" "$2")
  set -- $origin "$3" "$4"
  xdotool mousemove $(($1 + $3)) $(($2 + $4)) click 1
}

# The colour at a point of a window's client area on a fresh screenshot.
client_pixel() {  # class, title, x, y
  local origin; origin=$(drive client "$1" "$2")
  set -- $origin "$3" "$4"
  import -window root "$CASE_DIR/pixel.png" 2>/dev/null
  image_pixel "$CASE_DIR/pixel.png" $(($1 + $3)) $(($2 + $4))
}

# Waits for the main window's status bar to read `want`.
wait_status() { wait_text MainWndClass '雑音編集*' 111 "$1"; }

# A recording long enough that page 1 spans few overview columns (8 kHz keeps it small).
long_recording() {  # path
  "$VELKOR_WAVEGEN" "$1" --seconds 2700 --rate 8000 --bits 8 --channels 2 --clicks 5
}

case_startup_command_line_quoted() {
  local dir="$CASE_DIR/録音 フォルダ"
  mkdir -p "$dir"
  "$VELKOR_WAVEGEN" "$dir/テイク 1.wav" --seconds 5 --bits 16 --channels 2
  start_velkor "$(winpath "$dir/テイク 1.wav")"
  drive wait '#32770' "$DIALOG" >/dev/null
  shot startup_dialog
  expect_eq "backup row" "$(drive text '#32770' "$DIALOG" 315)" "上と同じ"
  confirm_file "テイク 1.wav"
  expect_eq "title" "$(drive wait MainWndClass '雑音編集*')" "雑音編集　テイク 1.wav"
  quit_from_overview
  expect_exit 0 30
}

# A path far past 260 characters through folders with Japanese names.
case_startup_long_path() {
  local dir="$CASE_DIR" i
  for i in 1 2 3 4 5 6; do dir="$dir/長いフォルダの名前その$i-abcdefghijklmnopqrstuvwxyz0123456789"; done
  mkdir -p "$dir"
  "$VELKOR_WAVEGEN" "$dir/テイク.wav" --seconds 3 --bits 16 --channels 1
  local win; win=$(winpath "$dir/テイク.wav")
  [ ${#win} -gt 300 ] || fail "path only ${#win} characters"
  start_velkor "$win"
  confirm_file "テイク.wav"
  expect_eq "title" "$(drive wait MainWndClass '雑音編集*')" "雑音編集　テイク.wav"
  quit_from_overview
  expect_exit 0 30
}

case_startup_open_dialog() {
  "$VELKOR_WAVEGEN" "$CASE_DIR/take2.wav" --seconds 5 --bits 24 --channels 2
  start_velkor
  drive wait '#32770' "$DIALOG" >/dev/null
  expect_eq "no edit file yet" "$(drive text '#32770' "$DIALOG" 312)" ""
  drive press "$DIALOG" 1 >/dev/null  # OK without an edit file does nothing
  sleep 0.5
  expect_eq "dialog stays" "$(drive count '#32770' "$DIALOG")" 1
  drive press "$DIALOG" 307 >/dev/null &
  drive filedialog >/dev/null || fail "no open dialog"
  sleep 0.5
  shot startup_open_dialog
  choose_in_open_dialog "$CASE_DIR/take2.wav"
  confirm_file take2.wav
  expect_eq "title" "$(drive wait MainWndClass '雑音編集*')" "雑音編集　take2.wav"
  quit_from_overview
  expect_exit 0 30
}

case_startup_cancel() {
  start_velkor
  drive wait '#32770' "$DIALOG" >/dev/null
  drive press "$DIALOG" 2 >/dev/null
  expect_exit 0 30
  expect_eq "no main window" "$(drive count MainWndClass '*')" 0
}

case_startup_second_instance() {
  "$VELKOR_WAVEGEN" "$CASE_DIR/take1.wav" --seconds 2 --bits 16 --channels 2
  start_velkor "$(winpath "$CASE_DIR/take1.wav")"
  drive wait '#32770' "$DIALOG" >/dev/null
  local first=$VELKOR_PID
  start_velkor
  expect_exit 0 20
  expect_eq "still one dialog" "$(drive count '#32770' "$DIALOG")" 1
  VELKOR_PID=$first
  confirm_file take1.wav
  drive wait MainWndClass '雑音編集*' >/dev/null
  quit_from_overview
  expect_exit 0 30
}

case_startup_extension_and_info() {
  "$VELKOR_WAVEGEN" "$CASE_DIR/take1.wave" --seconds 2 --bits 16 --channels 2
  local win; win=$(winpath "$CASE_DIR/take1.wave")
  start_velkor "$win"
  expect_eq "extension warning" "$(drive msgbox)" "$(printf 'caption\t確認\ntext\t拡張子が WAV ではありません。')"
  drive press 確認 1 >/dev/null
  wait_text '#32770' "$DIALOG" 312 take1.wave
  # A click on the name shows the file's size, time and format.
  local r; r=$(drive rect "$DIALOG" 312)
  set -- $r
  xdotool mousemove $((($1 + $3) / 2)) $((($2 + $4) / 2)) click 1
  local size; size=$(stat -c %s "$CASE_DIR/take1.wave")
  expect_eq "information" "$(drive msgbox)" \
    "$(printf 'caption\tサイズ %d バイト (00分02秒000)\ntext\t%s\\n PCM 2CH 16BIT 44100SAMPLE' "$size" "$win")"
  shot startup_info
  drive press "サイズ $size バイト (00分02秒000)" 1 >/dev/null
  drive press "$DIALOG" 2 >/dev/null
  expect_exit 0 30
}

case_startup_mp3_refused() {
  printf '\xff\xfb\x90\x64' >"$CASE_DIR/song.mp3"
  head -c 4000 /dev/zero >>"$CASE_DIR/song.mp3"
  start_velkor "$(winpath "$CASE_DIR/song.mp3")"
  expect_eq "refusal" "$(drive msgbox)" "$(printf 'caption\tRIFF検出\ntext\tVelkorでは処理できないファイルです。')"
  drive press RIFF検出 1 >/dev/null
  drive press "$DIALOG" 2 >/dev/null
  expect_exit 0 30
}

# Chooses the backup file through its open button.
choose_backup() {  # path
  drive press "$DIALOG" 308 >/dev/null &
  choose_in_open_dialog "$1"
  wait_text '#32770' "$DIALOG" 315 "$(basename "$1")"
}

case_startup_backup_rules() {
  "$VELKOR_WAVEGEN" "$CASE_DIR/take1.wav" --seconds 4 --bits 16 --channels 2
  "$VELKOR_WAVEGEN" "$CASE_DIR/mono.wav" --seconds 4 --bits 16 --channels 1
  "$VELKOR_WAVEGEN" "$CASE_DIR/short.wav" --seconds 3 --bits 16 --channels 2
  "$VELKOR_WAVEGEN" "$CASE_DIR/orig.wav" --seconds 5 --bits 16 --channels 2
  start_velkor "$(winpath "$CASE_DIR/take1.wav")"
  wait_text '#32770' "$DIALOG" 312 take1.wav
  choose_backup "$CASE_DIR/mono.wav"
  drive press "$DIALOG" 1 >/dev/null
  expect_eq "format mismatch" "$(drive msgbox)" \
    "$(printf 'caption\tエラー\ntext\t編集ファイルとバックアップファイルのフォーマットが一致していません。')"
  shot startup_backup_mismatch
  drive press エラー 1 >/dev/null
  choose_backup "$CASE_DIR/short.wav"
  drive press "$DIALOG" 1 >/dev/null
  expect_eq "short backup" "$(drive msgbox)" \
    "$(printf 'caption\tエラー\ntext\t編集ファイルよりバックアップファイルの音声データ数が少ないため設定できません。')"
  drive press エラー 1 >/dev/null
  # A click on the backup's name offers to clear it.
  local r; r=$(drive rect "$DIALOG" 315)
  set -- $r
  xdotool mousemove $((($1 + $3) / 2)) $((($2 + $4) / 2)) click 1
  local box; box=$(drive msgbox)
  expect_eq "clear question" "$(echo "$box" | sed -n 2p)" \
    "$(printf 'text\t%s\\n PCM 2CH 16BIT 44100SAMPLE\\n 設定をクリアしますか' "$(winpath "$CASE_DIR/short.wav")")"
  drive press "$(echo "$box" | sed -n '1s/^caption\t//p')" 6 >/dev/null
  wait_text '#32770' "$DIALOG" 315 "上と同じ"
  choose_backup "$CASE_DIR/orig.wav"  # longer than the edit file: accepted
  drive press "$DIALOG" 1 >/dev/null
  expect_eq "title" "$(drive wait MainWndClass '雑音編集*')" "雑音編集　take1.wav"
  quit_from_overview
  expect_exit 0 30
}

case_startup_dialog_help() {
  start_velkor
  drive wait '#32770' "$DIALOG" >/dev/null
  local r; r=$(drive rect "$DIALOG" 307)
  set -- $r
  xdotool mousemove $(($1 + 5)) $(($2 + 5))
  xdotool key F1
  drive wait HelpTextWndClass ' ' >/dev/null || fail "no help box"
  expect_eq "help box size" "$(drive size HelpTextWndClass ' ')" "230 37"
  shot startup_dialog_help
  xdotool mousemove 20 20 click 1
  drive gone HelpTextWndClass ' ' >/dev/null || fail "help box stays"
  expect_eq "the click only closed the box" "$(drive count '#32770' "$DIALOG")" 1
  drive press "$DIALOG" 2 >/dev/null
  expect_exit 0 30
}

case_overview_click_and_keys() {
  long_recording "$CASE_DIR/long.wav"
  open_main "$CASE_DIR/long.wav"
  expect_eq "left channel marked at first" "$(client_pixel MainWndClass '雑音編集*' 0 99)" "255,0,255"
  click_client MainWndClass '雑音編集*' 300 200
  # 21.6 M frames over 640 columns: 33,750 frames of 2 bytes per column.
  wait_status "21分05秒625"
  expect_eq "right channel from the clicked column" "$(client_pixel MainWndClass '雑音編集*' 300 227)" "255,0,255"
  expect_eq "left of it plain" "$(client_pixel MainWndClass '雑音編集*' 299 227)" "0,255,0"
  expect_eq "left channel plain" "$(client_pixel MainWndClass '雑音編集*' 300 99)" "0,255,0"
  shot overview_clicked
  xdotool key Right
  wait_status "00分04秒218"  # the keyboard cursor moves on from column 0, not from the click
  # Held down (and let go before the key repeats), the key shows the cursor line.
  local origin; origin=$(drive client MainWndClass '雑音編集*')
  set -- $origin
  xdotool keydown Right
  sleep 0.1
  import -window root "$SHOTS/overview_cursor.png" 2>/dev/null
  xdotool keyup Right
  expect_eq "cursor line inverted at column 2" "$(image_pixel "$SHOTS/overview_cursor.png" $(($1 + 2)) $(($2 + 160)))" \
    "255,255,255"
  expect_eq "and taken back at column 1" "$(image_pixel "$SHOTS/overview_cursor.png" $(($1 + 1)) $(($2 + 160)))" \
    "0,0,0"
  wait_status "00分08秒437"
  sleep 0.5
  expect_eq "line gone on key up" "$(client_pixel MainWndClass '雑音編集*' 2 160)" "0,0,0"
  xdotool key Up
  sleep 0.5
  expect_eq "frame at the cursor on the left channel" "$(client_pixel MainWndClass '雑音編集*' 2 99)" "255,0,255"
  expect_eq "right channel plain" "$(client_pixel MainWndClass '雑音編集*' 2 227)" "0,255,0"
  xdotool key Left Left Left
  wait_status "00分00秒000"
  quit_from_overview
  expect_exit 0 30
}

case_overview_width_change() {
  long_recording "$CASE_DIR/long.wav"
  open_main "$CASE_DIR/long.wav"
  drive command MainWndClass 6017 >/dev/null
  poll_size 968
  drive gone '#32770' '描画準備中' >/dev/null
  sleep 0.5
  click_client MainWndClass '雑音編集*' 600 100
  sleep 0.5
  expect_eq "frame at 600 of 960" "$(client_pixel MainWndClass '雑音編集*' 600 99)" "255,0,255"
  drive command MainWndClass 6016 >/dev/null
  poll_size 648
  drive gone '#32770' '描画準備中' >/dev/null
  sleep 0.5
  expect_eq "frame at 400 of 640" "$(client_pixel MainWndClass '雑音編集*' 400 99)" "255,0,255"
  expect_eq "not before" "$(client_pixel MainWndClass '雑音編集*' 399 99)" "0,255,0"
  shot overview_640
  quit_from_overview
  expect_exit 0 30
}

poll_size() { wait_for "main window width" "$1" 100 main_width; }

case_overview_how_to_operate() {
  "$VELKOR_WAVEGEN" "$CASE_DIR/take1.wav" --seconds 3 --bits 16 --channels 2
  open_main "$CASE_DIR/take1.wav"
  xdotool key alt+h Return
  expect_eq "hint" "$(drive msgbox)" \
    "$(printf 'caption\t雑音編集の開始\ntext\tクリック又は方向キーで編集対象域を設定して下さい、赤色部分です。')"
  drive press 雑音編集の開始 1 >/dev/null
  # "閉じる" is the last item of the settings menu: it ends the program.
  drive gone '#32770' 雑音編集の開始 >/dev/null
  xdotool key alt+c Up Return
  drive wait '#32770' "$(winpath "$CASE_DIR/take1.wav")" >/dev/null || fail "no exit dialog"
  drive press "$(winpath "$CASE_DIR/take1.wav")" 1 >/dev/null
  expect_exit 0 30
}

# The first item of the play menu, highlighted as the menu opens from the
# keyboard: white text when enabled, grey when grayed.
play_item_has_white_text() {
  xdotool key alt+p
  drive wait '#32768' '*' >/dev/null || fail "no menu"
  local r; r=$(drive wrect '#32768' '*')
  set -- $r
  import -window root "$CASE_DIR/menu.png" 2>/dev/null
  # The first item's row: count pure white text pixels.
  local n; n=$(convert "$CASE_DIR/menu.png" -crop "$(($3 - $1 - 8))x14+$(($1 + 4))+$(($2 + 3))" -depth 8 txt:- |
    grep -c ' #FFFFFF ' || true)
  xdotool key Escape Escape
  [ "$n" -gt 10 ] && echo yes || echo no
}

case_overview_mono_grays_play_item() {
  "$VELKOR_WAVEGEN" "$CASE_DIR/mono.wav" --seconds 3 --bits 16 --channels 1
  open_main "$CASE_DIR/mono.wav"
  expect_eq "モノラル grayed" "$(play_item_has_white_text)" no
  cp "$CASE_DIR/menu.png" "$SHOTS/overview_mono_menu.png"
  click_client MainWndClass '雑音編集*' 100 250
  sleep 0.3
  xdotool key Down
  sleep 0.3
  expect_eq "still the left channel" "$(client_pixel MainWndClass '雑音編集*' 0 99)" "255,0,255"
  expect_eq "no right half" "$(client_pixel MainWndClass '雑音編集*' 5 227)" "0,0,0"
  quit_from_overview
  expect_exit 0 30
  "$VELKOR_WAVEGEN" "$CASE_DIR/stereo.wav" --seconds 3 --bits 16 --channels 2
  open_main "$CASE_DIR/stereo.wav"
  expect_eq "モノラル enabled for stereo" "$(play_item_has_white_text)" yes
  quit_from_overview
  expect_exit 0 30
}

case_overview_to_edit_window() {
  "$VELKOR_WAVEGEN" "$CASE_DIR/take1.wav" --seconds 3 --bits 16 --channels 2
  open_main "$CASE_DIR/take1.wav"
  click_client MainWndClass '雑音編集*' 10 250
  sleep 0.3
  xdotool key alt+e Return
  expect_eq "edit window" "$(drive wait EditWndClass '編集*')" "編集(F1)：右CH    PCM 2CH 16BIT 44100SAMPLE"
  drive gone MainWndClass '雑音編集*' >/dev/null || fail "main window still shown"
  shot edit_window
  drive close EditWndClass '編集*' >/dev/null
  drive wait '#32770' "$(winpath "$CASE_DIR/take1.wav")" >/dev/null || fail "no exit dialog"
  drive press "$(winpath "$CASE_DIR/take1.wav")" 1 >/dev/null
  expect_exit 0 30
}
