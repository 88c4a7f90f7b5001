#!/usr/bin/env bash
# Runs one Windows program inside a build tree's private Wine session.
# Usage: wine-run.sh STATE_DIR program.exe [args...]
source "$(dirname "$0")/lib.sh"
wine_environment "$1"; shift
# Wine starts helper processes (the desktop's explorer.exe) that outlive the
# program and inherit its streams. Give them a file, not our caller's pipe, or
# the caller waits for them until they are killed.
out=$(mktemp)
timeout --kill-after=10 "${WINE_RUN_TIMEOUT:-600}" wine "$@" </dev/null >"$out" 2>&1
status=$?
cat "$out"
rm -f "$out"
exit $status
