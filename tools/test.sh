#!/bin/sh
# Sets up the machine, builds the 64-bit Windows build and runs every test under Wine in one Xvfb.
# Extra arguments go to ctest (for example: tools/test.sh -R Calendar).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build="${KVL_BUILD_DIR:-$root/build/x86_64}"

"$root/tools/setup.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" >/dev/null
cmake --build "$build"

. "$root/tools/wine-session.sh"
KVL_KEEPALIVE_EXE="$build/bin/winekeepalive.exe"
trap wine_session_stop EXIT
trap 'exit 130' INT TERM
wine_session_start "$build"
status=0
ctest --test-dir "$build" --output-on-failure -j "$(nproc)" "$@" || status=$?
exit $status
