# Shared helpers of the end-to-end tests: one Wine prefix per test run, an
# Xvfb display per case, the driver program, and assertions.
: "${E2E_WORK:?E2E_WORK must name the work directory}"
export WINEPREFIX="$E2E_WORK/prefix"
E2E_HOME="$E2E_WORK/home"  # the prefix's Desktop is $E2E_HOME/Desktop
# Velkor's users run a Japanese Windows: Wine's own buttons and dialogs speak
# Japanese in ja_JP.UTF-8. A case run with E2E_LANG set (the "_in_c_locale"
# cases) shows that the program's own texts do not depend on it.
E2E_LANG=${E2E_LANG:-ja_JP.UTF-8}
export WINEARCH=win64 WINEDEBUG=-all LANG=$E2E_LANG LC_ALL=$E2E_LANG
export WINEDLLOVERRIDES="mscoree,mshtml="
SHOTS="$E2E_WORK/shots"
mkdir -p "$SHOTS"

XVFB_PID=""
VELKOR_PID=""

fail() { echo "FAIL: $*" >&2; exit 1; }
note() { echo "-- $*"; }

# A Windows path for a file of ours (Wine maps / to Z:).
winpath() { local p; p=$(readlink -f "$1"); echo "Z:${p//\//\\}"; }

start_display() {
  local n
  for n in $(seq 91 160); do
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1600x1000x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 50); do
      [ -S "/tmp/.X11-unix/X$n" ] && break
      kill -0 "$XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
    if [ -S "/tmp/.X11-unix/X$n" ] && kill -0 "$XVFB_PID" 2>/dev/null; then
      export DISPLAY=":$n"
      return 0
    fi
  done
  fail "no free X display"
}

# Only what this run started: the prefix is ours alone, so wineserver -k
# ends exactly our Wine processes.
stop_all() {
  if [ -n "$VELKOR_PID" ]; then kill "$VELKOR_PID" 2>/dev/null || true; fi
  # The setting lives in the prefix that every case shares.
  if [ -n "${SWAPPED_BUTTONS:-}" ]; then drive swapbuttons 0 >/dev/null 2>&1 || true; fi
  wineserver -k 2>/dev/null || true
  if [ -n "$XVFB_PID" ]; then kill "$XVFB_PID" 2>/dev/null || true; wait "$XVFB_PID" 2>/dev/null || true; fi
}

start_velkor() {
  (cd "$CASE_DIR" && exec wine "$VELKOR_EXE" "$@") >"$CASE_DIR/velkor.out" 2>&1 &
  VELKOR_PID=$!
}

# Waits for Velkor to end and checks its exit code.
expect_exit() {  # code, timeout in seconds
  local want=$1 timeout=${2:-30} i rc="still running"
  for i in $(seq $((timeout * 10))); do
    if ! kill -0 "$VELKOR_PID" 2>/dev/null; then
      rc=0
      wait "$VELKOR_PID" || rc=$?
      VELKOR_PID=""
      break
    fi
    sleep 0.1
  done
  expect_eq "exit code" "$rc" "$want"
}

drive() { wine "$VELKOR_DRIVER" "$@"; }

expect_eq() {  # what, got, want
  if [ "$2" != "$3" ]; then
    printf 'FAIL: %s\n  got:  %q\n  want: %q\n' "$1" "$2" "$3" >&2
    exit 1
  fi
  note "ok: $1"
}

shot() { import -window root "$SHOTS/$1.png" 2>/dev/null || true; }

# Waits until a command prints `want`: the program updates what it shows a moment later.
wait_for() {  # what, want, tries 0.1 s apart, command...
  local what=$1 want=$2 tries=$3 got="" i
  shift 3
  for i in $(seq "$tries"); do
    got=$("$@") || true
    [ "$got" = "$want" ] && { note "ok: $what = $want"; return 0; }
    sleep 0.1
  done
  printf 'FAIL: %s\n  got:  %q\n  want: %q\n' "$what" "$got" "$want" >&2
  exit 1
}

wait_text() { wait_for "text $3" "$4" $((${5:-20} * 10)) drive text "$1" "$2" "$3" 1000; }  # class, title, id, want, s

# The file selection dialog's title.
DIALOG='Ｖｅｌｋｏｒ'

# Presses OK in the file selection dialog once it shows `name` as the edit file.
confirm_file() {  # name
  wait_text '#32770' "$DIALOG" 312 "$1"
  drive press "$DIALOG" 1 >/dev/null
}

# Names a file in the open dialog on screen and presses OK. The dialog's
# title is Wine's own ("開く", "Open"): it is found by its file name box.
choose_in_open_dialog() {  # path
  local title; title=$(drive filedialog) || fail "no open dialog"
  drive settext "$title" 1148 "$(winpath "$1")" >/dev/null
  drive press "$title" 1 >/dev/null
}

wait_main() { drive wait MainWndClass '雑音編集*' >/dev/null || fail "no main window"; }

# Starts Velkor on a file, confirms it in the file selection dialog and waits for the main window.
open_main() {  # path
  start_velkor "$(winpath "$1")"
  confirm_file "$(basename "$1")"
  wait_main
}

main_width() { drive size MainWndClass '雑音編集*' | cut -d' ' -f1; }

# The colour "r,g,b" at a point of a screenshot.
image_pixel() {  # png, x, y
  convert "$1" -crop "1x1+$2+$3" -depth 8 txt:- | sed -n '2s/^[^(]*(\([0-9]*\),\([0-9]*\),\([0-9]*\)).*/\1,\2,\3/p'
}

# Closes the main window from the overview and answers the exit dialog
# (titled with the edit file's name) Yes; with no change nothing more is asked.
quit_from_overview() {
  drive close MainWndClass '雑音編集*' >/dev/null
  local title
  title=$(drive wait '#32770' '*') || fail "no exit dialog"
  expect_eq "exit question" "$(drive text '#32770' "$title" -1)" "Velkorを終了しますか"
  drive press "$title" 1 >/dev/null
}
