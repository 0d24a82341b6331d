#include "config/settings_grammar.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/numeric.h"

namespace vorlux {
namespace {

constexpr uint32_t kWhite = MakeColor(255, 255, 255);
constexpr double kMaxDouble = std::numeric_limits<double>::max();

struct NumberCase {
  std::wstring text;
  std::optional<double> value;  // empty: the number is too large for a double
};

void ExpectNumbers(const std::vector<NumberCase>& cases) {
  for (const NumberCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "text \"" << c.text << "\"");
    EXPECT_EQ(LeadingNumber(c.text), c.value);
  }
}

std::wstring Repeat(wchar_t c, size_t n) { return std::wstring(n, c); }

// ---- LeadingNumber ---------------------------------------------------------------------------

TEST(LeadingNumber, BlanksTabsAndLineFeedsAreRemovedEverywhereFirst) {
  ExpectNumbers({
      {L"1 2", 12},
      {L" \t\n- 1 2 . 5", -12.5},
      {L"1\t2\n3", 123},
      {L"1 e 2", 100},
      {L"& H 1 0", 16},
      {Repeat(L' ', 100000) + L"7", 7},
      {L"", 0},
      {L" \t\n", 0},
  });
}

TEST(LeadingNumber, OtherWhiteSpaceIsAnUnfitCharacter) {
  // Only blank, tab and line feed are removed: a carriage return or a no-break space ends
  // the number like any other character.
  ExpectNumbers({
      {L"1\r2", 1},
      {L"\r\n5", 0},
      {L"1\u00A02", 1},
      {L"\u00A01", 0},
      {L"\v1", 0},
  });
}

TEST(LeadingNumber, OptionalSignComesFirstAndOnlyOnce) {
  ExpectNumbers({
      {L"+5", 5},
      {L"-5", -5},
      {L"- 5", -5},
      {L"--5", 0},
      {L"+-5", 0},
      {L"-", 0},
      {L"+", 0},
      {L"5-3", 5},
      {L"-0.25", -0.25},
  });
}

TEST(LeadingNumber, OnePeriodIsTheOnlyDecimalSeparator) {
  ExpectNumbers({
      {L"1.5", 1.5},
      {L".5", 0.5},
      {L"-.5", -0.5},
      {L"5.", 5},
      {L"1.2.3", 1.2},
      {L".", 0},
      {L"..5", 0},
      {L"1,5", 1},  // never a comma, whatever the locale
      {L"1'000", 1},
  });
}

TEST(LeadingNumber, ExponentWithEOrDAndOptionalSign) {
  ExpectNumbers({
      {L"1e3", 1000},
      {L"1E3", 1000},
      {L"1d3", 1000},
      {L"1D3", 1000},
      {L"1D-2", 0.01},
      {L"1e+2", 100},
      {L"2.5e-1", 0.25},
      {L"1.e2", 100},
      {L".5e1", 5},
      {L"1e2e3", 100},
      {L"1e2.5", 100},
      {L"1e0003", 1000},
  });
}

TEST(LeadingNumber, ExponentLetterWithoutDigitsEndsTheNumber) {
  ExpectNumbers({
      {L"1e", 1},
      {L"1E+", 1},
      {L"1d-", 1},
      {L"1ex", 1},
      {L"1e-x5", 1},
      {L"2.5e", 2.5},
      {L"e5", 0},
      {L".e5", 0},
      {L"-e5", 0},
      {L"1f3", 1},
  });
}

TEST(LeadingNumber, HexadecimalAndOctalIntegers) {
  ExpectNumbers({
      {L"&H10", 16},
      {L"&h10", 16},
      {L"&HfF", 255},
      {L"&H7FFFFFFF", 2147483647.0},
      {L"&HFFFFFFFF", 4294967295.0},  // a magnitude, never a wrapped negative
      {L"&O17", 15},
      {L"&o777", 511},
      {L"&O8", 0},
      {L"&O78", 7},
      {L"&H1G", 1},
      {L"&HG", 0},
      {L"&H", 0},
      {L"&O", 0},
      {L"&", 0},
      {L"&X10", 0},
      {L"&H10.5", 16},
      {L"&H1E3", 0x1E3},  // E is a hex digit here, not an exponent
      {L"&H-10", 0},
      {L"-&H10", 0},
      {L"10&H10", 10},
  });
}

TEST(LeadingNumber, RadixIntegersTooLargeForADoubleAreAnError) {
  ExpectNumbers({
      {L"&H1" + Repeat(L'0', 255), std::ldexp(1.0, 1020)},
      {L"&H" + Repeat(L'F', 255), std::ldexp(1.0, 1020)},
      {L"&H1" + Repeat(L'0', 256), std::nullopt},
      {L"&H" + Repeat(L'F', 256), std::nullopt},
      {L"&H" + Repeat(L'F', 100000), std::nullopt},
      {L"&O1" + Repeat(L'0', 341), std::ldexp(1.0, 1023)},
      {L"&O1" + Repeat(L'0', 342), std::nullopt},
      {L"&H" + Repeat(L'0', 100000) + L"1", 1},  // leading zeros are not magnitude
  });
}

TEST(LeadingNumber, ReadingStopsAtTheFirstUnfitCharacter) {
  ExpectNumbers({
      {L"12abc", 12},
      {L"abc12", 0},
      {L"1x", 1},
      {L"0x10", 0},
      {L"$5", 0},
      {L"inf", 0},
      {L"nan", 0},
      {L"Infinity", 0},
      {L"\uFF11\uFF12", 0},  // full-width digits are not digits
      {L"\u0661", 0},        // nor are Arabic-Indic ones
      {std::wstring(L"12") + L'\0' + L"34", 12},
  });
}

TEST(LeadingNumber, OnlyANumberTooLargeForADoubleIsAnError) {
  ExpectNumbers({
      {L"1e308", 1e308},
      {L"1e309", std::nullopt},
      {L"-1e309", std::nullopt},
      {L"1.7976931348623157e308", kMaxDouble},
      {L"1.797693134862316e308", std::nullopt},  // rounds up past the largest double
      {L"0.1e310", std::nullopt},
      {L"10e307", 1e308},
      {L"1e99999999999999999999", std::nullopt},
      {L"1D99999", std::nullopt},
      {Repeat(L'9', 400), std::nullopt},
      {Repeat(L'1', 310), std::nullopt},
      {Repeat(L'9', 1000000), std::nullopt},
  });
}

TEST(LeadingNumber, NumbersTooSmallForADoubleAreZero) {
  ExpectNumbers({
      {L"1e-400", 0},
      {L"2e-324", 0},
      {L"4.9e-324", std::numeric_limits<double>::denorm_min()},
      {L"1e-99999999999999999999", 0},
      {L"0e99999999999999999999", 0},
      {L"0." + Repeat(L'0', 400) + L"1", 0},
      {L"0." + Repeat(L'0', 1000) + L"e400", 0},
  });
  const auto negativeTiny = LeadingNumber(L"-1e-400");
  ASSERT_TRUE(negativeTiny.has_value());
  EXPECT_EQ(*negativeTiny, 0.0);
}

TEST(LeadingNumber, LongDigitStringsKeepTheirScale) {
  ExpectNumbers({
      {L"0." + Repeat(L'0', 400) + L"1e400", 0.1},
      {L"1" + Repeat(L'0', 400) + L"e-400", 1},
      {Repeat(L'0', 1000) + L"42", 42},
      {L"1" + Repeat(L'0', 308), 1e308},
      {L"1" + Repeat(L'0', 309), std::nullopt},
      {L"0." + Repeat(L'3', 10000), 1.0 / 3},
  });
}

TEST(LeadingNumber, DecimalsAreCorrectlyRounded) {
  // A digit-by-digit accumulation gets these wrong in the last bit.
  ExpectNumbers({
      {L"0.1", 0.1},
      {L"9007199254740993", 9007199254740992.0},
      {L"1.00000000000000011102230246251565404236316680908203125", 1.0},
      {L"1.00000000000000011102230246251565404236316680908203126",
       1.0 + std::numeric_limits<double>::epsilon()},
      {L"123456789012345678901234567890", 123456789012345678901234567890.0},
  });
}

// ---- ParseBoolWord ---------------------------------------------------------------------------

void ExpectBool(std::initializer_list<const wchar_t*> texts, bool value) {
  for (const wchar_t* t : texts) {
    SCOPED_TRACE(testing::Message() << "text \"" << t << "\"");
    EXPECT_EQ(ParseBoolWord(t), value);
  }
}

TEST(ParseBoolWord, TrueWordsInAnyCase) {
  ExpectBool({L"on", L"ON", L"On", L"true", L"TRUE", L"vero", L"VERO", L"1", L"enabled", L"Enabled",
              L"si", L"SI", L"sì", L"Sì", L"SÌ", L"yes", L"YES", L"yEs"},
             true);
}

TEST(ParseBoolWord, FalseWordsInAnyCase) {
  ExpectBool({L"off", L"OFF", L"false", L"False", L"falso", L"FALSO", L"0", L"disabled",
              L"DISABLED", L"no", L"No", L"NO"},
             false);
}

TEST(ParseBoolWord, OtherTextFallsBackToTheLeadingNumber) {
  ExpectBool({L"2", L"-1", L"1x", L"&H10", L"1e3", L"0.5", L"-0.0001", L"1on", L" 1", L"\t1", L"1 ",
              L"0 1", L"&O1"},
             true);
  ExpectBool(
      {L"", L"0.0", L"-0", L"00", L"0e5", L"&H0", L"abc", L"0x1", L"1e-400", L"on1", L"No 5"},
      false);
}

TEST(ParseBoolWord, WordsMustMatchWholeAndUntrimmed) {
  ExpectBool(
      {L" yes", L"yes ", L"yes\n", L"ye", L"y", L"yess", L"oui", L"s", L"onn", L"tru", L"\"yes\""},
      false);
  ExpectBool({L" no", L"no ", L" off"}, false);  // not words either, and not numbers
}

TEST(ParseBoolWord, UnicodeLowerCasingAndLookalikes) {
  ExpectBool({L"S\u0130"}, true);  // capital I with dot above lower-cases to i
  // Dotless i, a decomposed grave, and a Cyrillic letter that looks like y are other words.
  ExpectBool({L"s\u0131", L"si\u0300", L"\u0443es", L"\u0455i"}, false);
}

TEST(ParseBoolWord, NumberTooLargeForADoubleIsAnError) {
  EXPECT_EQ(ParseBoolWord(L"1e999"), std::nullopt);
  EXPECT_EQ(ParseBoolWord(L"-1e999"), std::nullopt);
  EXPECT_EQ(ParseBoolWord(L"&H" + Repeat(L'F', 300)), std::nullopt);
  EXPECT_EQ(ParseBoolWord(Repeat(L'9', 500)), std::nullopt);
}

TEST(ParseBoolWord, TextOfAnyLength) {
  EXPECT_EQ(ParseBoolWord(Repeat(L'x', 1 << 20)), false);
  EXPECT_EQ(ParseBoolWord(Repeat(L' ', 1 << 20) + L"3"), true);
  EXPECT_EQ(ParseBoolWord(L"yes" + Repeat(L'\0', 3)), false);
}

// ---- ParseColorTriplet -----------------------------------------------------------------------

struct ColorCase {
  std::wstring text;
  std::optional<uint32_t> color;  // empty: a component cannot be converted
};

void ExpectColors(const std::vector<ColorCase>& cases) {
  for (const ColorCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "text \"" << c.text << "\"");
    EXPECT_EQ(ParseColorTriplet(c.text), c.color);
  }
}

TEST(ParseColorTriplet, RedGreenBlueMakeAColorRef) {
  EXPECT_EQ(ParseColorTriplet(L"255,128,0"), 0x000080FFu);
  EXPECT_EQ(ParseColorTriplet(L"1,2,3"), 0x00030201u);
  EXPECT_EQ(ParseColorTriplet(L"0,0,0"), 0u);
  EXPECT_EQ(ParseColorTriplet(L"255,255,255"), 0x00FFFFFFu);
}

TEST(ParseColorTriplet, WithoutTwoCommasTheColorIsWhite) {
  ExpectColors({
      {L"", kWhite},
      {L"10,20", kWhite},
      {L"red", kWhite},
      {L",", kWhite},
      {L"255", kWhite},
      {L"1;2;3", kWhite},
      {L"0\uFF0C0\uFF0C0", kWhite},  // full-width commas are not commas
      {L"1e999,1e999", kWhite},      // nothing is converted without a second comma
  });
}

TEST(ParseColorTriplet, EmptyOrNonNumericPartsAreZero) {
  ExpectColors({
      {L",,", 0},
      {L"a,b,c", 0},
      {L",1,2", MakeColor(0, 1, 2)},
      {L"1,,2", MakeColor(1, 0, 2)},
      {L"1,2,", MakeColor(1, 2, 0)},
  });
}

TEST(ParseColorTriplet, PartsFollowTheLeadingNumberRule) {
  ExpectColors({
      {L" 12 , 34 , 56", MakeColor(12, 34, 56)},
      {L"255, 255, 255", kWhite},
      {L"\t12,\n34,56 ", MakeColor(12, 34, 56)},
      {L"1 2,3 4,5 6", MakeColor(12, 34, 56)},
      {L"&HFF,&H80,&O10", MakeColor(255, 128, 8)},
      {L"1e2,2D1,0", MakeColor(100, 20, 0)},
      {L"10px,20px,30px", MakeColor(10, 20, 30)},
  });
}

TEST(ParseColorTriplet, TextAfterAThirdCommaBelongsToBlueAndIsIgnored) {
  ExpectColors({
      {L"1,2,3,4", MakeColor(1, 2, 3)},
      {L"1,2,3,1e999", MakeColor(1, 2, 3)},
      {L"1,2,,3", MakeColor(1, 2, 0)},
  });
}

TEST(ParseColorTriplet, ComponentsRoundHalfToEven) {
  ExpectColors({
      {L"127.5,0.5,1.5", MakeColor(128, 0, 2)},
      {L"2.5,3.5,254.5", MakeColor(2, 4, 254)},
      {L"0.49,1.51,2.4999", MakeColor(0, 2, 2)},
  });
}

TEST(ParseColorTriplet, ComponentsAboveTheRangeCountAs255) {
  ExpectColors({
      {L"300,0,0", MakeColor(255, 0, 0)},
      {L"0,300,0", MakeColor(0, 255, 0)},
      {L"0,0,300", MakeColor(0, 0, 255)},
      {L"255.5,0,0", MakeColor(255, 0, 0)},
      {L"256,256,256", kWhite},
      {L"32767,32767,32767", kWhite},
      {L"32767.4,0,&H7FFF", MakeColor(255, 0, 255)},
  });
}

TEST(ParseColorTriplet, NegativeComponentsCountAsZero) {
  // -1 is what the setup dialog writes for a list without a selection.
  ExpectColors({
      {L"-1,-1,-1", 0},
      {L"-1,128,255", MakeColor(0, 128, 255)},
      {L"255,-1,255", MakeColor(255, 0, 255)},
      {L"-0.5,-0.4,0", 0},
      {L"-32768,0,0", 0},
      {L"-32768.5,0,0", 0},  // rounds to the even -32768, which fits
  });
}

TEST(ParseColorTriplet, ComponentOutside16BitsIsAnError) {
  ExpectColors({
      {L"40000,0,0", std::nullopt},
      {L"0,40000,0", std::nullopt},
      {L"0,0,40000", std::nullopt},
      {L"32768,0,0", std::nullopt},
      {L"32767.5,0,0", std::nullopt},
      {L"-32769,0,0", std::nullopt},
      {L"-32768.6,0,0", std::nullopt},
      {L"0,0,&H8000", std::nullopt},
      {L"1e999,0,0", std::nullopt},
      {L"1e10,0,0", std::nullopt},
      {Repeat(L'9', 400) + L",0,0", std::nullopt},
  });
}

TEST(ParseColorTriplet, TextOfAnyLength) {
  ExpectColors({
      {L"1," + Repeat(L' ', 1 << 20) + L"2,3", MakeColor(1, 2, 3)},
      {Repeat(L',', 1 << 20), 0},
      {Repeat(L'x', 1 << 20), kWhite},
      {L"0,0," + Repeat(L'0', 1 << 20) + L"7", MakeColor(0, 0, 7)},
  });
}

// ---- Conversions to integers and checked arithmetic ------------------------------------------

TEST(RoundToInteger, NearestWithHalvesToEven) {
  EXPECT_EQ(ToInt16(0.5), 0);
  EXPECT_EQ(ToInt16(1.5), 2);
  EXPECT_EQ(ToInt16(2.5), 2);
  EXPECT_EQ(ToInt16(-0.5), 0);
  EXPECT_EQ(ToInt16(-1.5), -2);
  EXPECT_EQ(ToInt16(-2.5), -2);
  EXPECT_EQ(ToInt16(2.5000001), 3);
  EXPECT_EQ(ToInt32(2147483646.5), 2147483646);
  EXPECT_EQ(ToInt32(-2147483648.5), INT32_MIN);
}

TEST(RoundToInteger, ValuesOutsideTheWidthAreEmpty) {
  EXPECT_EQ(ToInt16(32767.49), 32767);
  EXPECT_EQ(ToInt16(32767.5), std::nullopt);
  EXPECT_EQ(ToInt16(-32768.5), -32768);
  EXPECT_EQ(ToInt16(-32768.51), std::nullopt);
  EXPECT_EQ(ToInt32(2147483647.0), INT32_MAX);
  EXPECT_EQ(ToInt32(2147483647.5), std::nullopt);
  EXPECT_EQ(ToInt32(4294967296.0), std::nullopt);
  EXPECT_EQ(ToInt32(-2147483649.0), std::nullopt);
  EXPECT_EQ(ToInt32(1e300), std::nullopt);
  EXPECT_EQ(ToInt32(-1e300), std::nullopt);
  EXPECT_EQ(ToInt32(std::numeric_limits<double>::infinity()), std::nullopt);
  EXPECT_EQ(ToInt32(std::numeric_limits<double>::quiet_NaN()), std::nullopt);
  EXPECT_EQ(ToInt16(std::numeric_limits<double>::quiet_NaN()), std::nullopt);
}

TEST(CheckedArithmetic, OverflowRaisesInsteadOfWrapping) {
  EXPECT_EQ(CheckedAdd(INT32_MAX - 1, 1), INT32_MAX);
  EXPECT_THROW(CheckedAdd(INT32_MAX, 1), std::overflow_error);
  EXPECT_THROW(CheckedAdd(INT32_MIN, -1), std::overflow_error);
  EXPECT_EQ(CheckedSub(INT32_MIN + 1, 1), INT32_MIN);
  EXPECT_THROW(CheckedSub(INT32_MIN, 1), std::overflow_error);
  EXPECT_THROW(CheckedSub(0, INT32_MIN), std::overflow_error);
  EXPECT_EQ(CheckedMul(46340, 46340), 2147395600);
  EXPECT_THROW(CheckedMul(46341, 46341), std::overflow_error);
  EXPECT_THROW(CheckedMul(-1, INT32_MIN), std::overflow_error);
  EXPECT_EQ(CheckedNeg16(32767), -32767);
  EXPECT_THROW(CheckedNeg16(INT16_MIN), std::overflow_error);
}

}  // namespace
}  // namespace vorlux
