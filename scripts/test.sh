#!/usr/bin/env bash
# Runs every test: the native core tests (sanitized), each fuzz target for a
# short bounded time, and the Windows tests under Wine. Installs what is
# missing first and builds incrementally. Ends with the line
# "N passed, N failed" over both runs; exits non-zero when any test failed.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh
scripts/deps.sh

status=0
records=$(mktemp -d)
trap 'rm -rf "$records"' EXIT
# CTest writes each run's outcomes to a JUnit record; the counts come from there.
run_ctest() { # name preset
  ctest --preset "$2" --output-junit "$records/$1.xml"
}

echo "== native core: unit tests, fuzz targets"
cmake --preset native >/dev/null
cmake --build --preset native
run_ctest native native || status=1

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
run_ctest windows "$windows" || status=1

python3 scripts/junit_summary.py "$records/native.xml" "$records/windows.xml" || status=1
exit $status
