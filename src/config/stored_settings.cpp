// The reading of the four user settings from the store.
#include "config/stored_settings.h"

#include "config/settings_grammar.h"

namespace vorlux {

StoredSettings ReadStoredSettings(SettingsStore& store, std::wstring_view app) {
  const auto read = [&](std::wstring_view key, std::wstring_view def) {
    return store.Read(app, kSettingSection, key, def);
  };
  StoredSettings s;
  s.ColorFixed = read(kKeyColorFixed, L"");
  s.RandomColors = ParseBoolWord(read(kKeyColorRandom, L"1")).value_or(true);
  s.BlackScreen = ParseBoolWord(read(kKeyBlackScreen, L"1"));
  s.MouseMove = ParseBoolWord(read(kKeyMouseMove, L"0"));
  return s;
}

}  // namespace vorlux
