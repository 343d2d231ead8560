# Precompiled headers: the system's and the standard library's headers (and GoogleTest's for the
# tests) are parsed once per build instead of once per source file, which is most of what a source
# file costs to compile at -O0. Two headers are precompiled, each once, in a target of its own;
# the layers and programs reuse the first, the test programs the second. Only headers from outside
# the project go in, so the layers' include rules (cmake/Layers.cmake) are untouched.
# KVL_PRECOMPILED_HEADERS=OFF compiles every file on its own (for instance to check that each
# source includes what it uses).
option(KVL_PRECOMPILED_HEADERS "Precompile the system, standard and GoogleTest headers" ON)

set(KVL_PCH_SYSTEM_HEADERS
  <windows.h> <commctrl.h>
  <algorithm> <array> <cmath> <cstdint> <cstdlib> <cstring> <functional> <map> <memory>
  <optional> <set> <string> <string_view> <unordered_map> <utility> <vector>)

# ccache reuses objects built with a precompiled header only when told to ignore the header's
# time stamps and its __DATE__/__TIME__ (ccache then hashes the .gch's contents instead).
if(KVL_PRECOMPILED_HEADERS)
  foreach(lang C CXX)
    if(CMAKE_${lang}_COMPILER_LAUNCHER MATCHES "ccache" AND NOT CMAKE_${lang}_COMPILER_LAUNCHER MATCHES "SLOPPINESS")
      set(CMAKE_${lang}_COMPILER_LAUNCHER
          ${CMAKE_COMMAND} -E env CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
          ${CMAKE_${lang}_COMPILER_LAUNCHER})
    endif()
  endforeach()
endif()

# The precompiled header of the product code.
if(KVL_PRECOMPILED_HEADERS)
  add_library(kvl_pch OBJECT ${CMAKE_SOURCE_DIR}/cmake/pch/Empty.cpp)
  target_precompile_headers(kvl_pch PRIVATE ${KVL_PCH_SYSTEM_HEADERS})
endif()

# kvl_precompiled(target [TESTS]): compiles the target's C++ sources with the product's
# precompiled header, or with the tests' (TESTS; made on first use, after GoogleTest is added).
function(kvl_precompiled target)
  if(NOT KVL_PRECOMPILED_HEADERS)
    return()
  endif()
  set(host kvl_pch)
  if(ARGV1 STREQUAL "TESTS")
    set(host kvl_tests_pch)
    if(NOT TARGET kvl_tests_pch)
      add_library(kvl_tests_pch OBJECT ${CMAKE_SOURCE_DIR}/cmake/pch/Empty.cpp)
      target_link_libraries(kvl_tests_pch PRIVATE GTest::gtest GTest::gmock)
      target_precompile_headers(kvl_tests_pch PRIVATE ${KVL_PCH_SYSTEM_HEADERS} <gtest/gtest.h> <gmock/gmock.h>)
    endif()
  endif()
  set_target_properties(${target} PROPERTIES PRECOMPILE_HEADERS_REUSE_FROM ${host})
endfunction()
