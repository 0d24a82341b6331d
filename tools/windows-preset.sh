#!/usr/bin/env bash
# Prints the CMake preset of the Windows build that this machine can run under Wine: win32 (the
# shipped program), or win64 where the kernel cannot run 32-bit programs.
if /usr/lib/wine/wine --version >/dev/null 2>&1; then echo win32; else echo win64; fi
