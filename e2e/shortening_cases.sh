# The shortening operation: the automatic dialog's batch watched through its
# title, kept at the close question, and judged by the bytes a save writes.
source "$(dirname "${BASH_SOURCE[0]}")/bar_cases.sh"  # the bar's helpers and the edit window's

AUTOMATIC_KEEP='データを保存して自動操作を終了しますか。'

# A generated 16-bit stereo recording with clicks, page 2, band editing on
# the high band f7: one batch of 41 steps, kept; only the selected (left)
# channel differs in the saved file.
case_shortening_automatic_batch_kept() {
  own_program
  "$VELKOR_WAVEGEN" "$CASE_DIR/take1.wav" --bits 16 --channels 2 --seconds 12 --clicks 6 >/dev/null
  cp "$CASE_DIR/take1.wav" "$CASE_DIR/loaded.wav"
  open_edit "$CASE_DIR/take1.wav"
  to_page 2
  drive command EditWndClass 7012 >/dev/null
  wait_label 119 "f7"
  click_button 103 1031
  wait_bitmap 103 1031 3
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
