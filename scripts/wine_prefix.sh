#!/usr/bin/env bash
# wine_prefix.sh PREFIX: makes a Wine prefix for Velkor if it is missing:
# booted, Japanese UI fonts mapped to IPA Gothic, window frames drawn by
# Wine itself (so captions show even without a window manager).
# Needs a display (DISPLAY set).
set -euo pipefail
prefix=$1
[ -f "$prefix/.velkor-ready" ] && exit 0
export WINEPREFIX="$prefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$prefix"
wineboot -i >/dev/null 2>&1
wineserver -w
reg="$prefix/velkor-fonts.reg"
{
  printf 'Windows Registry Editor Version 5.00\r\n\r\n'
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
  for face in "MS UI Gothic" "MS Shell Dlg" "MS Shell Dlg 2" "Tahoma" "Segoe UI" "ＭＳ Ｐゴシック" "MS PGothic" \
              "ＭＳ ゴシック" "MS Gothic"; do
    printf '"%s"="IPAPGothic"\r\n' "$face"
  done
  printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Managed"="N"\r\n'
} | iconv -f utf-8 -t utf-16 >"$reg"
p=$(readlink -f "$reg")
wine regedit /S "Z:${p//\//\\}" >/dev/null 2>&1
wineserver -w
touch "$prefix/.velkor-ready"
