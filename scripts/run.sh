#!/usr/bin/env bash
# Builds the suite and starts its programs in a Wine virtual desktop.
# With a DISPLAY the desktop appears as a window; without one a private Xvfb is
# used, a PNG screenshot of the desktop is taken once every program is up, and
# its path printed.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh
scripts/deps.sh

# The programs, and how each shows that it has started: a window on the
# desktop, or a tray icon (beside its hidden window). setup starts from the
# distribution folder it installs from, and shows its first dialog.
programs=(kelvane:tray quillet:tray tempane:tray corvessa:window vorrin:tray setup:window)

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
wine_environment "$state"

desktop="Nimbrel,1024x768"
wine explorer "/desktop=$desktop" </dev/null >/dev/null 2>&1 &
started=()
for entry in "${programs[@]}"; do
  exe=$build/bin/${entry%:*}.exe
  [ "${entry%:*}" = setup ] && exe=$build/bin/dist/setup.exe
  if [ -f "$exe" ]; then
    wine explorer "/desktop=$desktop" "$exe" </dev/null >/dev/null 2>&1 &
    started+=("$entry")
  fi
done

# Wine gives each of the programs' top-level windows, hidden ones included, an
# X window whose class is the program's file name. The tray gives each icon a
# tooltip window owned by the tray, so the icons in the tray are counted as the
# desktop's windows that are transient for another.
tray_icons() {
  local window count=0
  for window in $(xdotool search --classname '^explorer\.exe$' 2>/dev/null); do
    xprop -id "$window" WM_TRANSIENT_FOR 2>/dev/null | grep -q 'window id' && count=$((count + 1))
  done
  echo "$count"
}

# Prints what is not up yet: the programs without their window (shown, for a
# window program), and the tray when it holds fewer icons than tray programs.
not_up() {
  local entry program trays=0 icons
  for entry in "${started[@]}"; do
    program=${entry%:*}
    if [ "${entry#*:}" = window ]; then
      xdotool search --onlyvisible --classname "^$program\\.exe\$" >/dev/null 2>&1 || echo "$program"
    else
      trays=$((trays + 1))
      xdotool search --classname "^$program\\.exe\$" >/dev/null 2>&1 || echo "$program"
    fi
  done
  if [ "$trays" -gt 0 ]; then
    icons=$(tray_icons)
    [ "$icons" -ge "$trays" ] || echo "tray icons ($icons of $trays)"
  fi
}
all_up() { [ -z "$(not_up)" ]; }
desktop_up() { xdotool search --name 'Nimbrel - Wine desktop' >/dev/null 2>&1; }

if [ ${#started[@]} -eq 0 ]; then
  wait_for 60 desktop_up || echo "The Wine desktop did not appear within 60 s."
  echo "Started the Wine desktop; no program is built yet."
else
  if wait_for 60 desktop_up && wait_for 60 all_up; then
    echo "Up in the Wine desktop: ${started[*]%:*}"
  else
    echo "Started in the Wine desktop: ${started[*]%:*}; still not up after 60 s: $(not_up | paste -sd, -)"
  fi
fi

if [ "$headless" = yes ]; then
  shot=$PWD/$build/suite-desktop.png
  import -window root "$shot"
  echo "Screenshot of the desktop: $shot"
  scripts/wine-session.sh stop "$state" >/dev/null
else
  echo "Close the Wine desktop window to end the run."
  wait
  scripts/wine-session.sh stop "$state" >/dev/null
fi
