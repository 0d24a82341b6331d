// The setup dialog's rules on stored texts and list indices.
#include "setup/setup_choices.h"

#include "base/color.h"
#include "base/numeric.h"
#include "config/settings_grammar.h"

namespace vorlux {

std::wstring ColorListEntry(int i) { return L"  " + DecimalText(i); }

StoredChoices ChoicesFromStored(const StoredSettings& stored) {
  StoredChoices c;
  c.black = stored.BlackScreen.value_or(false);
  c.mouse = stored.MouseMove.value_or(false);
  if (!stored.RandomColors) {
    c.colors = StoredChoices::Colors::kFixed;
    const auto parts = SplitTriplet(stored.ColorFixed);
    if (!parts) return c;
    c.components.emplace();
    for (int k = 0; k < 3; ++k)
      if (const auto n = LeadingNumber((*parts)[k]))
        if (const auto v = ToInt16(*n)) (*c.components)[k] = *v;
  } else if (const auto f = ParseBoolWord(stored.ColorFixed); f && !*f) {
    // A fixed colour stored beside random colours reads as "yes" (or does not convert): then
    // neither option is chosen.
    c.colors = StoredChoices::Colors::kRandom;
  }
  return c;
}

uint32_t SwatchColor(int red, int green, int blue) {
  const auto part = [](int index) { return index < 0 ? 0 : index; };
  return MakeColor(part(red), part(green), part(blue));
}

std::vector<std::pair<std::wstring_view, std::wstring>> ChoicesToStore(bool fixedColor, int red,
                                                                       int green, int blue,
                                                                       bool black, bool mouse) {
  std::vector<std::pair<std::wstring_view, std::wstring>> out;
  if (fixedColor) {
    out.emplace_back(kKeyColorFixed,
                     DecimalText(red) + L"," + DecimalText(green) + L"," + DecimalText(blue));
    out.emplace_back(kKeyColorRandom, L"0");
  } else {
    out.emplace_back(kKeyColorFixed, L"");
    out.emplace_back(kKeyColorRandom, L"1");
  }
  out.emplace_back(kKeyBlackScreen, black ? L"1" : L"0");
  out.emplace_back(kKeyMouseMove, mouse ? L"1" : L"0");
  return out;
}

}  // namespace vorlux
