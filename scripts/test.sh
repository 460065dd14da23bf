#!/usr/bin/env bash
# test.sh: installs what is missing, builds, and runs every test: unit tests
# (natively and under ASan/UBSan), the fuzz targets for a bounded time, and
# the end-to-end tests of velkor.exe under Wine and Xvfb.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"
bash "$root/scripts/build.sh" "$root/build"
CC=clang CXX=clang++ cmake -S "$root" -B "$root/build-san" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVELKOR_SANITIZE=ON -DVELKOR_FUZZ=ON -DVELKOR_WINDOWS=OFF >/dev/null
cmake --build "$root/build-san"

status=0
echo "== sanitized unit tests and fuzzing"
(cd "$root/build-san" && ctest -j2 --output-on-failure) || status=1
echo "== unit and end-to-end tests"
(cd "$root/build" && ctest -j2 --output-on-failure) || status=1
exit $status
