#!/usr/bin/env bash
# run_case.sh SCRIPT CASE: runs case_CASE of e2e/SCRIPT on its own display.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
name=$2
# CASE_in_c_locale: the same case with Wine in the C locale (English Windows).
if [ "${name%_in_c_locale}" != "$name" ]; then
  export E2E_LANG=C.UTF-8
  name=${name%_in_c_locale}
fi
source "$here/lib.sh"
source "$here/$1"
CASE_DIR="$E2E_WORK/cases/$2"
rm -rf "$CASE_DIR"
mkdir -p "$CASE_DIR"
trap stop_all EXIT
[ -d "$WINEPREFIX/drive_c" ] || fail "no Wine prefix: run the e2e_prefix test first"
start_display
"case_$name"
echo "PASS $2"
