// The name under which the settings dialog lists this saver.
#include "saver/list_name.h"

namespace vorlux {

namespace {

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

std::wstring SaverListName(std::wstring_view fileName) {
  // A full path may be given; only the last component is the file name.
  const size_t slash = fileName.find_last_of(L"\\/:");
  if (slash != std::wstring_view::npos) fileName.remove_prefix(slash + 1);
  const size_t dot = fileName.find_last_of(L'.');
  if (dot != std::wstring_view::npos) fileName = fileName.substr(0, dot);

  size_t start = 0;
  for (int skipped = 0; skipped < 2 && start < fileName.size(); ++skipped) {
    const bool pair = start + 1 < fileName.size() && IsHighSurrogate(fileName[start]) &&
                      IsLowSurrogate(fileName[start + 1]);
    start += pair ? 2 : 1;
  }
  return std::wstring(fileName.substr(start));
}

}  // namespace vorlux
