# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-x86-64-posix).
# The programs are linked statically, so each .exe runs alone; the tests run under Wine
# when it is installed.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZANTOR_MINGW x86_64-w64-mingw32)
# The posix flavour: std::thread and friends, which the tests' framework uses.
set(CMAKE_C_COMPILER ${ZANTOR_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZANTOR_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${ZANTOR_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ZANTOR_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# No DLLs of the compiler's run time beside the programs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Debian's wine64 puts its loader outside PATH.
find_program(ZANTOR_WINE NAMES wine64 wine PATHS /usr/lib/wine /usr/lib64/wine NO_CMAKE_FIND_ROOT_PATH)
if(ZANTOR_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${ZANTOR_WINE})
endif()
