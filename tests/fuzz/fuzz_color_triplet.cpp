// ParseColorTriplet on any text: never throws, never sets bits above the blue byte, ignores
// blanks, and agrees part by part with the leading-number rule.
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

#include "config/settings_grammar.h"
#include "fuzz_text.h"

using namespace vorlux;
using namespace vorlux::fuzz;

namespace {

// One component as the grammar describes it, worked out without the parser's helpers:
// nearest integer with halves to even, outside 16 bits an error, then limited to 0..255.
std::optional<int> Component(std::wstring_view part) {
  const std::optional<double> v = LeadingNumber(part);
  if (!v) return std::nullopt;
  if (*v >= 32767.5 || *v < -32768.5) return std::nullopt;
  double r = std::floor(*v + 0.5);  // exact in this range
  if (r - *v == 0.5 && std::fmod(r, 2.0) != 0) r -= 1;
  const int i = static_cast<int>(r);
  return i < 0 ? 0 : (i > 255 ? 255 : i);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::wstring text = TextFromBytes(data, size);
  const std::optional<uint32_t> color = ParseColorTriplet(text);
  if (color) FUZZ_REQUIRE((*color & 0xFF000000u) == 0);

  const size_t p1 = text.find(L',');
  const size_t p2 = p1 == std::wstring::npos ? p1 : text.find(L',', p1 + 1);
  if (p2 == std::wstring::npos) {
    FUZZ_REQUIRE(color == MakeColor(255, 255, 255));
  } else {
    const auto r = Component(std::wstring_view(text).substr(0, p1));
    const auto g = Component(std::wstring_view(text).substr(p1 + 1, p2 - p1 - 1));
    const auto b = Component(std::wstring_view(text).substr(p2 + 1));
    if (r && g && b)
      FUZZ_REQUIRE(color == MakeColor(*r, *g, *b));
    else
      FUZZ_REQUIRE(!color.has_value());
  }

  // Blanks, tabs and line feeds count for nothing.
  FUZZ_REQUIRE(ParseColorTriplet(WithoutBlanks(text)) == color);
  FUZZ_REQUIRE(ParseColorTriplet(WithBlanks(text, 1 + size % 7)) == color);
  return 0;
}
