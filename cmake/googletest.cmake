# GoogleTest, built from Debian's sources with the build's own compiler and flags: MinGW for
# Win32, and natively -m32 (the system's library is 64-bit).
include(GoogleTest)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)
if(WIN32)
  # The Win32 thread model's C++ library has no std::mutex: GoogleTest's Notification comes
  # from a Win32 event instead.
  target_compile_options(gtest PUBLIC
    "SHELL:-include ${PROJECT_SOURCE_DIR}/tests/win/GtestNotificationWin.h")
endif()

# A Win32 test runs under Wine, one at a time: the cases share the prefix's registry, the
# display and the single-instance mutex. ENVIRONMENT NAME=VALUE ... is set for its cases.
# Off on a host that cannot execute 32-bit code: the 32-bit tree is then built, and its image
# checked, without running anything under Wine.
option(PARKO_WINE_TESTS "Register the Win32 tests, which run under Wine" ON)
function(parko_add_gtest target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "ENVIRONMENT")
  parko_warnings(${target})
  if(WIN32)
    target_link_libraries(${target} PRIVATE gtest gtest_main)
    if(NOT PARKO_WINE_TESTS)
      return()
    endif()
    set(environment "")
    if(arg_ENVIRONMENT)
      set(environment ENVIRONMENT "${arg_ENVIRONMENT}")
    endif()
    gtest_discover_tests(${target}
      DISCOVERY_MODE PRE_TEST
      DISCOVERY_TIMEOUT 60
      PROPERTIES TIMEOUT 60 RESOURCE_LOCK wine_desktop ${environment})
  else()
    target_link_libraries(${target} PRIVATE gtest gtest_main)
    gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST)
  endif()
endfunction()
