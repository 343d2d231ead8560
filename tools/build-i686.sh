#!/bin/sh
# Compiles the 32-bit Windows build (compile only: 32-bit programs cannot run on these machines).
# Nothing of it runs, so it is built without optimisation or debug information: the check is that
# every source compiles and every program links for 32-bit Windows, at the least cost.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/i686"
"$root/tools/setup.sh"
cache=""
if [ -z "${CMAKE_CXX_COMPILER_LAUNCHER:-}" ] && command -v ccache >/dev/null 2>&1; then
  cache="-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache"
fi
# shellcheck disable=SC2086
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=CompileCheck \
      -DCMAKE_CXX_FLAGS_COMPILECHECK=-O0 -DCMAKE_C_FLAGS_COMPILECHECK=-O0 -DCMAKE_RC_FLAGS_COMPILECHECK= \
      -DCMAKE_EXE_LINKER_FLAGS_COMPILECHECK= -DCMAKE_SHARED_LINKER_FLAGS_COMPILECHECK= \
      -DCMAKE_STATIC_LINKER_FLAGS_COMPILECHECK= -DCMAKE_MODULE_LINKER_FLAGS_COMPILECHECK= \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" $cache >/dev/null
cmake --build "$build"
