// The text rules of the stored settings: case mapping, leading numbers, yes/no words and colour
// triplets.
#include "config/settings_grammar.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "base/text_case.h"

namespace vorlux::test {
namespace {

constexpr auto kNone = std::nullopt;
constexpr auto Rgb = MakeColor;
std::wstring Repeat(wchar_t c, size_t n) { return std::wstring(n, c); }

TEST(LeadingNumber, Grammar) {
  using Limits = std::numeric_limits<double>;
  // clang-format off
  const struct { std::wstring text; std::optional<double> value; } cases[] = {  // empty: too large
      // Blanks, tabs and line feeds are removed everywhere; other white space is unfit.
      {L" \t\n- 1 2 . 5", -12.5}, {L"& H 1 0", 16}, {L"1 e 2", 100}, {L"1\r2", 1}, {L"\u00A01", 0},
      // One leading sign, one period.
      {L"+5", 5}, {L"--5", 0}, {L"+-5", 0}, {L"5-3", 5}, {L".5", 0.5}, {L"5.", 5}, {L"1.2.3", 1.2},
      // Exponent with E or D and an optional sign; a letter without digits ends the number.
      {L"1d3", 1000}, {L"1D-2", 0.01}, {L"1e+2", 100}, {L".5e1", 5}, {L"1e2e3", 100},
      {L"1e2.5", 100}, {L"1E+", 1}, {L"1e-x5", 1}, {L"2.5e", 2.5}, {L".e5", 0}, {L"1f3", 1},
      // &H and &O integers: magnitudes, never wrapped, and E is a hex digit.
      {L"&h1f", 31}, {L"&HFFFFFFFF", 4294967295.0}, {L"&o777", 511}, {L"&O78", 7}, {L"&H1G", 1},
      {L"&H", 0}, {L"&X10", 0}, {L"&H10.5", 16}, {L"&H1E3", 0x1E3}, {L"&H-10", 0}, {L"-&H10", 0},
      {L"&H" + Repeat(L'0', 100000) + L"1", 1}, {L"&H" + Repeat(L'F', 255), std::ldexp(1.0, 1020)},
      {L"&H1" + Repeat(L'0', 256), kNone}, {L"&O1" + Repeat(L'0', 341), std::ldexp(1.0, 1023)},
      {L"&O1" + Repeat(L'0', 342), kNone},
      // Reading stops at the first unfit character.
      {L"12abc", 12}, {L"0x10", 0}, {L"inf", 0}, {L"nan", 0}, {L"\uFF11\uFF12", 0},
      {std::wstring(L"12\0" L"34", 5), 12},
      // Too large for a double is an error; too small is zero.
      {L"1e309", kNone}, {L"-1e309", kNone}, {L"10e307", 1e308}, {Repeat(L'9', 400), kNone},
      {L"1.7976931348623157e308", Limits::max()}, {L"1.797693134862316e308", kNone},
      {L"1e99999999999999999999", kNone}, {L"0e99999999999999999999", 0}, {L"-1e-400", 0},
      {L"1e-99999999999999999999", 0}, {L"4.9e-324", Limits::denorm_min()},
      // Long digit strings keep their scale; decimals are correctly rounded.
      {L"0." + Repeat(L'0', 400) + L"1e400", 0.1}, {L"1" + Repeat(L'0', 400) + L"e-400", 1},
      {L"1" + Repeat(L'0', 309), kNone}, {L"0." + Repeat(L'3', 10000), 1.0 / 3},
      {L"9007199254740993", 0x1p53},
      {L"1.00000000000000011102230246251565404236316680908203126", 1 + Limits::epsilon()},
  };
  // clang-format on
  for (const auto& c : cases) EXPECT_EQ(LeadingNumber(c.text), c.value) << '"' << c.text << '"';
}

TEST(ParseBoolWord, WordsInAnyCaseElseANonZeroLeadingNumber) {
  // clang-format off
  const struct { std::wstring text; std::optional<bool> value; } cases[] = {
      {L"YES", true}, {L"yEs", true}, {L"SÌ", true}, {L"si", true}, {L"S\u0130", true},
      {L"VERO", true}, {L"true", true}, {L"On", true}, {L"Enabled", true}, {L"1", true},
      {L"false", false}, {L"DISABLED", false}, {L"0", false},
      // Other text falls back to the leading number.
      {L"2", true}, {L"-1", true}, {L"&H10", true}, {L"0.5", true}, {L"1on", true}, {L"0 1", true},
      {L"", false}, {L"-0", false}, {L"&H0", false}, {L"abc", false}, {L"1e-400", false},
      {L"on1", false}, {L"1e999", kNone}, {L"-1e999", kNone}, {L"&H" + Repeat(L'F', 300), kNone},
      // Words match whole and untrimmed; lookalike letters make other words.
      {L" yes", false}, {L"yes ", false}, {L"ye", false}, {L"yess", false}, {L" no", false},
      {L"s\u0131", false}, {L"si\u0300", false}, {L"\u0443es", false},
      {L"yes" + Repeat(L'\0', 3), false}, {Repeat(L' ', 1 << 20) + L"3", true},
  };
  // clang-format on
  for (const auto& c : cases) EXPECT_EQ(ParseBoolWord(c.text), c.value) << '"' << c.text << '"';
}

TEST(ParseColorTriplet, Grammar) {
  const uint32_t kWhite = Rgb(255, 255, 255);
  // clang-format off
  const struct { std::wstring text; std::optional<uint32_t> color; } cases[] = {  // empty: error
      {L"255,128,0", 0x000080FFu}, {L"1,2,3", 0x00030201u},
      // Without two commas the colour is white; empty or non-numeric parts are zero.
      {L"", kWhite}, {L"1;2;3", kWhite}, {L"0\uFF0C0\uFF0C0", kWhite}, {L"1e999,1e999", kWhite},
      {L",,", 0}, {L"a,b,c", 0}, {L",1,2", Rgb(0, 1, 2)}, {L"1,,2", Rgb(1, 0, 2)},
      // Parts follow the leading-number rule; text after a third comma is ignored.
      {L"1 2,\t3 4,5 6\n", Rgb(12, 34, 56)}, {L"&HFF,2D1,10px", Rgb(255, 20, 10)},
      {L"1,2,3,1e999", Rgb(1, 2, 3)}, {L"1,2,,3", Rgb(1, 2, 0)},
      // Rounded halves to even, then held to 0..255 in each channel.
      {L"2.5,3.5,254.5", Rgb(2, 4, 254)}, {L"-1,128,255", Rgb(0, 128, 255)}, {L"-32768.5,0,0", 0},
      {L"300,0,0", Rgb(255, 0, 0)}, {L"0,300,0", Rgb(0, 255, 0)}, {L"255,-1,255", Rgb(255, 0, 255)},
      {L"0,0,32767.4", Rgb(0, 0, 255)}, {L"255.5,0,0", Rgb(255, 0, 0)}, {L"9,9,-0.5", Rgb(9, 9, 0)},
      // A component outside 16 bits is an error, in any channel.
      {L"0,32768,0", kNone}, {L"0,0,32767.5", kNone}, {L"-32769,0,0", kNone},
      {L"0,-32768.6,0", kNone}, {L"0,0,&H8000", kNone}, {Repeat(L'9', 400) + L",0,0", kNone},
      // Text of any length.
      {L"1," + Repeat(L' ', 1 << 20) + L"2,3", Rgb(1, 2, 3)}, {Repeat(L',', 1 << 20), 0},
  };
  // clang-format on
  for (const auto& c : cases) EXPECT_EQ(ParseColorTriplet(c.text), c.color) << '"' << c.text << '"';
}

TEST(TextCase, SamplesFromEveryBlockAndRunOfPairs) {
  // clang-format off
  const struct { wchar_t u, l; } pairs[] = {
      {'A', 'a'}, {'Z', 'z'}, {0xC0, 0xE0}, {0xDE, 0xFE}, {0x178, 0xFF}, {0x100, 0x101},
      {0x136, 0x137}, {0x139, 0x13A}, {0x14A, 0x14B}, {0x17D, 0x17E}, {0x391, 0x3B1},
      {0x3A9, 0x3C9}, {0x386, 0x3AC}, {0x38F, 0x3CE}, {0x37F, 0x3F3}, {0x3F9, 0x3F2},
      {0x3FD, 0x37B}, {0x3CF, 0x3D7}, {0x410, 0x430}, {0x42F, 0x44F}, {0x400, 0x450},
      {0x48A, 0x48B}, {0x4C0, 0x4CF}, {0x4C1, 0x4C2}, {0x52E, 0x52F}, {0x40F, 0x45F},
      {0x12E, 0x12F}, {0x4BE, 0x4BF}, {0x4CD, 0x4CE}};
  // Mappings that go one way only, and signs inside the letter ranges that have no case.
  const struct { wchar_t c, l, u; } others[] = {
      {0xB5, 0xB5, 0x39C}, {0x130, 'i', 0x130}, {0x131, 0x131, 'I'}, {0x17F, 0x17F, 'S'},
      {0x3C2, 0x3C2, 0x3A3}, {0x3D0, 0x3D0, 0x392}, {0x3F4, 0x3B8, 0x3F4}, {0x212A, 'k', 0x212A},
      {0x212B, 0xE5, 0x212B}, {0x2126, 0x3C9, 0x2126}, {0xD7, 0xD7, 0xD7}, {0xF7, 0xF7, 0xF7},
      {0x3A2, 0x3A2, 0x3A2}, {0x3D1, 0x3D1, 0x398}, {0x3F5, 0x3F5, 0x395}, {0x2C0, 0x2C0, 0x2C0}};
  // clang-format on
  for (const auto& p : pairs) EXPECT_TRUE(LowerChar(p.u) == p.l && UpperChar(p.l) == p.u) << +p.u;
  for (const auto& o : others) EXPECT_TRUE(LowerChar(o.c) == o.l && UpperChar(o.c) == o.u) << +o.c;
}

TEST(TextCase, WholeTextsCompareIgnoringCaseNotJustTheCaseBit) {
  EXPECT_TRUE(EqualsIgnoreCase(L"\u0386\u039B\u0490", L"\u03AC\u03BB\u0491") &&
              !EqualsIgnoreCase(L"@[", L"`{") && !EqualsIgnoreCase(L"Vorlux", L"Vorlu"));
  EXPECT_TRUE(ContainsIgnoreCase(L"abcXYZ", L"xyz") && !ContainsIgnoreCase(L"abcXY", L"xyz") &&
              !ContainsIgnoreCase(L"", L"x") && ContainsIgnoreCase(L"", L""));
}

}  // namespace
}  // namespace vorlux::test
