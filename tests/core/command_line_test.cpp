#include "app/command_line.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace vorlux {
namespace {

TEST(ArgumentText, FollowsTheProgramNameQuotedInWholeOrInPart) {
  const struct {
    const wchar_t* line;
    const wchar_t* arguments;
  } cases[] = {
      {L"\"C:\\Program Files\\Vorlux\\SSVorlux.scr\" /p 1234", L"/p 1234"},
      {L"C:\\WINDOWS\\SSVORL~1.SCR /c:4567", L"/c:4567"},
      {L"SSVorlux.scr \t  /S", L"/S"},
      {L"x.scr\t/a 9", L"/a 9"},
      {L"x.scr /c \"a b\"  ", L"/c \"a b\"  "},  // kept as written
      {L"C:\\\"Program Files\"\\SSVorlux.scr /p 77", L"/p 77"},
      {L"\"C:\\My Savers\"\\SSVorlux.scr /s", L"/s"},
      {L"\"C:\\a b\\x.scr\"/S", L""},  // glued to the closing quote: still the name
      {L"\"C:\\a b\\x.scr /s", L""},   // an unterminated quote swallows the rest
      {L"", L""}, {L"SSVorlux.scr   ", L""}, {L"\"", L""},
      {L" /s", L"/s"},  // leading blank: an empty program name
  };
  for (const auto& c : cases) EXPECT_EQ(ArgumentText(c.line), c.arguments) << c.line;
}

TEST(CommandText, UpperCasedAndOnlyTheEmptyTextMeansSetup) {
  EXPECT_EQ(CommandText(L""), L"/C");
  EXPECT_EQ(CommandText(L"/p 1e3"), L"/P 1E3");
  EXPECT_EQ(CommandText(L"s\u00EC"), L"S\u00CC");
  EXPECT_EQ(CommandText(L" "), L" ");
}

TEST(RunMode, WholeValuesThenContainmentInOrderPreviewPasswordShowSetup) {
  const struct {
    std::wstring arguments;
    int32_t mode;
  } cases[] = {
      {L"", kRunModeSetup}, {L"/c", kRunModeSetup}, {L"-C", kRunModeSetup},
      {L"/S", kRunModeShow}, {L"-s", kRunModeShow},
      {L"/P:123", kRunModePreview}, {L"x/py", kRunModePreview}, {L"-a:1", kRunModePassword},
      {L"/screen", kRunModeShow}, {L"/c:456", kRunModeSetup}, {L"/config", kRunModeSetup},
      // Several switches: the earlier rule wins, wherever the switch stands.
      {L"/s /p 5", kRunModePreview}, {L"/a /p 5", kRunModePreview},
      {L"/s /a", kRunModePassword}, {L"/c /a", kRunModePassword}, {L"/c /s", kRunModeShow},
      {L"/s/c", kRunModeShow}, {L"/PASSWORD", kRunModePreview},
      // No switch.
      {L"word", kRunModeNone}, {L"p 123", kRunModeNone}, {L"/", kRunModeNone},
      {L"/ s", kRunModeNone}, {L"\\s", kRunModeNone}, {L"s/", kRunModeNone},
      {L"/x", kRunModeNone}, {L" ", kRunModeNone}, {L"\uFF0Fs", kRunModeNone},
      // Upper-casing can make a switch (long s) or not (dotless i).
      {L"/\u017F", kRunModeShow}, {L"/\u0131", kRunModeNone},
      {std::wstring(L"/\0s", 3), kRunModeNone}, {std::wstring(L"\0/s", 3), kRunModeShow},
      {std::wstring(1 << 20, L'x') + L"/s", kRunModeShow},
  };
  for (const auto& c : cases)
    EXPECT_EQ(RunModeOf(CommandText(c.arguments)), c.mode) << '"' << c.arguments << '"';
}

struct HandleCase {
  std::wstring arguments;
  int32_t handle;
};

TEST(PreviewHandle, NumberAfterTheFirstBlankRoundedWithin32Bits) {
  const HandleCase cases[] = {
      {L"/p 123", 123}, {L"/P  77", 77}, {L"/p 1 2 3", 123}, {L"/p 12abc", 12},
      {L"/p abc", 0}, {L"/p -5", -5}, {L"/s /p 5", 0}, {L"/P:123", 0}, {L"/p", 0},
      {L"/p\t77", 0}, {L"/p 1e3", 1000}, {L"/p 12d2", 1200}, {L"/p &h1f", 31},
      {L"/p &o17", 15}, {L"/P 2.5", 2}, {L"/P 3.5", 4}, {L"/P -2.5", -2}, {L"/P 2.51", 3},
      {L"/P 2147483647", INT32_MAX}, {L"/P -2147483648.5", INT32_MIN},
      {L"/P 2147483647.5", 0}, {L"/P 2147483648", 0}, {L"/P -2147483649", 0},
      {L"/P &HFFFFFFFF", 0}, {L"/P 1e999", 0}, {L"/P " + std::wstring(1000, L'9'), 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(PreviewHandle(CommandText(c.arguments)), c.handle) << '"' << c.arguments << '"';
}

TEST(SetupOwnerHandle, NumberAfterTheFirstColonRoundedWithin32Bits) {
  const HandleCase cases[] = {
      {L"/c:456", 456}, {L"-c:456", 456}, {L"/c: 4 5 6", 456}, {L"/c:-5", -5},
      {L"/c:2.5", 2}, {L"/c:3.5", 4}, {L"/c:&h1F", 31}, {L"/c:1:2", 1}, {L"/c x:456", 456},
      {L"/c", 0}, {L"/c 456", 0}, {L"/c:abc", 0}, {L"", 0}, {L"/c:4294967296", 0},
      {L"/c:-2147483649", 0}, {L"/c:1e999", 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(SetupOwnerHandle(CommandText(c.arguments)), c.handle) << '"' << c.arguments << '"';
}

TEST(HandleFromText, DecimalTextRoundTripsEvery32BitValue) {
  for (int64_t v : {0LL, -1LL, 65536LL, 2147483647LL, -2147483648LL, -987654321LL})
    EXPECT_EQ(HandleFromText(std::to_wstring(v)), v);
  EXPECT_EQ(HandleFromText(L"   "), 0);
}

}  // namespace
}  // namespace vorlux
