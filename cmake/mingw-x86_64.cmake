# Cross compilation for 64-bit Windows with mingw-w64 (posix thread model).
# Programs built with it run on this Linux machine through Wine's 64-bit loader.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KVL_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
if(EXISTS /usr/lib/wine/wine64)
  # Debian's Wine has no preloader: with a randomised heap start the loader sometimes finds the
  # address of its shared user data taken and exits 1 before the program runs (about one start in
  # 8,000). Without randomisation for Wine's own process the heap always starts well clear of it.
  find_program(KVL_SETARCH setarch REQUIRED)
  execute_process(COMMAND uname -m OUTPUT_VARIABLE KVL_HOST_ARCH OUTPUT_STRIP_TRAILING_WHITESPACE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${KVL_SETARCH} ${KVL_HOST_ARCH} -R /usr/lib/wine/wine64)
endif()
