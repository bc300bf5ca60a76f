# Cross build for Windows with MinGW-w64 for the processor that the including toolchain file
# names (_parko_processor, _parko_bits). The Win32 thread model, not the POSIX one: its static
# thread library would import kernel32 functions that Windows 95 to XP lack
# (GetTickCount64, AddVectoredExceptionHandler, ...).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${_parko_processor})

set(CMAKE_C_COMPILER ${_parko_processor}-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER ${_parko_processor}-w64-mingw32-g++-win32)
set(CMAKE_RC_COMPILER ${_parko_processor}-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${_parko_processor}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# No MinGW runtime DLL next to the program: libgcc and libstdc++ go in statically.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")

get_filename_component(_parko_root "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR "${_parko_root}/tools/wine-run;--bits;${_parko_bits}")
