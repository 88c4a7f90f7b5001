#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when missing.
set -euo pipefail
source "$(dirname "$0")/lib.sh"

packages=(cmake ninja-build clang libclang-rt-14-dev python3 binutils
          googletest libgtest-dev libbenchmark-dev libpugixml-dev libtinyxml2-dev
          g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine64
          xvfb xauth x11-utils xdotool imagemagick)
i386=no
if can_run_i386; then
  i386=yes
  packages+=(wine32:i386)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
if [ "$i386" = yes ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
