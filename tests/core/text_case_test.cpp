#include "app/text_case.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace vorlux {
namespace {

// Capital and small letter that map to each other in both directions.
struct Pair {
  unsigned upper, lower;
};

void ExpectPairs(const std::vector<Pair>& pairs) {
  for (const Pair& p : pairs) {
    SCOPED_TRACE(testing::Message() << std::hex << "U+" << p.upper << " / U+" << p.lower);
    EXPECT_EQ(static_cast<unsigned>(LowerChar(static_cast<wchar_t>(p.upper))), p.lower);
    EXPECT_EQ(static_cast<unsigned>(UpperChar(static_cast<wchar_t>(p.lower))), p.upper);
    EXPECT_EQ(static_cast<unsigned>(LowerChar(static_cast<wchar_t>(p.lower))), p.lower);
    EXPECT_EQ(static_cast<unsigned>(UpperChar(static_cast<wchar_t>(p.upper))), p.upper);
  }
}

void ExpectCaseless(std::initializer_list<unsigned> codes) {
  for (unsigned c : codes) {
    SCOPED_TRACE(testing::Message() << std::hex << "U+" << c);
    EXPECT_EQ(static_cast<unsigned>(LowerChar(static_cast<wchar_t>(c))), c);
    EXPECT_EQ(static_cast<unsigned>(UpperChar(static_cast<wchar_t>(c))), c);
  }
}

TEST(TextCase, BasicLatinLettersOnly) {
  ExpectPairs({{'A', 'a'}, {'M', 'm'}, {'Z', 'z'}});
  // The neighbours of the letter ranges are not letters.
  ExpectCaseless({'@', '[', '`', '{', '0', '9', '/', '-', ':', ' ', 0, 0x7F});
}

TEST(TextCase, Latin1) {
  ExpectPairs({{0xC0, 0xE0}, {0xCC, 0xEC}, {0xD6, 0xF6}, {0xD8, 0xF8}, {0xDE, 0xFE}});
  // Multiplication and division signs sit inside the letter ranges; sharp s has no
  // one-character capital.
  ExpectCaseless({0xD7, 0xF7, 0xDF, 0xA0, 0xBF});
  EXPECT_EQ(UpperChar(L'\u00FF'), L'\u0178');  // y with diaeresis: its capital is elsewhere
  EXPECT_EQ(LowerChar(L'\u0178'), L'\u00FF');
  EXPECT_EQ(UpperChar(L'\u00B5'), L'\u039C');  // micro sign upper-cases to Greek Mu
  EXPECT_EQ(LowerChar(L'\u00B5'), L'\u00B5');
}

TEST(TextCase, LatinExtendedA) {
  ExpectPairs({{0x100, 0x101},
               {0x12E, 0x12F},
               {0x132, 0x133},
               {0x136, 0x137},
               {0x139, 0x13A},
               {0x147, 0x148},
               {0x14A, 0x14B},
               {0x176, 0x177},
               {0x179, 0x17A},
               {0x17D, 0x17E}});
  ExpectCaseless({0x138, 0x149});
  EXPECT_EQ(LowerChar(L'\u0130'), L'i');  // capital I with dot above
  EXPECT_EQ(UpperChar(L'\u0130'), L'\u0130');
  EXPECT_EQ(UpperChar(L'\u0131'), L'I');  // dotless i
  EXPECT_EQ(LowerChar(L'\u0131'), L'\u0131');
  EXPECT_EQ(UpperChar(L'\u017F'), L'S');  // long s
  EXPECT_EQ(LowerChar(L'\u017F'), L'\u017F');
}

TEST(TextCase, Greek) {
  ExpectPairs({{0x391, 0x3B1}, {0x3A1, 0x3C1}, {0x3A3, 0x3C3}, {0x3A9, 0x3C9}, {0x386, 0x3AC},
               {0x388, 0x3AD}, {0x38A, 0x3AF}, {0x38C, 0x3CC}, {0x38E, 0x3CD}, {0x38F, 0x3CE},
               {0x3AA, 0x3CA}, {0x3AB, 0x3CB}, {0x370, 0x371}, {0x3D8, 0x3D9}, {0x3EE, 0x3EF},
               {0x3F7, 0x3F8}, {0x3FA, 0x3FB}, {0x3CF, 0x3D7}, {0x37F, 0x3F3}, {0x3F9, 0x3F2},
               {0x3FD, 0x37B}});
  ExpectCaseless({0x3A2, 0x387, 0x38B, 0x390, 0x3B0});
  EXPECT_EQ(UpperChar(L'\u03C2'), L'\u03A3');  // final sigma
  EXPECT_EQ(UpperChar(L'\u03D0'), L'\u0392');  // beta symbol
  EXPECT_EQ(LowerChar(L'\u03F4'), L'\u03B8');  // capital theta symbol
}

TEST(TextCase, Cyrillic) {
  ExpectPairs({{0x410, 0x430},
               {0x42F, 0x44F},
               {0x400, 0x450},
               {0x40F, 0x45F},
               {0x460, 0x461},
               {0x480, 0x481},
               {0x48A, 0x48B},
               {0x490, 0x491},
               {0x4BE, 0x4BF},
               {0x4C0, 0x4CF},
               {0x4C1, 0x4C2},
               {0x4CD, 0x4CE},
               {0x4D0, 0x4D1},
               {0x4FE, 0x4FF},
               {0x500, 0x501},
               {0x52E, 0x52F}});
  ExpectCaseless({0x482, 0x489, 0x530});
}

TEST(TextCase, LetterlikeSignsLowerCaseToLetters) {
  EXPECT_EQ(LowerChar(L'\u212A'), L'k');       // Kelvin sign
  EXPECT_EQ(LowerChar(L'\u212B'), L'\u00E5');  // Angstrom sign
  EXPECT_EQ(LowerChar(L'\u2126'), L'\u03C9');  // Ohm sign
}

TEST(TextCase, EveryCodeUnitMapsConsistently) {
  // Mappings that do not come back, by design of Unicode's simple case mapping.
  const std::vector<unsigned> lowerOneWay = {0x130, 0x3F4, 0x2126, 0x212A, 0x212B};
  const std::vector<unsigned> upperOneWay = {0xB5,  0x131, 0x17F, 0x3C2, 0x3D0, 0x3D1,
                                             0x3D5, 0x3D6, 0x3F0, 0x3F1, 0x3F5};
  auto contains = [](const std::vector<unsigned>& v, unsigned c) {
    return std::find(v.begin(), v.end(), c) != v.end();
  };
  int lowered = 0, uppered = 0;
  for (unsigned c = 0; c <= 0xFFFF; ++c) {
    const wchar_t ch = static_cast<wchar_t>(c);
    const wchar_t lo = LowerChar(ch), up = UpperChar(ch);
    ASSERT_EQ(LowerChar(lo), lo) << std::hex << "U+" << c;
    ASSERT_EQ(UpperChar(up), up) << std::hex << "U+" << c;
    if (lo != ch) {
      ++lowered;
      ASSERT_TRUE(UpperChar(lo) == ch || contains(lowerOneWay, c)) << std::hex << "U+" << c;
      ASSERT_EQ(up, ch) << std::hex << "U+" << c << " both lower- and upper-cases";
    }
    if (up != ch) {
      ++uppered;
      ASSERT_TRUE(LowerChar(up) == ch || contains(upperOneWay, c)) << std::hex << "U+" << c;
    }
  }
  // A table that lost a range shows up in the counts (per block: Basic Latin, Latin-1,
  // Latin Extended-A, Greek, Cyrillic, Cyrillic Supplement, letterlike signs).
  EXPECT_EQ(lowered, 26 + 30 + 63 + 57 + 124 + 24 + 3);
  EXPECT_EQ(uppered, 26 + 32 + 63 + 64 + 124 + 24);
}

TEST(TextCase, CodesOutsideTheTablesAreLeftAlone) {
  ExpectCaseless({0x4E2D, 0xD800, 0xDFFF, 0xFFFF, 0x2200, 0x3000});
  if (sizeof(wchar_t) > 2) {
    // Code points beyond 16 bits and negative values (wchar_t is signed here) pass through.
    for (wchar_t c : {static_cast<wchar_t>(0x1F600), static_cast<wchar_t>(0x10100 + 'A'),
                      static_cast<wchar_t>(-1), static_cast<wchar_t>(-65)}) {
      EXPECT_EQ(LowerChar(c), c);
      EXPECT_EQ(UpperChar(c), c);
    }
  }
}

TEST(TextCase, WholeTextsKeepTheirLength) {
  EXPECT_EQ(LowerCaseText(L"S\u00CC"), L"s\u00EC");
  EXPECT_EQ(UpperCaseText(L"/p 123"), L"/P 123");
  EXPECT_EQ(UpperCaseText(L"/c:456"), L"/C:456");
  EXPECT_EQ(UpperCaseText(L"stra\u00DFe"), L"STRA\u00DFE");
  EXPECT_EQ(LowerCaseText(L""), L"");
  const std::wstring withNul(L"A\0B", 3);
  EXPECT_EQ(LowerCaseText(withNul), std::wstring(L"a\0b", 3));
  const std::wstring big(1 << 20, L'Q');
  EXPECT_EQ(LowerCaseText(big), std::wstring(1 << 20, L'q'));
}

TEST(TextCase, EqualsIgnoreCase) {
  EXPECT_TRUE(EqualsIgnoreCase(L"VORLUX", L"vorlux"));
  EXPECT_TRUE(EqualsIgnoreCase(L"Vorlux", L"vORLUx"));
  EXPECT_TRUE(EqualsIgnoreCase(L"", L""));
  EXPECT_TRUE(EqualsIgnoreCase(L"\u0386\u039B\u03A6\u0391", L"\u03AC\u03BB\u03C6\u03B1"));
  EXPECT_TRUE(EqualsIgnoreCase(L"\u0490\u0420\u0406", L"\u0491\u0440\u0456"));
  EXPECT_FALSE(EqualsIgnoreCase(L"Vorlux", L"Vorlu"));
  EXPECT_FALSE(EqualsIgnoreCase(L"Vorlu", L"Vorlux"));
  EXPECT_FALSE(EqualsIgnoreCase(L"Vorlux", L"Vorlox"));
  EXPECT_FALSE(EqualsIgnoreCase(L"@", L"`"));  // 0x40 and 0x60 differ by the case bit only
  EXPECT_FALSE(EqualsIgnoreCase(L"[", L"{"));
}

TEST(TextCase, ContainsIgnoreCase) {
  EXPECT_TRUE(ContainsIgnoreCase(L"Display: SCREEN SAVER page", L"Screen saver"));
  EXPECT_TRUE(ContainsIgnoreCase(L"abcXYZ", L"xyz"));  // at the very end
  EXPECT_TRUE(ContainsIgnoreCase(L"XYZabc", L"xyz"));  // at the very start
  EXPECT_TRUE(ContainsIgnoreCase(L"xyz", L"XYZ"));
  EXPECT_TRUE(ContainsIgnoreCase(L"anything", L""));
  EXPECT_TRUE(ContainsIgnoreCase(L"", L""));
  EXPECT_FALSE(ContainsIgnoreCase(L"abcXY", L"xyz"));
  EXPECT_FALSE(ContainsIgnoreCase(L"xy", L"xyz"));
  EXPECT_FALSE(ContainsIgnoreCase(L"", L"x"));
  EXPECT_FALSE(ContainsIgnoreCase(L"Screen-saver", L"screen saver"));
}

}  // namespace
}  // namespace vorlux
