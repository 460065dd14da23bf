# Playback: the bytes the sound device receives, captured by ALSA's file
# plugin over its null device (Wine's wave output goes through ALSA); the
# playback dialog, its position line and the ways to stop it.
#
# Each case writes its own ALSA configuration before Velkor starts. Every
# stream the device opens lands in a file of its own: captured.raw, then
# captured.raw.0001 and so on. The null device keeps no real time, so the
# cases assert order and place, never durations.
#
# Wine pads a stream with silence before and after (0x00, or 0x80 for 8 bits).
# A capture matches when it is the expected bytes with nothing but that
# silence around them.
source "$(dirname "${BASH_SOURCE[0]}")/edit_cases.sh"  # make_wave, open_edit, to_page, drag, click_button

PLAYING='***** 　演奏中　 *****'
PLAY_DIALOG='***** *'  # also "***** 演奏準備中 *****", the title before the device opens

capture_sound() {
  printf 'pcm.!default {\n  type file\n  slave.pcm { type null }\n  file "%s"\n  format "raw"\n  truncate false\n}\n' \
    "$CASE_DIR/captured.raw" >"$CASE_DIR/alsa.conf"
  export ALSA_CONFIG_PATH="$CASE_DIR/alsa.conf"
}

# A default device that cannot be opened.
no_sound_device() {
  printf 'pcm.!default {\n  type hw\n  card 7\n}\n' >"$CASE_DIR/alsa.conf"
  export ALSA_CONFIG_PATH="$CASE_DIR/alsa.conf"
}

stream_file() {  # n, from 1
  if [ "$1" = 1 ]; then echo "$CASE_DIR/captured.raw"; else printf '%s.%04d\n' "$CASE_DIR/captured.raw" $(($1 - 1)); fi
}
stream_count() { find "$CASE_DIR" -maxdepth 1 -name 'captured.raw*' | wc -l; }

play_dialogs() { drive count '#32770' "$PLAY_DIALOG"; }
wait_playing() { drive wait '#32770' "$PLAYING" >/dev/null || fail "no playback"; }
wait_stopped() { drive gone '#32770' "$PLAY_DIALOG" 5000 >/dev/null || fail "the playback did not stop"; }

# Waits for stream n to be written whole: the dialog gone, the file still.
wait_stream() {  # n
  local file; file=$(stream_file "$1")
  local i
  for i in $(seq 300); do [ -s "$file" ] && break; sleep 0.1; done
  [ -s "$file" ] || fail "stream $1 never came"
  drive gone '#32770' "$PLAY_DIALOG" 120000 >/dev/null || fail "the playback did not end"
  local size="" now
  for i in $(seq 50); do
    now=$(stat -c %s "$file")
    [ "$now" = "$size" ] && break
    size=$now
    sleep 0.3
  done
}

# Posts a play command and waits for its stream to end.
play() {  # class, command
  local n=$(($(stream_count) + 1))
  drive command "$1" "$2" >/dev/null
  wait_stream $n
  note "stream $n: $(stat -c %s "$(stream_file $n)") bytes"
}

# The stream is the expected bytes with only Wine's silence around them.
expect_stream() {  # n, expected raw file, silence byte (0 or 128)
  local file; file=$(stream_file "$1")
  python3 - "$file" "$2" "$3" <<'PY' || fail "stream $1 differs from $(basename "$2")"
import sys
c, e, z = open(sys.argv[1], 'rb').read(), open(sys.argv[2], 'rb').read(), int(sys.argv[3])
def lead(b):
    n = 0
    while n < len(b) and b[n] == z: n += 1
    return n
at = lead(c) - lead(e)  # where the expected bytes start in the capture
if not e or at < 0 or c[at:at + len(e)] != e or any(x != z for x in c[at + len(e):]):
    diff = next((i for i in range(min(len(e), len(c) - max(at, 0))) if c[max(at, 0) + i] != e[i]), None)
    print(f'capture {len(c)} bytes, expected {len(e)} at {at}, first difference at {diff}', file=sys.stderr)
    sys.exit(1)
print(f'  {len(e)} bytes exact, {at} bytes of silence before', file=sys.stderr)
PY
  note "ok: stream $1 is $(basename "$2")"
}

# The bytes a playback of frames [first, first + count) of a plain 44-byte-header
# file sends: "full" as they are, "half" every sample halved (an arithmetic
# shift), "left"/"right" that channel only, the other silent. Before that,
# --zero CH F0 F1 silences a channel's frames and --raise CH S shifts a
# channel left by S (the gain a quiet page keeps).
expected_bytes() {  # file, out, first frame, frames, mode, [--zero CH F0 F1] [--raise CH S]
  python3 - "$@" <<'PY'
import struct, sys
path, out, first, count, mode = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4]), sys.argv[5]
b = open(path, 'rb').read()
channels, rate, avg, ba, bits = struct.unpack('<HIIHH', b[22:36])
bps = bits // 8
data = b[44:]
def get(f, c):
    o = (f * channels + c) * bps
    if bps == 1: return data[o] - 128
    return int.from_bytes(data[o:o + bps], 'little', signed=True)
def put(v):
    return bytes([(v + 128) & 0xFF]) if bps == 1 else (v & ((1 << bits) - 1)).to_bytes(bps, 'little')
rest, zero, shift = sys.argv[6:], {}, {}
while rest:
    if rest[0] == '--zero': zero[int(rest[1])] = (int(rest[2]), int(rest[3])); rest = rest[4:]
    elif rest[0] == '--raise': shift[int(rest[1])] = int(rest[2]); rest = rest[3:]
    else: sys.exit('bad option ' + rest[0])
o = bytearray()
for f in range(first, first + count):
    for c in range(channels):
        v = get(f, c)
        if c in zero and zero[c][0] <= f < zero[c][1]: v = 0
        v <<= shift.get(c, 0)
        if mode == 'half': v >>= 1
        if channels == 2 and (mode, c) in (('left', 1), ('right', 0)): v = 0
        o += put(v)
open(out, 'wb').write(o)
PY
}

# Quits from the overview; nothing was changed, so nothing more is asked.
stop_velkor() {
  quit_from_overview
  expect_exit 0 60
}

frames_of() {  # a plain 44-byte-header file
  python3 -c "import struct, sys; b = open(sys.argv[1], 'rb').read(48); print(struct.unpack('<I', b[40:44])[0] // struct.unpack('<H', b[32:34])[0])" "$1"
}

# The overview from column 0 to the end: the file's bytes come back exactly
# at 100 % (6013), for each format the device is opened with, also from a
# header whose average bytes per second is wrong; halved (6012) and with the
# other channel silent (6011) on the sample values, so 8-bit silence is 0x80.
case_play_probe_formats() {
  own_program
  capture_sound
  make_wave "$CASE_DIR/mono8.wav" 20000 1 8 '(n * 37) % 256 - 128' 0 8000
  make_wave "$CASE_DIR/stereo8.wav" 20000 2 8 '(n * 37) % 256 - 128' '(n * 91) % 256 - 128' 11025
  make_wave "$CASE_DIR/stereo16.wav" 50000 2 16 '(n * 7919) % 60000 - 30000' '(n * 104729) % 50000 - 25000'
  make_wave "$CASE_DIR/stereo24.wav" 50000 2 24 '(n * 7919) % 6000000 - 3000000' '(n * 104729) % 5000000 - 2500000'
  cp "$CASE_DIR/stereo16.wav" "$CASE_DIR/average.wav"
  printf '\x39\x30\x00\x00' | dd of="$CASE_DIR/average.wav" bs=1 seek=28 conv=notrunc 2>/dev/null  # 12345
  local n=0 f plays c silence
  for f in mono8 stereo8 stereo16 stereo24 average; do
    case $f in
      mono8) plays="6013:full 6012:half" ;;
      stereo8) plays="6013:full 6011:left" ;;
      stereo24) plays="6013:full 6012:half 6011:left" ;;
      *) plays="6013:full" ;;
    esac
    silence=0
    [ "${f%8}" != "$f" ] && silence=128
    open_main "$CASE_DIR/$f.wav"
    for c in $plays; do
      n=$((n + 1))
      play MainWndClass "${c%:*}"
      expected_bytes "$CASE_DIR/$f.wav" "$CASE_DIR/$f.${c#*:}" 0 "$(frames_of "$CASE_DIR/$f.wav")" "${c#*:}"
      expect_stream $n "$CASE_DIR/$f.${c#*:}" $silence
    done
    stop_velkor
  done
}

# The right channel chosen in the overview (Down): 6011 plays it with the
# left silent, 6012 both halved, 6013 both as they are; streamed in chunks
# of one page-2 stretch (Q = 512 x 640 frames), over several chunks and a
# length of exactly 2Q.
case_play_overview_modes() {
  own_program
  capture_sound
  make_wave "$CASE_DIR/several.wav" 819203 2 16 '(n * 7919) % 60000 - 30000' '(n * 104729) % 50000 - 25000'
  make_wave "$CASE_DIR/twoq.wav" 655360 2 16 '(n * 31) % 65536 - 32768' '(n * 17) % 40000 - 20000'
  local n=0 f frames c mode
  for f in several twoq; do
    open_main "$CASE_DIR/$f.wav"
    expect_eq "left channel at first" "$(overview_channel)" left
    xdotool key Down
    wait_for "channel" right 30 overview_channel
    frames=$(frames_of "$CASE_DIR/$f.wav")
    for c in 6011:right 6012:half 6013:full; do
      n=$((n + 1))
      play MainWndClass "${c%:*}"
      mode=${c#*:}
      expected_bytes "$CASE_DIR/$f.wav" "$CASE_DIR/$f.$mode" 0 "$frames" "$mode"
      expect_stream $n "$CASE_DIR/$f.$mode" 0
    done
    stop_velkor
  done
}

# Which channel the overview marks: the chosen one's trace is magenta.
overview_channel() {
  local o; o=$(drive client MainWndClass '雑音編集*'); set -- $o
  shot play_overview_channel
  convert "$SHOTS/play_overview_channel.png" -crop "1x128+$(($1 + 5))+$(($2 + 163))" +repage rgb:- |
    python3 -c "import sys; b = sys.stdin.buffer.read(); print('right' if bytes([255, 0, 255]) in [b[i:i + 3] for i in range(0, len(b), 3)] else 'left')"
}

click_waveform() {  # x y: a click on the waveform area of the edit window
  local o; o=$(edit_origin); set -- $o "$1" "$2"
  xdotool mousemove $(($1 + $3)) $(($2 + $4)) click 1
  sleep 0.6
}

# The play toolbar on pages 1 and 2, the left channel alone (1023, 1024):
# page 1 streams the file from its first column or from the zoom frame;
# page 2 plays the composed stretch, from its start or from the zoom frame,
# and an edit not yet confirmed (7033 silences frames 200-209 x 512) is heard.
case_play_pages_one_and_two() {
  own_program
  capture_sound
  local f="$CASE_DIR/loud.wav"
  make_wave "$f" 882000 2 16 '(n * 7919) % 60000 - 30000' '(n * 104729) % 50000 - 25000'
  open_edit "$f"
  wait_label 118 "x1"
  play EditWndClass 1023
  expected_bytes "$f" "$CASE_DIR/page1" 0 882000 left
  expect_stream 1 "$CASE_DIR/page1" 0
  click_waveform 50 150  # the zoom frame at column 50: frame 409,600
  play EditWndClass 1024
  expected_bytes "$f" "$CASE_DIR/page1.from" 409600 472400 left
  expect_stream 2 "$CASE_DIR/page1.from" 0
  to_page 2  # frames 409,600 to 737,280
  wait_label 118 "x1"
  play EditWndClass 1023
  expected_bytes "$f" "$CASE_DIR/page2" 409600 327680 left
  expect_stream 3 "$CASE_DIR/page2" 0
  click_waveform 100 150  # the zoom frame at column 100: frame 460,800
  play EditWndClass 1024
  expected_bytes "$f" "$CASE_DIR/page2.from" 460800 276480 left
  expect_stream 4 "$CASE_DIR/page2.from" 0
  drag 200 210 150
  wait_tbstate 108 1003 4
  drive command EditWndClass 7033 >/dev/null
  wait_label 117 "1/1"
  play EditWndClass 1023
  expected_bytes "$f" "$CASE_DIR/page2.edit" 409600 327680 left --zero 0 512000 517120
  expect_stream 5 "$CASE_DIR/page2.edit" 0
  play EditWndClass 1024  # from the edit frame
  expected_bytes "$f" "$CASE_DIR/page2.frame" 512000 225280 left --zero 0 512000 517120
  expect_stream 6 "$CASE_DIR/page2.frame" 0
}

# The right channel edited (Down in the overview). Page 3, frame at columns
# 300-310: 1026 plays page 3 with both channels at 50 % and the frame
# replaced in both by the straight line between its ends. Page 4 without a
# frame: 1026 plays page 3 with page 5's stretch replaced. The bytes are the
# core's for the same steps, run natively.
case_play_page_three_silenced_frame() {
  own_program
  capture_sound
  local f="$CASE_DIR/loud.wav"
  make_wave "$f" 441000 2 16 '20000 * __import__("math").sin(n / 9.0)' '(n * 104729) % 50000 - 25000'
  start_on "$f"
  wait_main
  xdotool key Down
  wait_for "channel" right 30 overview_channel
  drive command MainWndClass 6010 >/dev/null
  drive wait EditWndClass '編集(F1)：右CH*' >/dev/null || fail "no edit window on the right channel"
  to_page 3
  drag 300 310 150
  wait_tbstate 108 1003 4
  play EditWndClass 1026
  "$VELKOR_PLAY_EXPECT" "$f" "$CASE_DIR/page3.silenced" --channel 1 --page 3 --frame 300 310 1026
  expect_stream 1 "$CASE_DIR/page3.silenced" 0
  expect_line_fill "$CASE_DIR/page3.silenced" "$f" 0 40960 19200 19840  # 64 frames a column
  drive command EditWndClass 1022 >/dev/null
  wait_tbstate 106 1022 0
  to_page 4
  play EditWndClass 1026
  "$VELKOR_PLAY_EXPECT" "$f" "$CASE_DIR/page4.silenced" --channel 1 --page 4 1026
  expect_stream 2 "$CASE_DIR/page4.silenced" 0
  expect_line_fill "$CASE_DIR/page4.silenced" "$f" 0 40960 0 640  # page 5: 640 frames from page 4's start
}

# Frames [from, to) of both channels are the straight line between their
# ends, halved; every other frame is the file's, halved. The composed stretch
# starts at frame `first` of the file.
expect_line_fill() {  # played raw, file, first frame, frames, from, to
  python3 - "$@" <<'PY' || fail "not the frame silenced in both channels"
import array, sys
played, path = sys.argv[1], sys.argv[2]
first, count, lo, hi = map(int, sys.argv[3:7])
p = array.array('h'); p.frombytes(open(played, 'rb').read())
o = array.array('h'); o.frombytes(open(path, 'rb').read()[44:])
n = hi - lo
bad = []
for f in range(first, first + count):
    for c in range(2):
        got = p[(f - first) * 2 + c]
        want = o[f * 2 + c] >> 1
        if lo <= f < hi:
            a, b = o[lo * 2 + c], o[hi * 2 + c]
            want = int(a + (b - a) * (f - lo) / n) >> 1
            if abs(got - want) > 1: bad.append((f, c, got, want))
        elif got != want:
            bad.append((f, c, got, want))
if bad:
    print(len(bad), 'samples off, first', bad[:4], file=sys.stderr)
    sys.exit(1)
PY
  note "ok: frames $5-$(($6 - 1)) a straight line in both channels, the rest as it was"
}

# A quiet page keeps the gain x16 in the edited channel: playing it takes the
# gain off and puts back as much as the loudest sample allows (x16 here) on
# that channel alone, also when both channels play (1025, halved).
case_play_quiet_page_raised() {
  own_program
  capture_sound
  local f="$CASE_DIR/quiet.wav"
  quiet_sine "$f" 20
  open_edit "$f"
  to_page 2
  wait_label 118 "x16"
  play EditWndClass 1023
  expected_bytes "$f" "$CASE_DIR/left.raised" 0 327680 left --raise 0 4
  expect_stream 1 "$CASE_DIR/left.raised" 0
  play EditWndClass 1025
  expected_bytes "$f" "$CASE_DIR/both.raised" 0 327680 half --raise 0 4
  expect_stream 2 "$CASE_DIR/both.raised" 0
}

# The columns of a screen rectangle where shot `after` differs from shot
# `before`: "x first last count" a line (rows relative to the rectangle),
# with "not-inverted" when a changed pixel is not the inverse of before.
changed_columns() {  # before.png after.png left top width height
  python3 - "$@" <<'PY'
import subprocess, sys
before, after = sys.argv[1], sys.argv[2]
l, t, w, h = map(int, sys.argv[3:7])
def raw(p):
    return subprocess.run(['convert', p, '-crop', f'{w}x{h}+{l}+{t}', '+repage', 'rgb:-'],
                          capture_output=True, check=True).stdout
rb, ra = raw(before), raw(after)
cols = {}
for y in range(h):
    r = y * w * 3
    if rb[r:r + w * 3] == ra[r:r + w * 3]: continue
    for x in range(w):
        i = r + x * 3
        if rb[i:i + 3] != ra[i:i + 3]:
            c = cols.setdefault(x, [y, y, 0, True])
            c[1], c[2] = y, c[2] + 1
            if any(p + q != 255 for p, q in zip(rb[i:i + 3], ra[i:i + 3])): c[3] = False
for x in sorted(cols):
    f, last, n, inverted = cols[x]
    print(x, f, last, n, '' if inverted else 'not-inverted')
PY
}

# While a playback runs: four shots of a rectangle, the window repainted
# between the second and the third. Each shows one inverted column of
# `rows` rows from the rectangle's top, at or right of the start column and
# left of `limit`, never left of the one before; the line moves.
follow_line() {  # name, class repainted, before.png, left top width height, rows, start, limit
  local name=$1 class=$2 before=$3 rect="$4 $5 $6 $7" rows=$8 start=$9 limit=${10} i cols last=$9 xs=""
  for i in 1 2 3 4; do
    shot "${name}_during$i"
    cols=$(changed_columns "$before" "$SHOTS/${name}_during$i.png" $rect)
    [ "$(echo "$cols" | grep -c .)" = 1 ] || fail "not one changed column in ${name}_during$i: $cols"
    set -- $cols
    [ "$2 $3 $4 ${5:-}" = "0 $((rows - 1)) $rows " ] || fail "not a whole inverted line in ${name}_during$i: $cols"
    [ "$1" -ge "$last" ] && [ "$1" -lt "$limit" ] || fail "the line at $1 after $last (start $start, limit $limit)"
    last=$1
    xs="$xs $1"
    [ $i = 2 ] && drive repaint "$class"
    sleep 0.5
  done
  note "ok: the line at$xs, drawn again after a repaint"
  set -- $xs
  [ "$4" -gt "$1" ] || fail "the line did not move:$xs"
}

# A playback as a user sees it: the playing title, the dialog at the top-left
# of `at` (the window the line runs in), the line followed in a rectangle,
# Enter stops it, and the rectangle is as before.
see_playback() {  # name, class, command, at (class), left top width height, rows, start, limit
  local name=$1 class=$2 command=$3 at=$4 rect="$5 $6 $7 $8" rows=$9 start=${10} limit=${11}
  sleep 0.8
  shot "${name}_before"
  drive command "$class" "$command" >/dev/null
  wait_playing
  expect_eq "dialog at the top-left of $at" "$(drive wrect '#32770' "$PLAYING" | cut -d' ' -f1-2)" \
    "$(drive wrect "$at" '*' | cut -d' ' -f1-2)"
  follow_line "$name" "$class" "$SHOTS/${name}_before.png" $rect "$rows" "$start" "$limit"
  xdotool key Return
  wait_stopped
  sleep 0.5
  shot "${name}_after"
  expect_eq "as before the playback" "$(changed_columns "$SHOTS/${name}_before.png" "$SHOTS/${name}_after.png" $rect)" ""
}

# The overview (6012): rows 35-289 from the zoom frame's column (70) on.
# Page 1 of the edit window (1025): rows 62-316 from column 0. Page 4 (1025
# plays page 3): the line crosses display window 2's picture of page 3 (its
# first 640 / 8 columns) and leaves the waveform untouched; a low rate makes
# page 3 last long enough to be seen.
case_play_line_seen() {
  own_program
  capture_sound
  local f="$CASE_DIR/long.wav" slow="$CASE_DIR/slow.wav"
  "$VELKOR_WAVEGEN" "$f" --seconds 240 --bits 16 --channels 2 >/dev/null
  "$VELKOR_WAVEGEN" "$slow" --seconds 200 --rate 2000 --bits 16 --channels 2 >/dev/null
  open_main "$f"
  set -- $(drive client MainWndClass '雑音編集*')
  # The zoom frame to column 70 by the arrow keys: a key's release puts the
  # frame at the cursor column, the release of the Enter that stops included.
  xdotool mousemove $(($1 + 300)) $(($2 + 310))
  xdotool key --delay 15 $(printf 'Right %.0s' $(seq 70))
  see_playback play_main MainWndClass 6012 MainWndClass "$1" $(($2 + 35)) 640 260 255 70 640
  stop_velkor

  open_edit "$f"
  set -- $(edit_origin)
  see_playback play_edit EditWndClass 1025 EditWndClass "$1" $(($2 + 62)) 640 260 255 0 640
  close_unchanged "$f"

  open_edit "$slow"
  to_page 4
  set -- $(edit_origin)
  local waveform="$1 $(($2 + 62)) 640 260"
  set -- $(drive crect EditWndClass 115)
  see_playback play_indicator EditWndClass 1025 EditWndClass "$1" "$2" $(($3 - $1)) $(($4 - $2)) $(($4 - $2)) 0 80
  expect_eq "the waveform untouched" \
    "$(changed_columns "$SHOTS/play_indicator_before.png" "$SHOTS/play_indicator_during4.png" $waveform)" ""
}

# A stopped stream is a part of the expected bytes from their start.
expect_stream_cut() {  # n, expected raw file
  local file; file=$(stream_file "$1")
  python3 - "$file" "$2" <<'PY' || fail "stream $1 is not a cut $(basename "$2")"
import sys
c, e = open(sys.argv[1], 'rb').read(), open(sys.argv[2], 'rb').read()
c = c.strip(b'\0')
start = e.find(c[:4096])
ok = 0 <= start <= 1024 * 1024 and e[start:start + len(c)] == c and start + len(c) < len(e) // 2
print(f'  {len(c)} bytes of {len(e)}, from byte {start} on', file=sys.stderr)
sys.exit(0 if ok else 1)
PY
  note "ok: stream $1 is the start of $(basename "$2"), cut"
}


# Ways to stop, and starters that start nothing while a playback runs: 6013
# and 6012 sent during a playback of the overview, 1025 and 1027 during one
# of page 1; Enter stops; a click on the overview stops it and does not move
# the zoom frame (the picture is as before). Each playback one stream only.
case_play_stops_and_refusals() {
  own_program
  capture_sound
  local f="$CASE_DIR/long.wav"
  "$VELKOR_WAVEGEN" "$f" --seconds 240 --bits 16 --channels 2 >/dev/null
  local frames; frames=$(frames_of "$f")
  expected_bytes "$f" "$CASE_DIR/full" 0 "$frames" full
  open_main "$f"
  local o; o=$(drive client MainWndClass '雑音編集*'); set -- $o
  local ox=$1 oy=$2
  drive command MainWndClass 6013 >/dev/null
  wait_playing
  drive command MainWndClass 6013 >/dev/null
  drive command MainWndClass 6012 >/dev/null
  sleep 1.5
  expect_eq "one playback dialog" "$(play_dialogs)" 1
  xdotool key Return
  wait_stopped
  sleep 1
  expect_eq "one stream" "$(stream_count)" 1
  expect_stream_cut 1 "$CASE_DIR/full"

  xdotool mousemove $((ox + 300)) $((oy + 310))
  sleep 0.8
  shot play_click_before
  drive command MainWndClass 6013 >/dev/null
  wait_playing
  sleep 0.5
  xdotool mousemove $((ox + 400)) $((oy + 100)) click 1
  wait_stopped
  sleep 1
  shot play_click_after
  expect_eq "the overview as before: the zoom frame where it was" \
    "$(changed_columns "$SHOTS/play_click_before.png" "$SHOTS/play_click_after.png" "$ox" "$oy" 640 326)" ""
  expect_eq "two streams" "$(stream_count)" 2
  expect_stream_cut 2 "$CASE_DIR/full"

  drive command MainWndClass 6010 >/dev/null
  drive wait EditWndClass "$EDIT" >/dev/null || fail "no edit window"
  wait_label 116 "1/5"
  drive command EditWndClass 1025 >/dev/null
  wait_playing
  drive command EditWndClass 1025 >/dev/null
  drive command EditWndClass 1027 >/dev/null
  sleep 1.5
  expect_eq "one playback dialog" "$(play_dialogs)" 1
  xdotool key Return
  wait_stopped
  sleep 1
  expect_eq "three streams" "$(stream_count)" 3
  # The volume as 6013 left it (100 %); page 1 plays with its display gain.
  "$VELKOR_PLAY_EXPECT" "$f" "$CASE_DIR/page1" --page 1 --full 1025 >/dev/null
  expect_stream_cut 3 "$CASE_DIR/page1"
}

# A default device that cannot be opened: the device's own error text in a
# box captioned "エラー", no dialog left; the next try is the same.
case_play_device_error() {
  own_program
  no_sound_device
  local f="$CASE_DIR/take.wav"
  make_wave "$f" 100000 2 16 '(n * 7919) % 60000 - 30000' '(n * 104729) % 50000 - 25000'
  open_main "$f"
  local i box
  for i in 1 2; do
    drive command MainWndClass 6013 >/dev/null
    box=$(drive msgbox)
    expect_eq "caption, try $i" "$(echo "$box" | sed -n 's/^caption\t//p')" "エラー"
    [ -n "$(echo "$box" | sed -n 's/^text\t//p')" ] || fail "no error text"
    note "error text: $(echo "$box" | sed -n 's/^text\t//p')"
    shot play_device_error$i
    press_box 1
    drive gone '#32770' 'エラー' >/dev/null || fail "the box stays"
    expect_eq "no playback dialog left" "$(play_dialogs)" 0
  done
  drive command MainWndClass 6010 >/dev/null
  drive wait EditWndClass "$EDIT" >/dev/null || fail "no edit window"
  wait_label 116 "1/5"
  drive command EditWndClass 1025 >/dev/null
  expect_eq "caption on page 1" "$(drive msgbox | sed -n 's/^caption\t//p')" "エラー"
  press_box 1
  drive gone '#32770' 'エラー' >/dev/null || fail "the box stays"
  expect_eq "no playback dialog left" "$(play_dialogs)" 0
  close_unchanged "$f"
}

# Closing a window while a playback runs ends the playback first: the edit
# window (its owner) closed, then the main window closed during a playback
# of the overview. No hang, exit code 0.
case_play_close_while_playing() {
  own_program
  capture_sound
  local f="$CASE_DIR/long.wav"
  "$VELKOR_WAVEGEN" "$f" --seconds 240 --bits 16 --channels 2 >/dev/null
  open_edit "$f"
  drive command EditWndClass 1025 >/dev/null
  wait_playing
  drive close EditWndClass "$EDIT" >/dev/null
  expect_exit_dialog "$f"
  expect_eq "the playback ended first" "$(play_dialogs)" 0
  drive press "$(winpath "$f")" 1 >/dev/null
  expect_exit 0 60
  open_main "$f"
  drive command MainWndClass 6013 >/dev/null
  wait_playing
  close_and_expect_exit_dialog "$f"
  expect_eq "the playback ended first" "$(play_dialogs)" 0
  drive press "$(winpath "$f")" 1 >/dev/null
  expect_exit 0 60
}
