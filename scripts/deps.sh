#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when missing.
set -euo pipefail
source "$(dirname "$0")/lib.sh"

sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
updated=no

install_missing() { # package...
  local p missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  if [ "$updated" = no ]; then
    $sudo apt-get update -qq
    updated=yes
  fi
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
}

install_missing cmake ninja-build clang libclang-rt-14-dev python3 binutils \
  googletest libgtest-dev libbenchmark-dev libpugixml-dev libtinyxml2-dev \
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine64 \
  xvfb xauth x11-utils xdotool imagemagick

# 32-bit Wine only where 32-bit code runs. The probe needs binutils, installed
# above, and test.sh and run.sh ask the same function which preset to run, so
# the packages and the preset always agree.
preset=$(runnable_windows_preset)
if [ "$preset" = win32 ]; then
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
    updated=no
  fi
  install_missing wine32:i386
fi
