// ParseBoolWord on any text: never throws, ignores letter case, and for a text that is no
// word falls back to the leading number.
#include <optional>
#include <string>

#include "base/text_case.h"
#include "config/settings_grammar.h"
#include "fuzz_text.h"

using namespace vorlux;
using namespace vorlux::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::wstring text = TextFromBytes(data, size);
  const std::optional<bool> value = ParseBoolWord(text);

  // An error only ever comes from a number too large for a double.
  const std::optional<double> number = LeadingNumber(text);
  if (!value) FUZZ_REQUIRE(!number.has_value());

  // No word is longer than eight letters: longer texts follow the number alone.
  if (text.size() > 8) {
    FUZZ_REQUIRE(value.has_value() == number.has_value());
    if (value) FUZZ_REQUIRE(*value == (*number != 0));
  }

  // Letter case never matters. (For ASCII only: Unicode upper-casing can turn a non-word
  // such as dotless "s\u0131" into a word.)
  if (IsAscii(text)) {
    FUZZ_REQUIRE(ParseBoolWord(AsciiUpper(text)) == value);
    FUZZ_REQUIRE(ParseBoolWord(AsciiLower(text)) == value);
  }
  FUZZ_REQUIRE(ParseBoolWord(LowerCaseText(text)) == value);

  // Nothing is trimmed: a leading blank makes any word a plain number.
  const std::wstring padded = L" " + text;
  const std::optional<bool> paddedValue = ParseBoolWord(padded);
  FUZZ_REQUIRE(paddedValue.has_value() == number.has_value());
  if (paddedValue) FUZZ_REQUIRE(*paddedValue == (*number != 0));
  return 0;
}
