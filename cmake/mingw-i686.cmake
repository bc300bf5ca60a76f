# The shipped build: 32-bit Windows, run and tested under Wine.
set(_parko_processor i686)
set(_parko_bits 32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
