#!/bin/sh
# Sets up the machine, builds the 64-bit Windows build and runs every test under Wine.
# Extra arguments go to ctest (for example: tools/test.sh -R Calendar).
# The tests that show windows run on KVL_DESKTOPS desktops side by side (default: one per two
# cores, at most 6), each its own Xvfb and Wine prefix (tools/wine-session.sh).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build="${KVL_BUILD_DIR:-$root/build/x86_64}"

"$root/tools/setup.sh"
cache=""
if [ -z "${CMAKE_CXX_COMPILER_LAUNCHER:-}" ] && command -v ccache >/dev/null 2>&1; then
  cache="-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache"
fi
# shellcheck disable=SC2086
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" $cache >/dev/null
cmake --build "$build"

. "$root/tools/wine-session.sh"
KVL_KEEPALIVE_EXE="$build/bin/winekeepalive.exe"
trap wine_session_stop EXIT
trap 'exit 130' INT TERM
wine_session_start "$build" "$(wine_session_desktops)"
status=0
ctest --test-dir "$build" --output-on-failure -j "$(nproc)" --resource-spec-file "$KVL_CTEST_RESOURCES" "$@" || status=$?
exit $status
