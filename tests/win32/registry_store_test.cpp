// The settings store in the registry: whole texts in, the same texts out, defaults for the rest.
#include <gtest/gtest.h>

#include <string>

#include "config/settings_store.win32.h"

namespace vorlux::test {
namespace {

TEST(RegistryStore, KeepsAnyTextAsOneStringValueAndReadsTheDefaultForTheRest) {
  const std::wstring app = L"Vorlux Store Test " + std::to_wstring(GetCurrentProcessId());
  RegistrySettingsStore store;
  EXPECT_EQ(store.Read(app, L"Setting", L"ColorRandom", L"1"), L"1") << "no key at all";
  store.Write(app, L"Setting", L"Other", L"x");
  EXPECT_EQ(store.Read(app, L"Setting", L"ColorRandom", L"1"), L"1") << "section without key";
  EXPECT_EQ(store.Read(app, L"Another", L"Other", L"d"), L"d") << "sections are separate";

  for (const std::wstring& text :
       {std::wstring(), std::wstring(L"255,128,0"),
        std::wstring(L"s\u00ec \u00e8 \u4e2d\u6587 \U0001F600"),
        std::wstring(100000, L'7') + L"end", std::wstring(L" a\r\nb ")}) {
    store.Write(app, L"Setting", L"Value", text);
    EXPECT_EQ(store.Read(app, L"Setting", L"Value", L"<default>"), text)
        << "length " << text.size();
  }

  store.Write(app, L"Setting", L"BlackScreen", L"0");
  HKEY key;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, (L"Software\\" + app + L"\\Setting").c_str(), 0,
                          KEY_READ | KEY_SET_VALUE, &key),
            ERROR_SUCCESS);
  DWORD type = 0, size = 0;
  EXPECT_EQ(RegQueryValueExW(key, L"BlackScreen", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(size, 2 * sizeof(wchar_t)) << "the text and its terminating NUL";
  // A value of another type, put there by hand, reads as absent rather than as garbage.
  const DWORD number = 5;
  RegSetValueExW(key, L"MouseMove", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4);
  RegCloseKey(key);
  EXPECT_EQ(store.Read(app, L"Setting", L"MouseMove", L"0"), L"0");
  RegDeleteTreeW(HKEY_CURRENT_USER, (L"Software\\" + app).c_str());
}

}  // namespace
}  // namespace vorlux::test
