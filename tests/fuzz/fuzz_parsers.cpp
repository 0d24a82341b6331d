// libFuzzer targets for the parsers of outside text, one per build of this file.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/command_line.h"
#include "config/settings_grammar.h"
#include "setup/setup_choices.h"

#define REQUIRE(cond) \
  ((cond) ? void() : (std::fprintf(stderr, "invariant broken: %s\n", #cond), std::abort()))

// FUZZ_TARGET names the function below that a build runs on every input.
namespace vorlux::fuzz {

// Blanks, tabs and line feeds count for nothing in the settings grammar.
std::wstring WithoutBlanks(const std::wstring& text) {
  std::wstring out;
  for (wchar_t c : text)
    if (c != L' ' && c != L'\t' && c != L'\n') out += c;
  return out;
}

void LeadingNumber(const std::wstring& text, const uint8_t*, size_t) {
  const auto n = vorlux::LeadingNumber(text);
  REQUIRE((!n || std::isfinite(*n)) && vorlux::LeadingNumber(WithoutBlanks(text)) == n);
}

void BoolWord(const std::wstring& text, const uint8_t*, size_t) {
  // An error only from a number too large for a double.
  REQUIRE(ParseBoolWord(text) || !vorlux::LeadingNumber(text));
}

// The dialog reads a stored fixed colour as the show does: the components the show clamps.
void ColorTriplet(const std::wstring& text, const uint8_t*, size_t) {
  const auto color = ParseColorTriplet(text);
  REQUIRE((!color || *color <= 0xFFFFFFu) && ParseColorTriplet(WithoutBlanks(text)) == color);
  const StoredChoices c = ChoicesFromStored({.ColorFixed = text, .RandomColors = false});
  REQUIRE(c.colors == StoredChoices::Colors::kFixed &&
          c.components.has_value() == SplitTriplet(text).has_value());
  if (!c.components || !color) return;
  const auto shown = [](const std::optional<int>& v) { return v ? std::clamp(*v, 0, 255) : -1; };
  REQUIRE(MakeColor(shown((*c.components)[0]), shown((*c.components)[1]),
                    shown((*c.components)[2])) == *color);
}

void CommandLine(const std::wstring& line, const uint8_t* data, size_t size) {
  for (const std::wstring& args : {ArgumentText(line), line}) {
    const std::wstring command = CommandText(args);
    REQUIRE(RunModeOf(command) >= kRunModeNone && RunModeOf(command) <= kRunModePassword);
    (void)PreviewHandle(command), (void)SetupOwnerHandle(command);
  }
  // Any 32-bit handle written as Windows writes it comes back whole.
  int32_t handle = 0;
  std::memcpy(&handle, data, std::min(size, sizeof handle));
  const std::wstring decimal = std::to_wstring(handle);
  REQUIRE(PreviewHandle(CommandText(ArgumentText(L"SSVorlux.scr /p " + decimal))) == handle &&
          SetupOwnerHandle(CommandText(L"/c:" + decimal)) == handle);
}

}  // namespace vorlux::fuzz

// The bytes as little-endian UTF-16 code units, as Windows hands text to the program; unpaired
// surrogates and NULs are kept.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::wstring text;
  for (size_t i = 0; i + 1 < size; i += 2) text += static_cast<wchar_t>(data[i] | data[i + 1] << 8);
  vorlux::fuzz::FUZZ_TARGET(text, data, size);
  return 0;
}
