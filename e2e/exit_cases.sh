# The end of a session: the exit dialog and its settings, the change check
# and the save question, saving beside and over the original, a failed save,
# the resume of the last view on the next start, the version box and help.
#
# Each case runs its own copy of velkor.exe, so that Velkor.ini (beside the
# program) starts missing and belongs to the case alone. An edit is made by
# changing the edit file on disk after it was loaded: the change check then
# finds that byte, and the image the save must write is the file as loaded.

NO_HINT='「いいえ」を選択すると保存しないで終了します。'

own_program() {
  mkdir -p "$CASE_DIR/program"
  cp "$VELKOR_EXE" "$CASE_DIR/program/velkor.exe"
  VELKOR_EXE="$CASE_DIR/program/velkor.exe"
  INI="$CASE_DIR/program/Velkor.ini"
}

# Starts Velkor on a file and presses OK in the file selection dialog.
start_on() {  # path
  start_velkor "$(winpath "$1")"
  drive wait '#32770' "$DIALOG" >/dev/null || fail "no file selection dialog"
  drive press "$DIALOG" 1 >/dev/null || fail "OK of the file selection dialog not pressed"
}


# A value of Velkor.ini, as the profile functions wrote it.
ini_value() {  # section, key
  tr -d '\r' <"$INI" | awk -v s="[$1]" -v k="$2" '$0 == s {in_s = 1; next} /^\[/ {in_s = 0} in_s && index($0, k "=") == 1 {print substr($0, length(k) + 2)}'
}

# Flips one byte of the file on disk: the image in memory now differs there.
change_on_disk() {  # path, offset
  python3 - "$1" "$2" <<'PY'
import sys
with open(sys.argv[1], 'r+b') as f:
    f.seek(int(sys.argv[2])); b = f.read(1); f.seek(int(sys.argv[2])); f.write(bytes([b[0] ^ 0xFF]))
PY
}

# The exit dialog: its title is the edit file's full name.
expect_exit_dialog() {  # edit file path
  local title; title=$(winpath "$1")
  drive wait '#32770' "$title" >/dev/null || fail "no exit dialog titled $title"
  expect_eq "exit question" "$(drive text '#32770' "$title" -1)" "Velkorを終了しますか"
}

close_and_expect_exit_dialog() {  # edit file path
  drive close MainWndClass '雑音編集*' >/dev/null
  expect_exit_dialog "$1"
}

expect_question() {  # text (a line break as \n), caption
  expect_eq "message box" "$(drive msgbox)" "$(printf 'caption\t%s\ntext\t%s' "$2" "$1")"
}

press_box() {  # button id: the message box on screen
  local caption; caption=$(drive msgbox | sed -n 's/^caption\t//p')
  drive press "$caption" "$1" >/dev/null
}

case_exit_without_edits() {
  own_program
  "$VELKOR_WAVEGEN" "$CASE_DIR/take1.wav" --seconds 4 --bits 16 --channels 2
  cp "$CASE_DIR/take1.wav" "$CASE_DIR/loaded.wav"
  start_on "$CASE_DIR/take1.wav"
  wait_main
  close_and_expect_exit_dialog "$CASE_DIR/take1.wav"
  local title; title=$(winpath "$CASE_DIR/take1.wav")
  expect_eq "check box 348" "$(drive checked "$title" 348)" 1
  expect_eq "check box 349" "$(drive checked "$title" 349)" 1
  shot exit_dialog
  drive press "$title" 1 >/dev/null
  expect_exit 0 60  # nothing more is asked
  cmp "$CASE_DIR/take1.wav" "$CASE_DIR/loaded.wav" || fail "edit file changed"
  expect_eq "files beside the recording" "$(ls "$CASE_DIR" | grep -v '^velkor.out$' | tr '\n' ' ')" "loaded.wav program take1.wav "
  expect_eq "msg2" "$(ini_value CANCELMSG msg2)" 1
  expect_eq "msg3" "$(ini_value CANCELMSG msg3)" 1
  expect_eq "no stamp" "$(ini_value BEFORDATE wTime)" ""
}

# Saves an edited take1.wav to take1_N.wav; leaves the loaded bytes in loaded.wav.
save_beside() {
  "$VELKOR_WAVEGEN" "$CASE_DIR/take1.wav" --seconds 4 --bits 16 --channels 2
  cp "$CASE_DIR/take1.wav" "$CASE_DIR/loaded.wav"
  start_on "$CASE_DIR/take1.wav"
  wait_main
  change_on_disk "$CASE_DIR/take1.wav" $((44 + 4 * 44100 * 2 + 4 * 441 * 25))  # 2.25 s in
  close_and_expect_exit_dialog "$CASE_DIR/take1.wav"
  drive press "$(winpath "$CASE_DIR/take1.wav")" 1 >/dev/null
  expect_question "データは 00分02秒250 以降で変更されています、保存しますか。\\n\\n$NO_HINT" 保存場所の選択
  # Wine's own buttons speak the user's language: the 「いいえ」 of the text is a button.
  local buttons=$'はい(&Y)\tいいえ(&N)'
  [ "$E2E_LANG" = C.UTF-8 ] && buttons=$'&Yes\t&No'
  expect_eq "buttons" "$(drive buttons)" "$buttons"
  shot save_question
  press_box 6
  drive wait '#32770' 'ファイルを保存' >/dev/null || fail "no save-as dialog"
  expect_eq "proposed name" "$(drive text '#32770' 'ファイルを保存' 1148)" "take1_N.wav"
  shot save_as_dialog
  drive press 'ファイルを保存' 1 >/dev/null
  expect_question "$(winpath "$CASE_DIR/take1_N.wav") に書込みました。" ファイル書込み
  press_box 1
  expect_exit 0 60
  cmp "$CASE_DIR/take1_N.wav" "$CASE_DIR/loaded.wav" || fail "saved file differs from the image"
}

case_exit_after_edit_saves_beside() {
  own_program
  save_beside
  expect_eq "no temporary file" "$(ls "$CASE_DIR" | grep -c tmp)" 0
  expect_eq "SS" "$(ini_value BEFORDATE SS)" 640
  expect_eq "CH" "$(ini_value BEFORDATE CH)" 0
  expect_eq "DP" "$(ini_value BEFORDATE DP)" 0
  expect_eq "SP" "$(ini_value BEFORDATE SP)" "00000000000000000000000000000000000000000000000000"
  [ -n "$(ini_value BEFORDATE wTime)" ] || fail "no stamp"
}

case_resume_after_restart() {
  own_program
  save_beside
  # Unchanged since the save: the last view is offered.
  start_on "$CASE_DIR/take1_N.wav"
  expect_question "前回最後の画面を表示しますか。" 継続編集
  shot resume_question
  press_box 6
  wait_main
  close_and_expect_exit_dialog "$CASE_DIR/take1_N.wav"
  drive press "$(winpath "$CASE_DIR/take1_N.wav")" 1 >/dev/null
  expect_exit 0 60
  # A run without saving keeps the offer.
  start_on "$CASE_DIR/take1_N.wav"
  expect_question "前回最後の画面を表示しますか。" 継続編集
  press_box 7
  wait_main
  close_and_expect_exit_dialog "$CASE_DIR/take1_N.wav"
  drive press "$(winpath "$CASE_DIR/take1_N.wav")" 1 >/dev/null
  expect_exit 0 60
  # Changed since: no question.
  change_on_disk "$CASE_DIR/take1_N.wav" 100
  start_on "$CASE_DIR/take1_N.wav"
  wait_main
  expect_eq "no resume question" "$(drive count '#32770' 継続編集)" 0
  close_and_expect_exit_dialog "$CASE_DIR/take1_N.wav"
  drive press "$(winpath "$CASE_DIR/take1_N.wav")" 1 >/dev/null
  expect_exit 0 60
}

# What killed saves left beside the target (the numbered names of earlier
# versions and the one name used now) is gone after the next save; a file
# only named alike stays.
case_save_removes_leftovers() {
  own_program
  local tail
  for tail in .velkor0.tmp .velkor1.tmp .velkor.tmp; do printf 'RIFF\0\0\0\0WAVE' >"$CASE_DIR/take1_N.wav$tail"; done
  printf 'not ours' >"$CASE_DIR/take1_N.wav.velkor01.tmp"
  save_beside
  expect_eq "files beside the recording" "$(ls "$CASE_DIR" | grep -v '^velkor.out$' | tr '\n' ' ')" \
    "loaded.wav program take1.wav take1_N.wav take1_N.wav.velkor01.tmp "
  expect_eq "the look-alike untouched" "$(cat "$CASE_DIR/take1_N.wav.velkor01.tmp")" "not ours"
}

# With check box 349 cleared the proposal is the edit file itself.
save_over_original_until_question() {
  "$VELKOR_WAVEGEN" "$CASE_DIR/take1.wav" --seconds 4 --bits 16 --channels 1
  cp "$CASE_DIR/take1.wav" "$CASE_DIR/loaded.wav"
  start_on "$CASE_DIR/take1.wav"
  wait_main
  change_on_disk "$CASE_DIR/take1.wav" 44
  local title; title=$(winpath "$CASE_DIR/take1.wav")
  close_and_expect_exit_dialog "$CASE_DIR/take1.wav"
  drive press "$title" 349 >/dev/null
  expect_eq "check box 349 cleared" "$(drive checked "$title" 349)" 0
  drive press "$title" 1 >/dev/null
  expect_question "データは 00分00秒000 以降で変更されています、保存しますか。\\n\\n$NO_HINT" 保存場所の選択
  press_box 6
  drive wait '#32770' 'ファイルを保存' >/dev/null || fail "no save-as dialog"
  expect_eq "proposed name" "$(drive text '#32770' 'ファイルを保存' 1148)" "take1.wav"
  drive press 'ファイルを保存' 1 >/dev/null
  shot overwrite_prompt
  press_box 6  # the dialog's own overwrite prompt
}

case_save_over_original() {
  own_program
  save_over_original_until_question
  expect_question "$(winpath "$CASE_DIR/take1.wav") に書込みました。" ファイル書込み
  press_box 1
  expect_exit 0 60
  cmp "$CASE_DIR/take1.wav" "$CASE_DIR/loaded.wav" || fail "saved file differs from the image"
  expect_eq "msg3" "$(ini_value CANCELMSG msg3)" 0
  expect_eq "no temporary file" "$(ls "$CASE_DIR" | grep -c tmp)" 0
}

# A target that cannot be replaced (another program holds it open): the
# write fails, the file there keeps every byte, no temporary file stays, and
# the question comes back, so the edits can be saved elsewhere. (A read-only
# folder would not stop a test run as root; a held file stops anyone.)
case_save_failure_asks_again() {
  own_program
  "$VELKOR_WAVEGEN" "$CASE_DIR/take1.wav" --seconds 4 --bits 16 --channels 1
  cp "$CASE_DIR/take1.wav" "$CASE_DIR/loaded.wav"
  "$VELKOR_WAVEGEN" "$CASE_DIR/take1_N.wav" --seconds 2 --bits 16 --channels 1  # an earlier save
  cp "$CASE_DIR/take1_N.wav" "$CASE_DIR/earlier.wav"
  start_on "$CASE_DIR/take1.wav"
  wait_main
  change_on_disk "$CASE_DIR/take1.wav" 44
  drive hold "$(winpath "$CASE_DIR/take1_N.wav")" 120000 >"$CASE_DIR/hold.out" &
  for _ in $(seq 100); do grep -q held "$CASE_DIR/hold.out" 2>/dev/null && break; sleep 0.1; done
  grep -q held "$CASE_DIR/hold.out" || fail "the target could not be held open"
  close_and_expect_exit_dialog "$CASE_DIR/take1.wav"
  drive press "$(winpath "$CASE_DIR/take1.wav")" 1 >/dev/null
  local question="データは 00分00秒000 以降で変更されています、保存しますか。\\n\\n$NO_HINT"
  expect_question "$question" 保存場所の選択
  press_box 6
  drive wait '#32770' 'ファイルを保存' >/dev/null || fail "no save-as dialog"
  drive press 'ファイルを保存' 1 >/dev/null
  press_box 6  # the dialog's own overwrite prompt
  expect_question "$(winpath "$CASE_DIR/take1_N.wav") の書込みに失敗しました。" ファイル書込み
  shot save_failed
  press_box 1
  expect_question "$question" 保存場所の選択
  press_box 6
  drive wait '#32770' 'ファイルを保存' >/dev/null || fail "no save-as dialog"
  expect_eq "the failed name proposed again" "$(drive text '#32770' 'ファイルを保存' 1148)" "take1_N.wav"
  drive settext 'ファイルを保存' 1148 "$(winpath "$CASE_DIR/take1_fixed.wav")" >/dev/null
  drive press 'ファイルを保存' 1 >/dev/null
  expect_question "$(winpath "$CASE_DIR/take1_fixed.wav") に書込みました。" ファイル書込み
  press_box 1
  expect_exit 0 60
  cmp "$CASE_DIR/take1_N.wav" "$CASE_DIR/earlier.wav" || fail "the held target was touched"
  cmp "$CASE_DIR/take1_fixed.wav" "$CASE_DIR/loaded.wav" || fail "saved file differs from the image"
  expect_eq "no temporary file" "$(ls "$CASE_DIR" | grep -c tmp)" 0
}

case_exit_settings_persist() {
  own_program
  "$VELKOR_WAVEGEN" "$CASE_DIR/take1.wav" --seconds 4 --bits 16 --channels 2
  local title; title=$(winpath "$CASE_DIR/take1.wav")
  start_on "$CASE_DIR/take1.wav"
  wait_main
  close_and_expect_exit_dialog "$CASE_DIR/take1.wav"
  drive press "$title" 348 >/dev/null
  drive press "$title" 349 >/dev/null
  drive press "$title" 2 >/dev/null  # stay: the changes stand all the same
  wait_main
  close_and_expect_exit_dialog "$CASE_DIR/take1.wav"
  expect_eq "348 kept" "$(drive checked "$title" 348)" 0
  expect_eq "349 kept" "$(drive checked "$title" 349)" 0
  drive press "$title" 1 >/dev/null
  # Without the change check the question always comes, in its plain wording.
  expect_question "データを保存しますか。\\n\\n$NO_HINT" 保存場所の選択
  press_box 7
  expect_exit 0 60
  expect_eq "msg2" "$(ini_value CANCELMSG msg2)" 0
  expect_eq "msg3" "$(ini_value CANCELMSG msg3)" 0
  start_on "$CASE_DIR/take1.wav"
  wait_main
  close_and_expect_exit_dialog "$CASE_DIR/take1.wav"
  expect_eq "348 on the next start" "$(drive checked "$title" 348)" 0
  expect_eq "349 on the next start" "$(drive checked "$title" 349)" 0
  drive press "$title" 1 >/dev/null
  press_box 7
  expect_exit 0 60
}

# The version box and a missing help file, from the edit window's help menu.
case_version_and_help() {
  own_program
  "$VELKOR_WAVEGEN" "$CASE_DIR/take1.wav" --seconds 4 --bits 16 --channels 2
  start_on "$CASE_DIR/take1.wav"
  wait_main
  drive command MainWndClass 6010 >/dev/null
  drive wait EditWndClass '*' >/dev/null || fail "no edit window"
  drive command EditWndClass 7051 >/dev/null
  expect_question "Velkor version 2.10" バージョン情報
  shot version_box
  press_box 1
  drive command EditWndClass 7050 >/dev/null
  expect_question "ファイルが開けません" "Ｖｅｌｋｏｒ　ヘルプ"
  press_box 1
  drive close EditWndClass '*' >/dev/null
  expect_exit_dialog "$CASE_DIR/take1.wav"
  drive press "$(winpath "$CASE_DIR/take1.wav")" 1 >/dev/null
  expect_exit 0 60
}

# The help viewer: found by its title, brought forward instead of opened
# twice, and closed with the program.
case_help_viewer_by_title() {
  local chm; chm="$(dirname "$VELKOR_EXE")/Velkor.chm"
  own_program
  cp "$chm" "$CASE_DIR/program/" || fail "no Velkor.chm beside velkor.exe"
  local help='Ｖｅｌｋｏｒ　ヘルプ'
  "$VELKOR_WAVEGEN" "$CASE_DIR/take1.wav" --seconds 4 --bits 16 --channels 2
  start_on "$CASE_DIR/take1.wav"
  wait_main
  drive command MainWndClass 6010 >/dev/null
  drive wait EditWndClass '*' >/dev/null || fail "no edit window"
  drive command EditWndClass 7050 >/dev/null
  drive wait 'HH Parent' "$help" 30000 >/dev/null || fail "no help viewer titled $help"
  sleep 1
  shot help_viewer
  drive foreground 15000 >"$CASE_DIR/front.out" &
  for _ in $(seq 100); do grep -q active "$CASE_DIR/front.out" 2>/dev/null && break; sleep 0.1; done
  grep -q active "$CASE_DIR/front.out" || fail "another window could not come in front"
  drive command EditWndClass 7050 >/dev/null
  wait_for "window in front" "$help" 20 drive front
  # Still there: the viewer came forward over it, not after it had gone.
  expect_eq "the other program" "$(drive count VelkorDriverForeground '*')" 1
  expect_eq "viewers" "$(drive count 'HH Parent' '*')" 1
  drive close EditWndClass '*' >/dev/null
  expect_exit_dialog "$CASE_DIR/take1.wav"
  drive press "$(winpath "$CASE_DIR/take1.wav")" 1 >/dev/null
  expect_exit 0 60
  drive gone 'HH Parent' '*' 10000 >/dev/null || fail "the help viewer outlived the program"
}

# A recording large enough that the save's progress dialog stays up for a while
# (sparse: silence costs no disk until it is saved).
big_recording() {  # path
  python3 - "$1" <<'PY'
import struct, sys
n = 800 * 1024 * 1024
hdr = b'RIFF' + struct.pack('<I', 36 + n) + b'WAVEfmt ' + struct.pack('<IHHIIHH', 16, 1, 2, 44100, 176400, 4, 16) + b'data' + struct.pack('<I', n)
with open(sys.argv[1], 'wb') as f:
    f.write(hdr)
    f.truncate(44 + n)
PY
}

# Through the question and the save-as dialog to the running save.
save_big_until_progress() {  # title the progress dialog must have
  start_on "$CASE_DIR/big.wav"
  wait_main
  change_on_disk "$CASE_DIR/big.wav" 1000
  close_and_expect_exit_dialog "$CASE_DIR/big.wav"
  drive press "$(winpath "$CASE_DIR/big.wav")" 1 >/dev/null
  press_box 6
  drive wait '#32770' 'ファイルを保存' >/dev/null || fail "no save-as dialog"
  drive wait '#32770' "$1" 60000 >"$CASE_DIR/progress.out" &
  local waiter=$!
  drive press 'ファイルを保存' 1 >/dev/null
  [ -e "$CASE_DIR/big_N.wav" ] && press_box 6  # overwrite prompt
  wait "$waiter" || fail "no progress dialog titled $1"
}

case_save_cancel_leaves_nothing() {
  own_program
  big_recording "$CASE_DIR/big.wav"
  save_big_until_progress 'ファイル書込中'
  expect_eq "cancel enabled for a new file" "$(drive enabled 'ファイル書込中' 1)" 1
  shot save_progress
  drive press 'ファイル書込中' 1 >/dev/null
  expect_question "中止ボタンが押されました、データを保存しないで終了します。" 確認
  press_box 6
  expect_question "$(winpath "$CASE_DIR/big_N.wav") の書込みに失敗しました。" ファイル書込み
  press_box 1
  expect_exit 0 60  # a cancel is the user's choice: no question again
  expect_eq "nothing written" "$(ls "$CASE_DIR" | grep -c -e big_N -e tmp)" 0
  rm -f "$CASE_DIR/big.wav"
}

case_save_overwrite_not_cancellable() {
  own_program
  big_recording "$CASE_DIR/big.wav"
  printf 'an earlier file' >"$CASE_DIR/big_N.wav"
  save_big_until_progress 'ファイル書込中　上書き時は中止できません'
  expect_eq "cancel disabled for an overwrite" "$(drive enabled 'ファイル書込中　上書き時は中止できません' 1)" 0
  expect_question "$(winpath "$CASE_DIR/big_N.wav") に書込みました。" ファイル書込み
  press_box 1
  expect_exit 0 60
  expect_eq "saved size" "$(stat -c %s "$CASE_DIR/big_N.wav")" $((44 + 800 * 1024 * 1024))
  rm -f "$CASE_DIR/big.wav" "$CASE_DIR/big_N.wav"
}

# Yes brings back the width the file was saved at: the main window is 320
# columns wider at 960 than at the 640 of a fresh start.
case_resume_restores_width() {
  own_program
  "$VELKOR_WAVEGEN" "$CASE_DIR/take1.wav" --seconds 4 --bits 16 --channels 2
  start_on "$CASE_DIR/take1.wav"
  wait_main
  local fresh; fresh=$(main_width)
  drive command MainWndClass 6017 >/dev/null  # 960 columns
  wait_for "main window width" $((fresh + 320)) 50 main_width
  change_on_disk "$CASE_DIR/take1.wav" 44
  close_and_expect_exit_dialog "$CASE_DIR/take1.wav"
  drive press "$(winpath "$CASE_DIR/take1.wav")" 1 >/dev/null
  press_box 6
  drive wait '#32770' 'ファイルを保存' >/dev/null || fail "no save-as dialog"
  drive press 'ファイルを保存' 1 >/dev/null
  press_box 1
  expect_exit 0 60
  expect_eq "SS" "$(ini_value BEFORDATE SS)" 960
  start_on "$CASE_DIR/take1_N.wav"
  expect_question "前回最後の画面を表示しますか。" 継続編集
  press_box 6
  wait_main
  expect_eq "width after the resume" "$(drive size MainWndClass '雑音編集*' | cut -d' ' -f1)" $((fresh + 320))
  close_and_expect_exit_dialog "$CASE_DIR/take1_N.wav"
  drive press "$(winpath "$CASE_DIR/take1_N.wav")" 1 >/dev/null
  expect_exit 0 60
}
