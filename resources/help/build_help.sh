#!/usr/bin/env bash
# build_help.sh SOURCE_DIR OUTPUT_CHM: compiles the UTF-8 help sources into
# a CHM whose pages, contents, index and title are in code page 932, the
# code page the viewer of a Japanese Windows reads them in.
set -euo pipefail
src=$1
out=$2
work=$(dirname "$out")/help_cp932
rm -rf "$work"
mkdir -p "$work"
for f in "$src"/*.html "$src"/*.hhc "$src"/*.hhk "$src"/*.hhp "$src"/*.css; do
  # iconv fails on any character code page 932 lacks, so such a page stops the build.
  sed 's/charset=UTF-8/charset=Shift_JIS/' "$f" | iconv -f UTF-8 -t CP932 >"$work/$(basename "$f")"
done
if ! (cd "$work" && chmcmd --no-html-scan Velkor.hhp >"$work/chmcmd.log" 2>&1); then
  cat "$work/chmcmd.log" >&2
  exit 1
fi
mv "$work/Velkor.chm" "$out"
