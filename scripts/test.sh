#!/usr/bin/env bash
# Runs every test: the native core tests (sanitized), each fuzz target for a
# short bounded time, and the Windows tests under Wine. Installs what is
# missing first and builds incrementally.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh
scripts/deps.sh

status=0
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT
# ctest's "N% tests passed, F tests failed out of T" line of each run, summed at the end.
run_ctest() { # name preset
  local log="$logs/$1.log"
  ctest --preset "$2" 2>&1 | tee "$log"
  return "${PIPESTATUS[0]}"
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

passed=0 failed=0
for log in "$logs"/*.log; do
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -1) || continue
  f=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
  t=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\2/' <<<"$line")
  echo "$(basename "$log" .log): $((t - f)) of $t CTest tests passed"
  passed=$((passed + t - f)); failed=$((failed + f))
done
echo "$passed passed, $failed failed"
exit $status
