// The saver's list name taken from the program's file on disk.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace vorlux {

// The list name of the program at `path`. A short (8.3) path is first turned into the long
// one, since the dialog lists the long name.
std::wstring ListNameOfPath(std::wstring_view path);

// The list name of the running program.
std::wstring ProgramListName();

}  // namespace vorlux
