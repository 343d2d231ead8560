# Cross compilation for 32-bit Windows. Compiled only: these machines cannot run 32-bit code,
# so no emulator is set and tests are not registered.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(KVL_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
