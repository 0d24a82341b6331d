#include "config/settings_grammar.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>

#include "base/numeric.h"

namespace vorlux {
namespace {

constexpr uint32_t kWhite = MakeColor(255, 255, 255);
constexpr auto kNone = std::nullopt;

std::wstring Repeat(wchar_t c, size_t n) { return std::wstring(n, c); }

TEST(LeadingNumber, Grammar) {
  const double kMax = std::numeric_limits<double>::max();
  const double kEpsilon = std::numeric_limits<double>::epsilon();
  const struct {
    std::wstring text;
    std::optional<double> value;  // empty: too large for a double
  } cases[] = {
      // Blanks, tabs and line feeds are removed everywhere; other white space is unfit.
      {L" \t\n- 1 2 . 5", -12.5}, {L"1 e 2", 100}, {L"& H 1 0", 16}, {L"", 0}, {L" \t\n", 0},
      {L"1\r2", 1}, {L"\u00A01", 0}, {Repeat(L' ', 100000) + L"7", 7},
      // One leading sign, one period.
      {L"+5", 5}, {L"-5", -5}, {L"--5", 0}, {L"+-5", 0}, {L"5-3", 5}, {L"-", 0},
      {L".5", 0.5}, {L"5.", 5}, {L"1.2.3", 1.2}, {L".", 0}, {L"1,5", 1},
      // Exponent with E or D and an optional sign; a letter without digits ends the number.
      {L"1e3", 1000}, {L"1E3", 1000}, {L"1d3", 1000}, {L"1D-2", 0.01}, {L"1e+2", 100},
      {L"1.e2", 100}, {L".5e1", 5}, {L"1e2e3", 100}, {L"1e2.5", 100}, {L"1e", 1},
      {L"1E+", 1}, {L"1e-x5", 1}, {L"2.5e", 2.5}, {L"e5", 0}, {L".e5", 0}, {L"1f3", 1},
      // &H and &O integers: magnitudes, never wrapped, and E is a hex digit.
      {L"&h1f", 31}, {L"&HFFFFFFFF", 4294967295.0}, {L"&o777", 511}, {L"&O8", 0},
      {L"&O78", 7}, {L"&H1G", 1}, {L"&H", 0}, {L"&", 0}, {L"&X10", 0}, {L"&H10.5", 16},
      {L"&H1E3", 0x1E3}, {L"&H-10", 0}, {L"-&H10", 0}, {L"10&H10", 10},
      {L"&H" + Repeat(L'F', 255), std::ldexp(1.0, 1020)}, {L"&H1" + Repeat(L'0', 256), kNone},
      {L"&O1" + Repeat(L'0', 341), std::ldexp(1.0, 1023)}, {L"&O1" + Repeat(L'0', 342), kNone},
      {L"&H" + Repeat(L'0', 100000) + L"1", 1},
      // Reading stops at the first unfit character.
      {L"12abc", 12}, {L"abc12", 0}, {L"1x", 1}, {L"0x10", 0}, {L"inf", 0}, {L"nan", 0},
      {L"\uFF11\uFF12", 0}, {L"\u0661", 0}, {std::wstring(L"12") + L'\0' + L"34", 12},
      // Too large for a double is an error; too small is zero.
      {L"1e308", 1e308}, {L"1e309", kNone}, {L"-1e309", kNone}, {L"10e307", 1e308},
      {L"1.7976931348623157e308", kMax}, {L"1.797693134862316e308", kNone},
      {L"1e99999999999999999999", kNone}, {Repeat(L'9', 400), kNone}, {L"1e-400", 0},
      {L"-1e-400", 0}, {L"4.9e-324", std::numeric_limits<double>::denorm_min()},
      {L"0e99999999999999999999", 0}, {L"1e-99999999999999999999", 0},
      // Long digit strings keep their scale; decimals are correctly rounded.
      {L"0." + Repeat(L'0', 400) + L"1e400", 0.1}, {L"1" + Repeat(L'0', 400) + L"e-400", 1},
      {L"1" + Repeat(L'0', 308), 1e308}, {L"1" + Repeat(L'0', 309), kNone},
      {L"0." + Repeat(L'3', 10000), 1.0 / 3}, {L"0.1", 0.1},
      {L"9007199254740993", 9007199254740992.0},
      {L"1.00000000000000011102230246251565404236316680908203126", 1.0 + kEpsilon},
  };
  for (const auto& c : cases) EXPECT_EQ(LeadingNumber(c.text), c.value) << '"' << c.text << '"';
}

TEST(ParseBoolWord, WordsInAnyCaseElseANonZeroLeadingNumber) {
  const struct {
    std::wstring text;
    std::optional<bool> value;
  } cases[] = {
      {L"YES", true}, {L"yEs", true}, {L"Sì", true}, {L"SÌ", true}, {L"si", true},
      {L"S\u0130", true}, {L"VERO", true}, {L"true", true}, {L"On", true}, {L"Enabled", true},
      {L"1", true}, {L"No", false}, {L"FALSO", false}, {L"false", false}, {L"Off", false},
      {L"DISABLED", false}, {L"0", false},
      // Other text falls back to the leading number.
      {L"2", true}, {L"-1", true}, {L"1x", true}, {L"&H10", true}, {L"0.5", true},
      {L" 1", true}, {L"1on", true}, {L"0 1", true}, {L"", false}, {L"0.0", false},
      {L"-0", false}, {L"&H0", false}, {L"abc", false}, {L"1e-400", false}, {L"on1", false},
      // Words match whole and untrimmed; lookalike letters make other words.
      {L" yes", false}, {L"yes ", false}, {L"ye", false}, {L"yess", false}, {L" no", false},
      {L"s\u0131", false}, {L"si\u0300", false}, {L"\u0443es", false},
      {L"yes" + Repeat(L'\0', 3), false}, {Repeat(L' ', 1 << 20) + L"3", true},
      // A fallback number too large for a double is an error.
      {L"1e999", kNone}, {L"-1e999", kNone}, {L"&H" + Repeat(L'F', 300), kNone},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseBoolWord(c.text), c.value) << '"' << c.text << '"';
}

TEST(ParseColorTriplet, Grammar) {
  const struct {
    std::wstring text;
    std::optional<uint32_t> color;  // empty: a component cannot be converted
  } cases[] = {
      {L"255,128,0", 0x000080FFu}, {L"1,2,3", 0x00030201u}, {L"0,0,0", 0},
      // Without two commas the colour is white; empty or non-numeric parts are zero.
      {L"", kWhite}, {L"10,20", kWhite}, {L"red", kWhite}, {L"1;2;3", kWhite},
      {L"0\uFF0C0\uFF0C0", kWhite}, {L"1e999,1e999", kWhite}, {L",,", 0}, {L"a,b,c", 0},
      {L",1,2", MakeColor(0, 1, 2)}, {L"1,,2", MakeColor(1, 0, 2)},
      // Parts follow the leading-number rule; text after a third comma is ignored.
      {L" 12 , 34 , 56", MakeColor(12, 34, 56)}, {L"1 2,\t3 4,5 6\n", MakeColor(12, 34, 56)},
      {L"&HFF,2D1,10px", MakeColor(255, 20, 10)}, {L"1,2,3,4", MakeColor(1, 2, 3)},
      {L"1,2,3,1e999", MakeColor(1, 2, 3)}, {L"1,2,,3", MakeColor(1, 2, 0)},
      // Rounded halves to even, then held to 0..255 in each channel.
      {L"127.5,0.5,1.5", MakeColor(128, 0, 2)}, {L"2.5,3.5,254.5", MakeColor(2, 4, 254)},
      {L"300,0,0", MakeColor(255, 0, 0)}, {L"0,300,0", MakeColor(0, 255, 0)},
      {L"0,0,32767.4", MakeColor(0, 0, 255)}, {L"255.5,0,0", MakeColor(255, 0, 0)},
      {L"-1,128,255", MakeColor(0, 128, 255)}, {L"255,-1,255", MakeColor(255, 0, 255)},
      {L"9,9,-0.5", MakeColor(9, 9, 0)}, {L"-32768.5,0,0", 0},
      // A component outside 16 bits is an error, in any channel.
      {L"40000,0,0", kNone}, {L"0,32768,0", kNone}, {L"0,0,32767.5", kNone},
      {L"-32769,0,0", kNone}, {L"0,-32768.6,0", kNone}, {L"0,0,&H8000", kNone},
      {L"1e999,0,0", kNone}, {Repeat(L'9', 400) + L",0,0", kNone},
      // Text of any length.
      {L"1," + Repeat(L' ', 1 << 20) + L"2,3", MakeColor(1, 2, 3)}, {Repeat(L',', 1 << 20), 0},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseColorTriplet(c.text), c.color) << '"' << c.text << '"';
}

TEST(RoundToInteger, HalvesToEvenAndEmptyOutsideTheWidth) {
  const double kInf = std::numeric_limits<double>::infinity();
  const struct {
    double x;
    std::optional<int16_t> i16;
    std::optional<int32_t> i32;
  } cases[] = {
      {0.5, 0, 0}, {1.5, 2, 2}, {2.5, 2, 2}, {-0.5, 0, 0}, {-2.5, -2, -2}, {2.5000001, 3, 3},
      {32767.49, 32767, 32767}, {32767.5, kNone, 32768}, {-32768.5, -32768, -32768},
      {-32768.51, kNone, -32769}, {2147483646.5, kNone, 2147483646},
      {-2147483648.5, kNone, INT32_MIN}, {2147483647.5, kNone, kNone},
      {-2147483649.0, kNone, kNone}, {4294967296.0, kNone, kNone}, {kInf, kNone, kNone},
      {std::numeric_limits<double>::quiet_NaN(), kNone, kNone},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ToInt16(c.x), c.i16) << c.x;
    EXPECT_EQ(ToInt32(c.x), c.i32) << c.x;
  }
}

TEST(CheckedArithmetic, OverflowRaisesInsteadOfWrapping) {
  EXPECT_EQ(CheckedAdd(INT32_MAX - 1, 1), INT32_MAX);
  EXPECT_THROW(CheckedAdd(INT32_MAX, 1), std::overflow_error);
  EXPECT_THROW(CheckedAdd(INT32_MIN, -1), std::overflow_error);
  EXPECT_EQ(CheckedSub(INT32_MIN + 1, 1), INT32_MIN);
  EXPECT_THROW(CheckedSub(0, INT32_MIN), std::overflow_error);
  EXPECT_EQ(CheckedMul(46340, 46340), 2147395600);
  EXPECT_THROW(CheckedMul(46341, 46341), std::overflow_error);
  EXPECT_THROW(CheckedMul(-1, INT32_MIN), std::overflow_error);
  EXPECT_EQ(CheckedNeg16(32767), -32767);
  EXPECT_THROW(CheckedNeg16(INT16_MIN), std::overflow_error);
}

}  // namespace
}  // namespace vorlux
