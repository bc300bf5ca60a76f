# 64-bit Windows, run and tested under wine64. It is not shipped: it lets every test run on a
# host that cannot execute 32-bit x86 code.
set(_parko_processor x86_64)
set(_parko_bits 64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
