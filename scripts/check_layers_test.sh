#!/usr/bin/env bash
# check_layers_test.sh: the layer check fails on what it must refuse, naming
# file and line, and passes a tree that keeps its layers.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree/low" "$tree/high" "$tree/low/tests"
printf '| Layer | Folder | What |\n| --- | --- | --- |\n| 1 | `low/` | x |\n| 2 | `high/` | y |\n' >"$tree/README.md"
printf '#include "low/a.h"\n' >"$tree/high/b.cpp"
printf '#include "high/b.h"\n' >"$tree/low/tests/c_test.cpp"  # tests are not product sources
python3 "$here/check_layers.py" "$tree" >/dev/null || { echo "FAIL: a tree keeping its layers was refused"; exit 1; }

expect() {  # file, content, the line the check must print
  printf '%s\n' "$2" >"$tree/$1"
  local out
  if out=$(python3 "$here/check_layers.py" "$tree" 2>/dev/null); then echo "FAIL: $1 passed"; exit 1; fi
  [ "$out" = "$3" ] || { printf 'FAIL: %s\n  got:  %s\n  want: %s\n' "$1" "$out" "$3"; exit 1; }
  rm "$tree/$1"
}
expect low/a.cpp '// x
#include "high/b.h"' 'low/a.cpp:2: low/ (layer 1) includes "high/b.h" from high/ (layer 2), a higher layer'
expect low/d.h '#include <Windows.h>' 'low/d.h:1: portable file includes <Windows.h>'
expect high/e.cpp '#include "low/f_win.h"' 'high/e.cpp:1: portable file includes the Windows header "low/f_win.h"'
expect high/g.cpp '#include "testing/h.h"' 'high/g.cpp:1: includes "testing/h.h" from testing/, which is no product layer'
printf '#include <windows.h>\n#include "low/f_win.h"\n' >"$tree/high/i_win.cpp"
python3 "$here/check_layers.py" "$tree" >/dev/null || { echo "FAIL: a _win file may include Windows headers"; exit 1; }
echo "PASS"
