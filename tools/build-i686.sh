#!/bin/sh
# Compiles the 32-bit Windows build (compile only: 32-bit programs cannot run on these machines).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/i686"
"$root/tools/setup.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
cmake --build "$build"
