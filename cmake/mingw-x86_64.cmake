# Cross compilation for 64-bit Windows with mingw-w64 (posix thread model).
# Programs built with it run on this Linux machine through Wine's 64-bit loader.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KVL_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
if(EXISTS /usr/lib/wine/wine64)
  # The one Wine launcher of the project (it says why it turns address randomisation off).
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine.sh)
endif()
