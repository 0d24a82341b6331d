// libFuzzer targets for the parsers of outside text, one per build of this file.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/command_line.h"
#include "base/text_case.h"
#include "config/settings_grammar.h"

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
  REQUIRE(!n || std::isfinite(*n));
  REQUIRE(vorlux::LeadingNumber(WithoutBlanks(text)) == n);
  REQUIRE(vorlux::LeadingNumber(text + L"x") == n);  // fits nowhere in a number
}

void BoolWord(const std::wstring& text, const uint8_t*, size_t) {
  const auto value = ParseBoolWord(text);
  const auto number = vorlux::LeadingNumber(text);
  REQUIRE(value || !number);  // an error only from a number too large for a double
  REQUIRE(ParseBoolWord(LowerCaseText(text)) == value);
  // Words are not trimmed: after a blank, any text is read as a number.
  const auto padded = ParseBoolWord(L" " + text);
  REQUIRE(padded.has_value() == number.has_value() && (!padded || *padded == (*number != 0)));
}

void ColorTriplet(const std::wstring& text, const uint8_t*, size_t) {
  const auto color = ParseColorTriplet(text);
  REQUIRE(!color || *color <= 0xFFFFFFu);  // components within 0..255
  REQUIRE(ParseColorTriplet(WithoutBlanks(text)) == color);
  const size_t comma = text.find(L',');
  if (comma == text.npos || text.find(L',', comma + 1) == text.npos)
    REQUIRE(color == MakeColor(255, 255, 255));
}

void CommandLine(const std::wstring& line, const uint8_t* data, size_t size) {
  const std::wstring arguments = ArgumentText(line);
  REQUIRE(line.ends_with(arguments) && !arguments.starts_with(L' ') &&
          !arguments.starts_with(L'\t'));
  for (const std::wstring& args : {arguments, line}) {
    const std::wstring command = CommandText(args);
    const int32_t mode = RunModeOf(command);
    REQUIRE(mode >= kRunModeNone && mode <= kRunModePassword);
    (void)PreviewHandle(command), (void)SetupOwnerHandle(command);
  }
  // Any 32-bit handle written as Windows writes it comes back whole.
  int32_t handle = 0;
  std::memcpy(&handle, data, std::min(size, sizeof handle));
  const std::wstring decimal = std::to_wstring(handle);
  REQUIRE(PreviewHandle(CommandText(ArgumentText(L"SSVorlux.scr /p " + decimal))) == handle);
  REQUIRE(SetupOwnerHandle(CommandText(L"/c:" + decimal)) == handle);
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
