#!/usr/bin/env bash
# Runs every test: the native core tests (sanitized), each fuzz target for a
# short bounded time, and the Windows tests under Wine. Installs what is
# missing first and builds incrementally.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh
scripts/deps.sh

status=0
echo "== native core: unit tests, fuzz targets"
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native || status=1

# The shipped 32-bit programs are always built, so they stay warning-free.
echo "== win32: the programs as they ship"
cmake --preset win32 >/dev/null
cmake --build --preset win32

windows=$(runnable_windows_preset)
if [ "$windows" != win32 ]; then
  echo "== this machine cannot execute 32-bit code: Windows tests run from the 64-bit build"
  cmake --preset "$windows" >/dev/null
  cmake --build --preset "$windows"
fi
echo "== Windows tests under Wine ($windows)"
ctest --preset "$windows" || status=1

exit $status
