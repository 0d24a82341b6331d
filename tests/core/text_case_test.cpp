// Case mapping of the covered Unicode blocks, and case-blind comparison of whole texts.
#include "base/text_case.h"

#include <gtest/gtest.h>

namespace vorlux::test {
namespace {

unsigned Lower(unsigned c) { return static_cast<unsigned>(LowerChar(static_cast<wchar_t>(c))); }
unsigned Upper(unsigned c) { return static_cast<unsigned>(UpperChar(static_cast<wchar_t>(c))); }

TEST(TextCase, SamplesFromEveryBlockAndRunOfPairs) {
  // clang-format off
  const struct { unsigned upper, lower; } pairs[] = {
      {'A', 'a'}, {'Z', 'z'}, {0xC0, 0xE0}, {0xDE, 0xFE}, {0x178, 0xFF}, {0x100, 0x101},
      {0x136, 0x137}, {0x139, 0x13A}, {0x14A, 0x14B}, {0x17D, 0x17E}, {0x391, 0x3B1},
      {0x3A9, 0x3C9}, {0x386, 0x3AC}, {0x38F, 0x3CE}, {0x37F, 0x3F3}, {0x3F9, 0x3F2},
      {0x3FD, 0x37B}, {0x3CF, 0x3D7}, {0x410, 0x430}, {0x42F, 0x44F}, {0x400, 0x450},
      {0x48A, 0x48B}, {0x4C0, 0x4CF}, {0x4C1, 0x4C2}, {0x52E, 0x52F}, {0x40F, 0x45F},
      {0x12E, 0x12F}, {0x4BE, 0x4BF}, {0x4CD, 0x4CE}};
  // Mappings that go one way only, and signs inside the letter ranges that have no case.
  const struct { unsigned c, lower, upper; } others[] = {
      {0xB5, 0xB5, 0x39C}, {0x130, 'i', 0x130}, {0x131, 0x131, 'I'}, {0x17F, 0x17F, 'S'},
      {0x3C2, 0x3C2, 0x3A3}, {0x3D0, 0x3D0, 0x392}, {0x3F4, 0x3B8, 0x3F4}, {0x212A, 'k', 0x212A},
      {0x212B, 0xE5, 0x212B}, {0x2126, 0x3C9, 0x2126}, {0xD7, 0xD7, 0xD7}, {0xF7, 0xF7, 0xF7},
      {0x3A2, 0x3A2, 0x3A2}, {0x3D1, 0x3D1, 0x398}, {0x3F5, 0x3F5, 0x395}, {0x2C0, 0x2C0, 0x2C0}};
  // clang-format on
  for (const auto& p : pairs)
    EXPECT_TRUE(Lower(p.upper) == p.lower && Upper(p.lower) == p.upper) << std::hex << p.upper;
  for (const auto& o : others)
    EXPECT_TRUE(Lower(o.c) == o.lower && Upper(o.c) == o.upper) << std::hex << o.c;
}

TEST(TextCase, WholeTextsCompareIgnoringCaseNotJustTheCaseBit) {
  EXPECT_TRUE(EqualsIgnoreCase(L"\u0386\u039B\u0490", L"\u03AC\u03BB\u0491") &&
              !EqualsIgnoreCase(L"@[", L"`{") && !EqualsIgnoreCase(L"Vorlux", L"Vorlu"));
  EXPECT_TRUE(ContainsIgnoreCase(L"abcXYZ", L"xyz") && !ContainsIgnoreCase(L"abcXY", L"xyz") &&
              !ContainsIgnoreCase(L"", L"x") && ContainsIgnoreCase(L"", L""));
}

}  // namespace
}  // namespace vorlux::test
