# Loading a file: the title of a loaded file, the repair report, a refused
# file, cancelling a long load and a long check of a header. A file named on
# the command line is set in the file selection dialog; the user confirms it
# with OK.

# A stereo 16-bit file whose header claims `claimed` data bytes; the file
# is sparse, so a long recording costs no disk.
sparse_wave() {  # path, claimed data bytes, real data bytes
  python3 - "$1" "$2" "$3" <<'PY'
import struct, sys
path, claimed, real = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
hdr = b'RIFF' + struct.pack('<I', (36 + claimed) & 0xFFFFFFFF) + b'WAVEfmt ' + struct.pack('<IHHIIHH', 16, 1, 2, 44100, 176400, 4, 16) + b'data' + struct.pack('<I', claimed)
with open(path, 'wb') as f:
    f.write(hdr)
    f.truncate(44 + real)
PY
}

case_load_valid() {
  "$VELKOR_WAVEGEN" "$CASE_DIR/take1.wav" --seconds 20 --bits 24 --channels 2
  start_velkor "$(winpath "$CASE_DIR/take1.wav")"
  confirm_file take1.wav
  expect_eq "main window title" "$(drive wait MainWndClass '雑音編集*')" "雑音編集　take1.wav"
  shot load_valid
  quit_from_overview
  expect_exit 0 30
}

case_load_repair_report() {
  "$VELKOR_WAVEGEN" "$CASE_DIR/damaged take.wav" --frames 1000 --bits 16 --channels 2
  truncate -s 3044 "$CASE_DIR/damaged take.wav"  # the data chunk now runs 1000 bytes past the end
  local win; win=$(winpath "$CASE_DIR/damaged take.wav")
  start_velkor "$win"
  local box; box=$(drive msgbox)
  shot repair_report
  local text='このウェーブファイルは破損しているので保存時は下記のように修正します。\n\n　　　　　　　　　　　　　元のデータ　修正後のデータ　( 増減 )\n1: RIFFチャンクサイズ 4036　3036　( -1000 )\n2: 音声データサイズ   4000　3000　( -1000 )\n3: ファイルサイズ       3044　3044　( 0 )'
  expect_eq "repair report" "$box" "$(printf 'caption\t%s\ntext\t%s' "$win" "$text")"
  drive press "$win" 1 >/dev/null
  confirm_file "damaged take.wav"
  expect_eq "title after the report" "$(drive wait MainWndClass '雑音編集*')" "雑音編集　damaged take.wav"
  quit_from_overview
  expect_exit 0 30
  expect_eq "file untouched on disk" "$(stat -c %s "$CASE_DIR/damaged take.wav")" 3044
}

case_load_not_wave() {
  printf 'This is not a recording.%.0s' $(seq 200) >"$CASE_DIR/notes.wav"
  start_velkor "$(winpath "$CASE_DIR/notes.wav")"
  expect_eq "refusal" "$(drive msgbox)" "$(printf 'caption\tRIFF検出\ntext\tVelkorでは処理できないファイルです。')"
  drive press RIFF検出 1 >/dev/null
  expect_eq "nothing set" "$(drive text '#32770' 'Ｖｅｌｋｏｒ' 312)" ""
  drive press 'Ｖｅｌｋｏｒ' 2 >/dev/null
  expect_exit 0 30
}

# The driver waits for the progress dialog and presses its cancel button.
cancel_load() {
  sparse_wave "$CASE_DIR/long.wav" 1600000000 1600000000
  drive wait '#32770' 'ファイル読込中' 60000 >"$CASE_DIR/progress.out" &
  local waiter=$!
  start_velkor "$(winpath "$CASE_DIR/long.wav")"
  confirm_file long.wav
  wait "$waiter" || fail "no progress dialog"
  expect_eq "cancel enabled" "$(drive enabled 'ファイル読込中' 1)" 1
  drive press 'ファイル読込中' 1 >/dev/null
  expect_eq "cancel question" "$(drive msgbox)" \
    "$(printf 'caption\t確認\ntext\t中止ボタンが押されました、Velkorを終了します。')"
  shot "progress_cancel_question"
}

case_load_cancel_yes() {
  cancel_load
  drive press 確認 6 >/dev/null
  expect_exit 0 60
}

case_load_cancel_no() {
  cancel_load
  drive press 確認 7 >/dev/null
  expect_eq "loads on after No" "$(drive wait MainWndClass '雑音編集*' 120000)" "雑音編集　long.wav"
  quit_from_overview
  expect_exit 0 60
}

# A header whose "fmt " and "data" chunks are `gap` zero bytes (empty chunks)
# apart; the gap is a hole in a sparse file.
empty_chunks_wave() {  # path, gap bytes
  python3 - "$1" "$2" <<'PY'
import struct, sys
path, gap = sys.argv[1], int(sys.argv[2])
fmt = b'fmt ' + struct.pack('<IHHIIHH', 16, 1, 2, 44100, 176400, 4, 16)
data = b'data' + struct.pack('<I', 4000) + bytes(4000)
with open(path, 'wb') as f:
    f.write(b'RIFF' + struct.pack('<I', 4 + len(fmt) + gap + len(data)) + b'WAVE' + fmt)
    f.seek(gap, 1)
    f.write(data)
PY
}

# Checking 4000 MB of empty chunks shows the progress of reading the file over
# the dialog; its cancel refuses the file and keeps the one chosen before.
case_load_long_header_cancel() {
  empty_chunks_wave "$CASE_DIR/long.wav" $((4000 << 20))
  "$VELKOR_WAVEGEN" "$CASE_DIR/take1.wav" --seconds 2 --bits 16 --channels 2
  start_velkor "$(winpath "$CASE_DIR/take1.wav")"
  wait_text '#32770' "$DIALOG" 312 take1.wav
  drive press "$DIALOG" 307 >/dev/null &
  choose_in_open_dialog "$CASE_DIR/long.wav"
  drive wait '#32770' 'ファイル読込中' 60000 >/dev/null || fail "no progress dialog"
  shot header_check_progress
  expect_eq "cancel enabled" "$(drive enabled 'ファイル読込中' 1)" 1
  drive press 'ファイル読込中' 1 >/dev/null
  expect_eq "refusal" "$(drive msgbox)" "$(printf 'caption\tチャンク検出\ntext\tファイルの検査を中止しました。')"
  expect_eq "progress gone" "$(drive count '#32770' 'ファイル読込中')" 0
  drive press チャンク検出 1 >/dev/null
  confirm_file take1.wav
  expect_eq "title" "$(drive wait MainWndClass '雑音編集*')" "雑音編集　take1.wav"
  quit_from_overview
  expect_exit 0 30
}
