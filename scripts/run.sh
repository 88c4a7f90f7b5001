#!/usr/bin/env bash
# Builds the suite and starts its programs in a Wine virtual desktop.
# With a DISPLAY the desktop appears as a window; without one a private Xvfb is
# used, a PNG screenshot of the desktop is taken and its path printed.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh
scripts/deps.sh

preset=$(runnable_windows_preset)
[ "$preset" = win32 ] || echo "This machine cannot execute 32-bit code: running the 64-bit build of the suite."
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"

build=build/$preset
state=$PWD/$build/run-session
headless=no
if [ -z "${DISPLAY:-}" ]; then
  headless=yes
  unset WINE_SESSION_DISPLAY
else
  export WINE_SESSION_DISPLAY=$DISPLAY
fi
arch=win32; [ "$preset" = win64 ] && arch=win64
scripts/wine-session.sh start "$state" "$arch" >/dev/null
export WINEPREFIX=$state/prefix WINEDEBUG=-all DISPLAY=$(cat "$state/display")
export WINEDLLOVERRIDES="mscoree,mshtml=;winealsa.drv=d"

desktop="Nimbrel,1024x768"
wine explorer "/desktop=$desktop" </dev/null >/dev/null 2>&1 &
started=()
for program in kelvane quillet tempane corvessa vorrin; do
  exe=$build/bin/$program.exe
  if [ -f "$exe" ]; then
    wine explorer "/desktop=$desktop" "$exe" </dev/null >/dev/null 2>&1 &
    started+=("$program")
  fi
done
if [ ${#started[@]} -eq 0 ]; then
  echo "Started the Wine desktop; no program is built yet."
else
  echo "Started in the Wine desktop: ${started[*]}"
fi

if [ "$headless" = yes ]; then
  deadline=$(( $(date +%s) + 60 ))
  until xdotool search --name 'Nimbrel - Wine desktop' >/dev/null 2>&1; do
    [ "$(date +%s)" -lt "$deadline" ] || break
    sleep 0.2
  done
  # Give the programs' own windows and tray icons the same bounded chance.
  deadline=$(( $(date +%s) + 10 ))
  until [ "$(date +%s)" -ge "$deadline" ]; do sleep 0.5; done
  shot=$PWD/$build/suite-desktop.png
  import -window root "$shot"
  echo "Screenshot of the desktop: $shot"
  scripts/wine-session.sh stop "$state" >/dev/null
else
  echo "Close the Wine desktop window to end the run."
  wait
  scripts/wine-session.sh stop "$state" >/dev/null
fi
