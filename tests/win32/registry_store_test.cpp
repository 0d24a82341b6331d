// The settings store in the registry: whole texts in, the same texts out, defaults for the rest.
#include <gtest/gtest.h>

#include <string>

#include "config/settings_store.win32.h"

namespace vorlux::test {
namespace {

TEST(RegistryStore, KeepsAnyTextAsOneStringValueAndReadsTheDefaultForTheRest) {
  const std::wstring app = L"Vorlux Store Test " + std::to_wstring(GetCurrentProcessId());
  const std::wstring section = L"Software\\" + app + L"\\Setting";
  RegistrySettingsStore store;
  const auto read = [&](const wchar_t* key) { return store.Read(app, L"Setting", key, L"-"); };
  EXPECT_EQ(read(L"Value"), L"-") << "no key at all";
  store.Write(app, L"Setting", L"Other", L"x");
  EXPECT_EQ(read(L"Value"), L"-") << "a section without the key";
  EXPECT_EQ(store.Read(app, L"Another", L"Other", L"d"), L"d") << "sections are separate";
  for (const std::wstring& text :
       {std::wstring(), std::wstring(L"255,128,0"),
        std::wstring(L"s\u00ec \u00e8 \u4e2d\u6587 \U0001F600"),
        std::wstring(100000, L'7') + L"end", std::wstring(L" a\r\nb ")}) {
    store.Write(app, L"Setting", L"Value", text);
    EXPECT_EQ(read(L"Value"), text) << "length " << text.size();
  }
  DWORD type = 0, size = 0, number = 5;
  RegGetValueW(HKEY_CURRENT_USER, section.c_str(), L"Other", RRF_RT_ANY | RRF_NOEXPAND, &type,
               nullptr, &size);
  EXPECT_TRUE(type == REG_SZ && size == 2 * sizeof(wchar_t)) << "one text value with its NUL";
  // A value of another type, put there by hand, reads as absent rather than as garbage.
  RegSetKeyValueW(HKEY_CURRENT_USER, section.c_str(), L"Number", REG_DWORD, &number, 4);
  EXPECT_EQ(read(L"Number"), L"-");
  RegDeleteTreeW(HKEY_CURRENT_USER, (L"Software\\" + app).c_str());
}

}  // namespace
}  // namespace vorlux::test
