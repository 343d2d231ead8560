#!/bin/sh
# Sourced by the run and benchmark scripts: configures and builds the optimised, stripped Release
# build they share (tests keep their Debug build in build/x86_64).
#   root=REPOSITORY; . "$root/tools/release-config.sh"; kvl_release_build BUILD_DIR [build options...]
kvl_release_build() {
  _rb_dir=$1
  shift
  _rb_cache=""
  if command -v ccache >/dev/null 2>&1; then
    _rb_cache="-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache"
  fi
  # shellcheck disable=SC2086
  cmake -S "$root" -B "$_rb_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKVL_BUILD_TESTS=OFF \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" $_rb_cache \
        -DCMAKE_EXE_LINKER_FLAGS_RELEASE=-s -DCMAKE_SHARED_LINKER_FLAGS_RELEASE=-s >/dev/null
  cmake --build "$_rb_dir" "$@"
}
