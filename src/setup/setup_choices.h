// The setup dialog's rules that need no window: what the stored texts select in the dialog,
// the swatch colour of the three lists, and what OK stores.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "config/stored_settings.h"

namespace vorlux {

// The entries each colour list holds: two blanks and the number, 0 to 255.
inline constexpr int kColorListEntries = 256;
std::wstring ColorListEntry(int i);

struct StoredChoices {
  enum class Colors {
    kNone,    // no option is selected by loading: the dialog keeps what it shows
    kRandom,  // "Random Colors"
    kFixed,   // "Only one color", with the stored components
  };
  Colors colors = Colors::kNone;
  // For a fixed colour, the entries to select in red, green and blue; none when the stored text
  // has no two commas in order. A component whose number does not fit in 16 bits is empty: that
  // list keeps its state, as it does for a number outside -1 to 255, which the list refuses.
  std::optional<std::array<std::optional<int>, 3>> components;
  bool black = false;  // "Delete Screen"
  bool mouse = false;  // "Mouse sensitivity"
};

// The stored settings as the dialog shows them. A flag that did not convert reads unchecked.
StoredChoices ChoicesFromStored(const StoredSettings& stored);

// The colour of three list indices, a list without selection (-1) counting as 0.
uint32_t SwatchColor(int red, int green, int blue);

// The keys OK writes and their texts, in the order they are written. A list without selection
// gives -1.
std::vector<std::pair<std::wstring_view, std::wstring>> ChoicesToStore(bool fixedColor, int red,
                                                                       int green, int blue,
                                                                       bool black, bool mouse);

}  // namespace vorlux
