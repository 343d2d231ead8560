#!/bin/sh
# Installs the Debian packages that building, testing and running need.
# Does nothing when they are all present; never asks questions (CI has no terminal).
set -eu

PACKAGES="cmake ninja-build googletest
g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
libz-mingw-w64-dev python3
wine64 xvfb xauth x11-apps imagemagick
fonts-wine fonts-wqy-microhei locales-all"

missing=""
for p in $PACKAGES; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done
[ -z "$missing" ] && exit 0

echo "setup: installing$missing"
SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO="sudo -n"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
# shellcheck disable=SC2086
$SUDO apt-get install -y -q --no-install-recommends $missing
