#!/usr/bin/env bash
# build.sh [BUILD_DIR]: configures and builds the native core, its tests and
# tools, and (cross) velkor.exe with the e2e driver.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build"
