# Cross build for Windows with MinGW-w64 in the Win32 thread model: the program runs on one
# thread and needs no POSIX threads library. The architecture's toolchain file names the
# compilers' prefix in VORLUX_MINGW before including this one.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${VORLUX_MINGW}-gcc-win32)
set(CMAKE_CXX_COMPILER ${VORLUX_MINGW}-g++-win32)
set(CMAKE_RC_COMPILER ${VORLUX_MINGW}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${VORLUX_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
