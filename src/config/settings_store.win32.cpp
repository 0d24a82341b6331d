// The settings store in the per-user registry.
#include "config/settings_store.win32.h"

#include <vector>

#include "base/errors.h"

namespace vorlux {

namespace {

std::wstring KeyPath(std::wstring_view app, std::wstring_view section) {
  std::wstring path = L"Software\\";
  path += app;
  path += L'\\';
  path += section;
  return path;
}

}  // namespace

std::wstring RegistrySettingsStore::Read(std::wstring_view app, std::wstring_view section,
                                         std::wstring_view key, std::wstring_view defaultValue) {
  HKEY hkey;
  if (RegOpenKeyExW(root_, KeyPath(app, section).c_str(), 0, KEY_QUERY_VALUE, &hkey) !=
      ERROR_SUCCESS)
    return std::wstring(defaultValue);
  const std::wstring name(key);
  std::vector<BYTE> data(256);
  DWORD type = 0;
  LSTATUS status;
  // The value may grow between the size query and the read; ask again until it fits.
  for (;;) {
    DWORD size = static_cast<DWORD>(data.size());
    status = RegQueryValueExW(hkey, name.c_str(), nullptr, &type, data.data(), &size);
    if (status == ERROR_MORE_DATA) {
      data.resize(static_cast<size_t>(size) + sizeof(wchar_t));
      continue;
    }
    data.resize(status == ERROR_SUCCESS ? size : 0);
    break;
  }
  RegCloseKey(hkey);
  if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
    return std::wstring(defaultValue);
  std::wstring value(data.size() / sizeof(wchar_t), L'\0');
  if (!value.empty()) memcpy(value.data(), data.data(), value.size() * sizeof(wchar_t));
  while (!value.empty() && value.back() == L'\0') value.pop_back();
  return value;
}

void RegistrySettingsStore::Write(std::wstring_view app, std::wstring_view section,
                                  std::wstring_view key, std::wstring_view value) {
  HKEY hkey;
  LSTATUS status = RegCreateKeyExW(root_, KeyPath(app, section).c_str(), 0, nullptr, 0,
                                   KEY_SET_VALUE, nullptr, &hkey, nullptr);
  if (status != ERROR_SUCCESS) throw Error("the settings could not be opened for writing");
  const std::wstring name(key);
  const std::wstring text(value);
  const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  status = bytes > MAXDWORD ? ERROR_INVALID_PARAMETER
                            : RegSetValueExW(hkey, name.c_str(), 0, REG_SZ,
                                             reinterpret_cast<const BYTE*>(text.c_str()),
                                             static_cast<DWORD>(bytes));
  RegCloseKey(hkey);
  if (status != ERROR_SUCCESS) throw Error("the setting could not be written");
}

}  // namespace vorlux
