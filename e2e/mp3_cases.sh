# MP3 edit files: the conversion to a WAVE file on the desktop, its
# information box, its deletion by a later pick, Cancel and exit, and the
# refusals that leave nothing on the desktop.

DESKTOP="$E2E_HOME/Desktop"
# The desktop as the program names it.
WIN_DESKTOP="C:\\users\\$(id -un)\\Desktop"

own_program() {
  mkdir -p "$CASE_DIR/program"
  cp "$VELKOR_EXE" "$CASE_DIR/program/velkor.exe"
  VELKOR_EXE="$CASE_DIR/program/velkor.exe"
}

# The prefix's desktop, empty: each case owns it while it runs.
clear_desktop() {
  [ "$(readlink -f "$WINEPREFIX/drive_c/users/$(id -un)/Desktop")" = "$(readlink -f "$DESKTOP")" ] ||
    fail "the prefix's Desktop is not $DESKTOP: make the prefix again"
  rm -rf "${DESKTOP:?}"/* "$DESKTOP"/.[!.]* 2>/dev/null || true
}

desktop_files() { ls -A "$DESKTOP" | tr '\n' ' '; }

# A generator recording encoded without a LAME tag, as the tests of the decoder expect.
make_mp3() {  # path, seconds
  "$VELKOR_WAVEGEN" "$CASE_DIR/source.wav" --seconds "$2" --bits 16 --channels 2 --clicks 3
  lame --quiet -t -b 128 "$CASE_DIR/source.wav" "$1"
}

# Header fields and frame count of a converted file: "46 RIFF WAVE 18 1 2 44100 176400 4 16 0 data FRAMES".
wave_facts() {  # path
  python3 - "$1" <<'PY'
import struct, sys
b = open(sys.argv[1], 'rb').read()
riff, rsize, wave, fmt, fsize = struct.unpack('<4sI4s4sI', b[:20])
tag, ch, rate, avg, align, bits, cb = struct.unpack('<HHIIHHH', b[20:38])
data, dsize = struct.unpack('<4sI', b[38:46])
ok = rsize == len(b) - 8 and dsize == len(b) - 46
print(46 if ok else 'sizes-wrong', riff.decode(), wave.decode(), fsize, tag, ch, rate, avg, align, bits, cb,
      data.decode(), dsize // align)
PY
}

# Frames of lame's own decoding.
lame_frames() {  # mp3
  lame --quiet --decode "$1" "$CASE_DIR/lame.wav"
  python3 - "$CASE_DIR/lame.wav" <<'PY'
import struct, sys
b = open(sys.argv[1], 'rb').read()
i = 12
while i + 8 <= len(b):
    cid, size = struct.unpack('<4sI', b[i:i + 8])
    if cid == b'data':
        print(min(size, len(b) - i - 8) // 4)
        break
    i += 8 + size + (size & 1)
PY
}

# The samples of the converted file against lame's, shifted by the decoder's
# own delay (SHIFT frames, 529 unless said; FRAME_BYTES 4 unless said): the
# largest difference.
largest_difference() {  # converted, lame.wav
  python3 - "$1" "$2" <<'PY'
import array, os, sys
def samples(path):
    b = open(path, 'rb').read()
    i = b.find(b'data')
    a = array.array('h'); a.frombytes(b[i + 8:i + 8 + (len(b) - i - 8) // 2 * 2]); return a
ours, theirs = samples(sys.argv[1]), samples(sys.argv[2])
channels = int(os.environ.get('FRAME_BYTES', 4)) // 2
shift = int(os.environ.get('SHIFT', 529)) * channels
n = min(len(theirs), len(ours) - shift)
print(max(abs(ours[shift + k] - theirs[k]) for k in range(n)))
PY
}

# The time text of a 16-bit stereo 44.1 kHz image size, as the information box writes it.
time_text() {  # bytes
  local ms=$(($1 / 4 * 10 / 441))
  printf '%02d分%02d秒%03d' $((ms / 60000)) $((ms / 1000 % 60)) $((ms % 1000))
}

case_mp3_command_line_converts() {
  clear_desktop
  make_mp3 "$CASE_DIR/take1.mp3" 10
  start_velkor "$(winpath "$CASE_DIR/take1.mp3")"
  wait_text '#32770' "$DIALOG" 312 take1_NEW.wav 60
  expect_eq "desktop" "$(desktop_files)" "take1_NEW.wav "
  local converted="$DESKTOP/take1_NEW.wav" want
  want=$(($(lame_frames "$CASE_DIR/take1.mp3") + 529))
  set -- $(wave_facts "$converted")
  expect_eq "header" "$1 $2 $3 $4 $5 $6 $7 $8 $9 ${10} ${11} ${12}" "46 RIFF WAVE 18 1 2 44100 176400 4 16 0 data"
  local frames=${13}
  [ "$frames" -ge $((want - 3)) ] && [ "$frames" -le $((want + 3)) ] ||
    fail "frames: got $frames, want $want within 3"
  note "ok: frames $frames (lame's + 529: $want)"
  local diff; diff=$(largest_difference "$converted" "$CASE_DIR/lame.wav")
  [ "$diff" -le 3 ] || fail "samples differ from lame's by $diff"
  note "ok: samples within $diff of lame's"
  # The information box names the converted file and the MP3.
  local r; r=$(drive rect "$DIALOG" 312)
  set -- $r
  xdotool mousemove $((($1 + $3) / 2)) $((($2 + $4) / 2)) click 1
  local size mp3size caption
  size=$(stat -c %s "$converted")
  mp3size=$(stat -c %s "$CASE_DIR/take1.mp3")
  caption="サイズ $size バイト ($(time_text "$size"))"
  expect_eq "information" "$(drive msgbox)" \
    "$(printf 'caption\t%s\ntext\t%s\\n PCM 2CH 16BIT 44100SAMPLE\\n\\n参照mp3ファイル (サイズ %d byte)\\n%s\\n MP3 2CH 128Kbps 44100SAMPLE' \
      "$caption" "$WIN_DESKTOP\\take1_NEW.wav" "$mp3size" "$(winpath "$CASE_DIR/take1.mp3")")"
  shot mp3_information
  drive press "$caption" 1 >/dev/null
  # Cancel takes the converted file away.
  drive press "$DIALOG" 2 >/dev/null
  expect_exit 0 30
  expect_eq "desktop after Cancel" "$(desktop_files)" ""
}

case_mp3_refusals_and_cancel() {
  clear_desktop
  head -c 20000 /dev/urandom >"$CASE_DIR/noise.mp3"
  start_velkor "$(winpath "$CASE_DIR/noise.mp3")"
  expect_eq "random bytes" "$(drive msgbox)" "$(printf 'caption\tRIFF検出\ntext\tVelkorでは処理できないファイルです。')"
  drive press RIFF検出 1 >/dev/null
  expect_eq "desktop after random bytes" "$(desktop_files)" ""
  # Long enough to be cancelled while it converts: the same frames many times over.
  make_mp3 "$CASE_DIR/take1.mp3" 10
  local i
  for i in $(seq 120); do cat "$CASE_DIR/take1.mp3"; done >"$CASE_DIR/long.mp3"
  drive press "$DIALOG" 307 >/dev/null &
  choose_in_open_dialog "$CASE_DIR/long.mp3"
  drive wait '#32770' 形式変換中 >/dev/null || fail "no conversion progress"
  shot mp3_progress
  drive press 形式変換中 1 >/dev/null
  expect_eq "cancelled" "$(drive msgbox)" "$(printf 'caption\t%s\ntext\t変換に失敗しました。' "$(winpath "$CASE_DIR/long.mp3")")"
  expect_eq "desktop after cancel" "$(desktop_files)" ""
  drive press "$(winpath "$CASE_DIR/long.mp3")" 1 >/dev/null
  expect_eq "edit file" "$(drive text '#32770' "$DIALOG" 312)" ""
  drive press "$DIALOG" 2 >/dev/null
  expect_exit 0 30
}

case_mp3_second_pick_and_backup() {
  clear_desktop
  own_program
  make_mp3 "$CASE_DIR/take1.mp3" 4
  cp "$CASE_DIR/take1.mp3" "$CASE_DIR/take2.mp3"
  start_velkor "$(winpath "$CASE_DIR/take1.mp3")"
  wait_text '#32770' "$DIALOG" 312 take1_NEW.wav 60
  # The open dialog offers MP3 files while the edit file comes from one.
  drive press "$DIALOG" 307 >/dev/null &
  local title; title=$(drive filedialog) || fail "no open dialog"
  expect_eq "filter" "$(drive text '#32770' "$title" 1136)" "MP3 files(*.mp3)"
  drive settext "$title" 1148 "$(winpath "$CASE_DIR/take2.mp3")" >/dev/null
  drive press "$title" 1 >/dev/null
  wait_text '#32770' "$DIALOG" 312 take2_NEW.wav 60
  expect_eq "desktop after the second MP3" "$(desktop_files)" "take2_NEW.wav "
  # An MP3 is never converted for the backup role.
  drive press "$DIALOG" 308 >/dev/null &
  choose_in_open_dialog "$CASE_DIR/take1.mp3"
  expect_eq "MP3 as backup" "$(drive msgbox)" \
    "$(printf 'caption\tRIFF検出\ntext\tVelkorでは処理できないか、ここへ設定できないファイルです。')"
  drive press RIFF検出 1 >/dev/null
  expect_eq "backup" "$(drive text '#32770' "$DIALOG" 315)" "上と同じ"
  expect_eq "desktop after the backup" "$(desktop_files)" "take2_NEW.wav "
  # OK with a WAVE file as the edit file takes the converted file away.
  "$VELKOR_WAVEGEN" "$CASE_DIR/take3.wav" --seconds 2 --bits 16 --channels 2
  drive press "$DIALOG" 307 >/dev/null &
  choose_in_open_dialog "$CASE_DIR/take3.wav"
  confirm_file take3.wav
  wait_main
  expect_eq "desktop after OK with a WAVE file" "$(desktop_files)" ""
  quit_from_overview
  expect_exit 0 60
}

case_mp3_exit_without_edits() {
  clear_desktop
  own_program
  make_mp3 "$CASE_DIR/take1.mp3" 4
  start_velkor "$(winpath "$CASE_DIR/take1.mp3")"
  confirm_file take1_NEW.wav
  wait_main
  expect_eq "desktop while editing" "$(desktop_files)" "take1_NEW.wav "
  quit_from_overview
  expect_exit 0 60
  expect_eq "desktop after exit" "$(desktop_files)" ""
  expect_eq "beside the MP3" "$(ls "$CASE_DIR" | grep -v -e '^velkor.out$' -e '^program$' | tr '\n' ' ')" \
    "source.wav take1.mp3 "
}

# Audio frames of an MP3 (its Xing/Info frame left out) and the PCM frames
# each yields: "FRAMES 1152" or "FRAMES 576". Walks from the first header
# after an ID3v2 tag or a RIFF "data" header.
mp3_frames() {  # path
  python3 - "$1" <<'PY'
import struct, sys
b = open(sys.argv[1], 'rb').read()
i = 0
if b[:4] == b'RIFF':
    i = b.find(b'data') + 8
elif b[:3] == b'ID3':
    i = 10 + (b[6] << 21 | b[7] << 14 | b[8] << 7 | b[9])
rates = {3: (44100, 48000, 32000), 2: (22050, 24000, 16000), 0: (11025, 12000, 8000)}
kbps1 = (0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320)
kbps2 = (0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160)
frames = per = 0
while i + 4 <= len(b) and b[i] == 0xFF and b[i + 1] & 0xE0 == 0xE0:
    version, index = b[i + 1] >> 3 & 3, b[i + 2] >> 4
    rate, pad = rates[version][b[i + 2] >> 2 & 3], b[i + 2] >> 1 & 1
    per = 1152 if version == 3 else 576
    length = (144 if version == 3 else 72) * 1000 * (kbps1 if version == 3 else kbps2)[index] // rate + pad
    side = (32 if b[i + 3] >> 6 != 3 else 17) if version == 3 else (17 if b[i + 3] >> 6 != 3 else 9)
    if not (frames == 0 and b[i + 4 + side:i + 8 + side] in (b'Xing', b'Info')):
        frames += 1
    i += length
print(frames, per)
PY
}

# An MP3 inside a RIFF WAVE file: "fmt " of tag 0x55 (30 bytes) and the frames as "data".
riff_wrap() {  # mp3, out, channels, rate, kbps
  python3 - "$@" <<'PY'
import struct, sys
mp3, out, ch, rate, kbps = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4]), int(sys.argv[5])
data = open(mp3, 'rb').read()
fmt = struct.pack('<HHIIHHHHIHHH', 0x55, ch, rate, kbps * 125, 1, 0, 12, 1, 2, 144 * kbps * 1000 // rate, 1, 1393)
body = b'WAVE' + b'fmt ' + struct.pack('<I', len(fmt)) + fmt + b'data' + struct.pack('<I', len(data)) + data
open(out, 'wb').write(b'RIFF' + struct.pack('<I', len(body)) + body + b'\0' * (len(data) & 1))
PY
}

# Each form of MP3 the decoder takes: its converted file's header and length,
# its samples against lame's own decoding, and the information box.
# form | source channels rate | lame options | header fields | decoder shift | kind, kbit/s (* when variable)
MP3_FORMS='
vbr_xing|2 44100|-V 2|2 44100 176400 4 16|1105|MP3 *
id3v2_v1|2 44100|-t -b 128 --add-id3v2 --tt Take1 --ta Velkor|2 44100 176400 4 16|529|MP3 128
mono_22k|1 22050|-t -b 64 -m m|1 22050 44100 2 16|529|MP3 64
riff_wrapped|2 44100|-t -b 128|2 44100 176400 4 16|529|RIFF/WAVE MP3 128
'

case_mp3_forms() {
  clear_desktop
  local form source options header shift kind kbps ch rate
  while IFS='|' read -r form source options header shift kind; do
    [ -n "$form" ] || continue
    note "form $form"
    set -- $source
    ch=$1 rate=$2
    "$VELKOR_WAVEGEN" "$CASE_DIR/source.wav" --seconds 6 --bits 16 --channels "$ch" --rate "$rate" --clicks 3
    local mp3="$CASE_DIR/$form.mp3"
    # shellcheck disable=SC2086
    lame --quiet $options "$CASE_DIR/source.wav" "$mp3"
    lame --quiet --decode "$mp3" "$CASE_DIR/lame.wav"
    if [ "$form" = riff_wrapped ]; then
      mv "$mp3" "$CASE_DIR/plain.mp3"
      riff_wrap "$CASE_DIR/plain.mp3" "$mp3" "$ch" "$rate" 128
    fi
    start_velkor "$(winpath "$mp3")"
    local name; name="$(basename "$mp3" .mp3)_NEW.wav"
    wait_text '#32770' "$DIALOG" 312 "$name" 60
    local converted="$DESKTOP/$name"
    set -- $(wave_facts "$converted")
    expect_eq "$form header" "$1 $5 $6 $7 $8 $9 ${10}" "46 1 $header"
    local frames=${13} audio per
    read -r audio per < <(mp3_frames "$mp3")
    expect_eq "$form frames" "$frames" "$((audio * per))"
    local diff; diff=$(FRAME_BYTES=$((ch * 2)) SHIFT=$shift largest_difference "$converted" "$CASE_DIR/lame.wav")
    [ "$diff" -le 3 ] || fail "$form: samples differ from lame's by $diff"
    note "ok: $form samples within $diff of lame's"
    local r; r=$(drive rect "$DIALOG" 312)
    set -- $r
    xdotool mousemove $((($1 + $3) / 2)) $((($2 + $4) / 2)) click 1
    local box want_kbps="${kind##* }" text
    box=$(drive msgbox)
    text=$(printf '%s' "$box" | sed -n 's/^text\t//p')
    local tail_line="${text##*\\n }"
    [ "$want_kbps" = '*' ] && tail_line=$(printf '%s' "$tail_line" | sed 's/ [0-9]*Kbps / *Kbps /')
    expect_eq "$form information" "$tail_line" "${kind% *} ${ch}CH ${want_kbps}Kbps ${rate}SAMPLE"
    drive press "$(printf '%s' "$box" | sed -n 's/^caption\t//p')" 1 >/dev/null
    drive press "$DIALOG" 2 >/dev/null
    expect_exit 0 30
    expect_eq "$form desktop after Cancel" "$(desktop_files)" ""
  done <<<"$MP3_FORMS"
}
