# Cross build for 64-bit Windows: the same program and tests, run under 64-bit Wine on machines
# that cannot run 32-bit Linux programs (a kernel without 32-bit support).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VORLUX_MINGW x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
