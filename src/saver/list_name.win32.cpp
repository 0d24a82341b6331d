// The list name of the running program, from its long file name.
#include "saver/list_name.win32.h"

#include "saver/list_name.h"

namespace vorlux {

std::wstring ListNameOfPath(std::wstring_view path) {
  const std::wstring given(path);
  std::wstring longPath(MAX_PATH, L'\0');
  DWORD n = GetLongPathNameW(given.c_str(), longPath.data(), static_cast<DWORD>(longPath.size()));
  if (n >= longPath.size()) {
    longPath.resize(n);
    n = GetLongPathNameW(given.c_str(), longPath.data(), static_cast<DWORD>(longPath.size()));
  }
  if (n == 0 || n >= longPath.size()) return SaverListName(given);
  longPath.resize(n);
  return SaverListName(longPath);
}

std::wstring ProgramListName() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  return ListNameOfPath(path);
}

}  // namespace vorlux
