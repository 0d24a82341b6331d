#include "config/settings_store.win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace vorlux {
namespace {

class RegistryStore : public ::testing::Test {
 protected:
  void SetUp() override { app_ = L"Vorlux Store Test " + std::to_wstring(GetCurrentProcessId()); }
  void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, (L"Software\\" + app_).c_str()); }
  std::wstring Read(std::wstring_view key, std::wstring_view def = L"<default>") {
    return store_.Read(app_, L"Setting", key, def);
  }
  RegistrySettingsStore store_;
  std::wstring app_;
};

TEST_F(RegistryStore, AbsentKeysReadAsTheReadersDefault) {
  EXPECT_EQ(Read(L"ColorRandom", L"1"), L"1");
  store_.Write(app_, L"Setting", L"Other", L"x");
  EXPECT_EQ(Read(L"ColorRandom", L"1"), L"1") << "section exists, key does not";
  EXPECT_EQ(store_.Read(app_, L"Another", L"Other", L"d"), L"d") << "sections are separate";
}

TEST_F(RegistryStore, TextsRoundTripWhole) {
  const std::wstring texts[] = {
      L"",
      L"255,128,0",
      L"s\u00ec \u00e8 cos\u00ec \u4e2d\u6587 \U0001F600",
      std::wstring(100000, L'7') + L"end",
      L" leading and trailing blanks ",
      L"line\r\nbreak",
  };
  for (const auto& t : texts) {
    store_.Write(app_, L"Setting", L"Value", t);
    EXPECT_EQ(Read(L"Value"), t) << "length " << t.size();
  }
  EXPECT_EQ(Read(L"value"), texts[5]) << "key names are not case-sensitive in the registry";
}

TEST_F(RegistryStore, StoresOneStringValuePerKeyUnderTheApplicationAndSection) {
  store_.Write(app_, L"Setting", L"BlackScreen", L"0");
  HKEY key;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, (L"Software\\" + app_ + L"\\Setting").c_str(), 0,
                          KEY_READ, &key),
            ERROR_SUCCESS);
  DWORD type = 0, size = 0;
  EXPECT_EQ(RegQueryValueExW(key, L"BlackScreen", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(size, 2 * sizeof(wchar_t)) << "the text and its terminating NUL";
  // A value of another type, put there by hand, reads as absent rather than as garbage.
  const DWORD number = 5;
  RegSetValueExW(key, L"MouseMove", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4);
  RegCloseKey(key);
  EXPECT_EQ(Read(L"MouseMove", L"0"), L"0");
}

}  // namespace
}  // namespace vorlux
