#!/usr/bin/env bash
# Refreshes the screenshot gallery: builds the Windows preset that runs here,
# runs the Windows tests that take pictures (CTest label "screenshots"), copies
# the pictures of the programs into docs/screenshots/ and lists them in the
# README. Pictures that no test takes any more are removed, but only after a
# run in which every test passed.
# Usage: scripts/screenshots.sh [BUILD_DIR]   (default: the preset's build/<preset>)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh
scripts/deps.sh

preset=$(runnable_windows_preset)
build=${1:-build/$preset}
cmake --preset "$preset" -B "$build" >/dev/null
cmake --build "$build"

# Only this run's pictures: the wine session's clean-up turns them into PNGs.
rm -rf "$build/screenshots"
status=0
ctest --test-dir "$build" -L screenshots --output-on-failure || status=$?

prune=--prune
if [ "$status" -ne 0 ]; then
  prune=
  echo "Some tests failed: their pictures may be missing, so the gallery keeps its older pictures."
fi
python3 scripts/gallery.py "$build/screenshots" "$build/bin" docs/screenshots README.md $prune
exit $status
