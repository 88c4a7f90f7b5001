#!/usr/bin/env bash
# Starts or stops the private Wine session of one build tree:
#   wine-session.sh start STATE_DIR win32|win64
#   wine-session.sh stop STATE_DIR [SCREENSHOT_DIR]
# start makes (once per Wine version) a prefix fit for tests, starts a private
# Xvfb unless WINE_SESSION_DISPLAY names a display to use, and keeps
# `wineserver -p` running until stop.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
action=$1 state=$(realpath -m "$2") arch=${3:-win32}
mkdir -p "$state"
wine_environment "$state"

start_display() {
  if [ -n "${WINE_SESSION_DISPLAY:-}" ]; then
    echo "$WINE_SESSION_DISPLAY" > "$state/display"; return 0
  fi
  if [ -f "$state/xvfb.pid" ] && kill -0 "$(cat "$state/xvfb.pid")" 2>/dev/null; then
    return 0
  fi
  local n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  setsid Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
  echo $! > "$state/xvfb.pid"
  echo ":$n" > "$state/display"
  wait_for 20 test -e "/tmp/.X11-unix/X$n" || { echo "Xvfb :$n did not start" >&2; return 1; }
}

make_prefix() {
  local stamp="$(wine --version 2>/dev/null) $arch prefix-v2"
  [ -f "$state/prefix.stamp" ] && [ "$(cat "$state/prefix.stamp")" = "$stamp" ] && return 0
  wineserver -k 2>/dev/null
  rm -rf "$WINEPREFIX" "$state/prefix.stamp"
  echo "Creating the test prefix ($arch) in $WINEPREFIX"
  WINEARCH=$arch timeout 300 wineboot -i </dev/null >/dev/null 2>&1
  # Without a window manager, hiding a managed window waits 2 s for one.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
  # A crash must fail the test, not open a dialog that waits forever.
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f </dev/null >/dev/null 2>&1
  timeout 60 wineserver -w
  # The user folders are links into $HOME: make them private empty folders.
  local link
  for link in "$WINEPREFIX"/drive_c/users/*/*; do
    if [ -L "$link" ]; then rm -f "$link"; mkdir -p "$link"; fi
  done
  # Debian's Wine does not register the Marlett font it ships, and caption
  # buttons drawn without it show a letter "r" instead of the close cross.
  cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null
  echo "$stamp" > "$state/prefix.stamp"
}

case "$action" in
  start)
    start_display || exit 1
    wine_environment "$state"
    make_prefix || exit 1
    setsid wineserver -p </dev/null >/dev/null 2>&1 &
    echo "Wine session ready: prefix $WINEPREFIX, display $DISPLAY"
    ;;
  stop)
    wineserver -k 2>/dev/null
    if [ -f "$state/xvfb.pid" ]; then
      kill "$(cat "$state/xvfb.pid")" 2>/dev/null
      rm -f "$state/xvfb.pid" "$state/display"
    fi
    # Tests save screen pictures as BMP; leave a PNG beside each for people.
    # Without time stamps in it, a PNG only changes when the picture does, so
    # the committed gallery (scripts/screenshots.sh) changes only then too.
    shots=${3:-}
    if [ -n "$shots" ] && [ -d "$shots" ] && command -v convert >/dev/null; then
      for bmp in "$shots"/*.bmp; do
        [ -e "$bmp" ] || continue
        convert "$bmp" -define png:exclude-chunks=date,time "${bmp%.bmp}.png" && rm -f "$bmp" \
          && echo "Screenshot: ${bmp%.bmp}.png"
      done
    fi
    echo "Wine session stopped"
    ;;
  *) echo "usage: $0 start|stop STATE_DIR [win32|win64]" >&2; exit 2 ;;
esac
