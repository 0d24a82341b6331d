// The four user settings as stored, read in one place for the show and the setup dialog, each
// of which applies its own rules to them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "config/settings_store.h"

namespace vorlux {

struct StoredSettings {
  std::wstring ColorFixed;  // the stored text; "" when never written
  // ColorRandom; a text that does not convert counts as its default, random colours: skipping
  // the choice would leave every figure black.
  bool RandomColors = true;
  std::optional<bool> BlackScreen;  // empty when the text does not convert
  std::optional<bool> MouseMove;
};

// Reads ColorFixed, ColorRandom, BlackScreen and MouseMove, in that order, with the defaults
// "", "1", "1" and "0".
StoredSettings ReadStoredSettings(SettingsStore& store, std::wstring_view app);

}  // namespace vorlux
