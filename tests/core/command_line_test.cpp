#include "app/command_line.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace vorlux {
namespace {

// What the entry routine does with the argument text: upper-case it, then read the mode.
int32_t ModeOf(std::wstring_view arguments) { return RunModeOf(CommandText(arguments)); }
int32_t PreviewHandleOf(std::wstring_view arguments) {
  return PreviewHandle(CommandText(arguments));
}
int32_t OwnerHandleOf(std::wstring_view arguments) {
  return SetupOwnerHandle(CommandText(arguments));
}

struct ModeCase {
  std::wstring arguments;
  int32_t mode;
};

void ExpectModes(const std::vector<ModeCase>& cases) {
  for (const ModeCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "arguments \"" << c.arguments << "\"");
    EXPECT_EQ(ModeOf(c.arguments), c.mode);
  }
}

struct HandleCase {
  std::wstring arguments;
  int32_t handle;
};

// ---- Argument text ---------------------------------------------------------------------------

TEST(ArgumentText, FollowsTheProgramNameAndItsBlanks) {
  EXPECT_EQ(ArgumentText(L"\"C:\\WINDOWS\\System32\\SSVorlux.scr\" /s"), L"/s");
  EXPECT_EQ(ArgumentText(L"\"C:\\Program Files\\Vorlux\\SSVorlux.scr\" /p 1234"), L"/p 1234");
  EXPECT_EQ(ArgumentText(L"C:\\WINDOWS\\SSVORL~1.SCR /c:4567"), L"/c:4567");
  EXPECT_EQ(ArgumentText(L"SSVorlux.scr \t  /S"), L"/S");
  EXPECT_EQ(ArgumentText(L"SSVorlux.scr\t/a 9"), L"/a 9");
}

TEST(ArgumentText, KeepsTheArgumentsAsWritten) {
  EXPECT_EQ(ArgumentText(L"x.scr /p  5  "), L"/p  5  ");
  EXPECT_EQ(ArgumentText(L"x.scr \"/s\""), L"\"/s\"");
  EXPECT_EQ(ArgumentText(L"x.scr /c \"a b\""), L"/c \"a b\"");
}

TEST(ArgumentText, QuotesAnywhereInTheNameKeepItsBlanks) {
  EXPECT_EQ(ArgumentText(L"C:\\\"Program Files\"\\SSVorlux.scr /p 77"), L"/p 77");
  EXPECT_EQ(ArgumentText(L"\"C:\\My Savers\"\\SSVorlux.scr /s"), L"/s");
  // Text glued to the closing quote still belongs to the name.
  EXPECT_EQ(ArgumentText(L"\"C:\\a b\\x.scr\"/S"), L"");
}

TEST(ArgumentText, NoArguments) {
  EXPECT_EQ(ArgumentText(L""), L"");
  EXPECT_EQ(ArgumentText(L"SSVorlux.scr"), L"");
  EXPECT_EQ(ArgumentText(L"SSVorlux.scr   "), L"");
  EXPECT_EQ(ArgumentText(L"\"C:\\a b\\SSVorlux.scr\""), L"");
  EXPECT_EQ(ArgumentText(L"\"\""), L"");
  EXPECT_EQ(ArgumentText(L"\""), L"");
  // An unterminated quote swallows the rest as part of the name.
  EXPECT_EQ(ArgumentText(L"\"C:\\a b\\x.scr /s"), L"");
}

TEST(ArgumentText, LeadingBlanksMeanAnEmptyProgramName) {
  EXPECT_EQ(ArgumentText(L" /s"), L"/s");
  EXPECT_EQ(ArgumentText(L"   "), L"");
}

// ---- Command text and run mode ---------------------------------------------------------------

TEST(CommandText, UpperCasedAndEmptyMeansSetup) {
  EXPECT_EQ(CommandText(L""), L"/C");
  EXPECT_EQ(CommandText(L"/s"), L"/S");
  EXPECT_EQ(CommandText(L"/c:456"), L"/C:456");
  EXPECT_EQ(CommandText(L"/p 1e3"), L"/P 1E3");
  EXPECT_EQ(CommandText(L"s\u00EC"), L"S\u00CC");
  // Only the empty text stands for /C; blanks are a text without a switch.
  EXPECT_EQ(CommandText(L" "), L" ");
}

TEST(RunMode, WholeValues) {
  ExpectModes({
      {L"/C", kRunModeSetup},
      {L"/c", kRunModeSetup},
      {L"-C", kRunModeSetup},
      {L"-c", kRunModeSetup},
      {L"/S", kRunModeShow},
      {L"/s", kRunModeShow},
      {L"-S", kRunModeShow},
      {L"-s", kRunModeShow},
      {L"", kRunModeSetup},
  });
}

TEST(RunMode, ContainmentInOrderPreviewPasswordShowSetup) {
  ExpectModes({
      {L"/p 123", kRunModePreview},
      {L"-P", kRunModePreview},
      {L"/P:123", kRunModePreview},
      {L"x/py", kRunModePreview},
      {L"/a", kRunModePassword},
      {L"/A 99", kRunModePassword},
      {L"-a:1", kRunModePassword},
      {L"/s 5", kRunModeShow},
      {L"/screen", kRunModeShow},
      {L"/c:456", kRunModeSetup},
      {L"/config", kRunModeSetup},
      // Several switches: the earlier rule wins, wherever the switch stands.
      {L"/s /p 5", kRunModePreview},
      {L"/a /p 5", kRunModePreview},
      {L"/s /a", kRunModePassword},
      {L"/c /a", kRunModePassword},
      {L"/c /s", kRunModeShow},
      {L"/s /c", kRunModeShow},
      {L"/s/c", kRunModeShow},
      {L"/PASSWORD", kRunModePreview},
  });
}

TEST(RunMode, TextWithoutASwitch) {
  ExpectModes({
      {L"word", kRunModeNone},
      {L"s", kRunModeNone},
      {L"p 123", kRunModeNone},
      {L"/", kRunModeNone},
      {L"-", kRunModeNone},
      {L"/ s", kRunModeNone},
      {L"\\s", kRunModeNone},
      {L"s/", kRunModeNone},
      {L"/x", kRunModeNone},
      {L"--", kRunModeNone},
      {L" ", kRunModeNone},
      {L"\u2215s", kRunModeNone},  // a division slash is not a slash
      {L"\uFF0Fs", kRunModeNone},  // nor is a full-width one
  });
}

TEST(RunMode, UnicodeUpperCasingCanMakeASwitch) {
  // Long s upper-cases to S, so it is a show switch once the text is upper-cased.
  EXPECT_EQ(ModeOf(L"/\u017F"), kRunModeShow);
  // Dotless i upper-cases to I, which is no switch.
  EXPECT_EQ(ModeOf(L"/\u0131"), kRunModeNone);
}

TEST(RunMode, TextOfAnyLength) {
  EXPECT_EQ(ModeOf(std::wstring(1 << 20, L'x') + L"/s"), kRunModeShow);
  EXPECT_EQ(ModeOf(std::wstring(1 << 20, L'/')), kRunModeNone);
  EXPECT_EQ(ModeOf(std::wstring(L"/\0s", 3)), kRunModeNone);
  EXPECT_EQ(ModeOf(std::wstring(L"\0/s", 3)), kRunModeShow);
}

// ---- Window handles --------------------------------------------------------------------------

TEST(PreviewHandle, TextAfterTheFirstBlank) {
  for (const HandleCase& c : std::vector<HandleCase>{
           {L"/p 123", 123},
           {L"/P  77", 77},
           {L"/p 1 2 3", 123},  // blanks are removed before the number is read
           {L"/p 12abc", 12},
           {L"/p abc", 0},
           {L"/p -5", -5},
           {L"/s /p 5", 0},  // the first blank is before /p, and "/P5" is no number
           {L"x /p 5", 0},
           {L"/p:123", 0},
           {L"/p", 0},
           {L"/p\t77", 0},  // a tab is not the blank the handle follows
           {L"/p ", 0},
       }) {
    SCOPED_TRACE(testing::Message() << "arguments \"" << c.arguments << "\"");
    EXPECT_EQ(PreviewHandleOf(c.arguments), c.handle);
  }
}

TEST(PreviewHandle, NumbersRoundHalfToEven) {
  for (const HandleCase& c : std::vector<HandleCase>{
           {L"/P 2.5", 2},
           {L"/P 3.5", 4},
           {L"/P 0.5", 0},
           {L"/P 1.5", 2},
           {L"/P -2.5", -2},
           {L"/P 2.51", 3},
           {L"/P 2147483646.5", 2147483646},
           {L"/P -2147483648.5", INT32_MIN},
       }) {
    SCOPED_TRACE(testing::Message() << "arguments \"" << c.arguments << "\"");
    EXPECT_EQ(PreviewHandleOf(c.arguments), c.handle);
  }
}

TEST(PreviewHandle, ExponentsAndRadixSurviveUpperCasing) {
  EXPECT_EQ(PreviewHandleOf(L"/p 1e3"), 1000);
  EXPECT_EQ(PreviewHandleOf(L"/p 12d2"), 1200);
  EXPECT_EQ(PreviewHandleOf(L"/p &h1f"), 31);
  EXPECT_EQ(PreviewHandleOf(L"/p &o17"), 15);
}

TEST(PreviewHandle, NumbersOutside32BitsLeaveZero) {
  for (const HandleCase& c : std::vector<HandleCase>{
           {L"/P 2147483647", INT32_MAX},
           {L"/P -2147483648", INT32_MIN},
           {L"/P 2147483647.5", 0},
           {L"/P 2147483648", 0},
           {L"/P 4294967296", 0},
           {L"/P -2147483649", 0},
           {L"/P &HFFFFFFFF", 0},
           {L"/P 1e10", 0},
           {L"/P 1e999", 0},  // too large even for a double
           {L"/P " + std::wstring(1000, L'9'), 0},
       }) {
    SCOPED_TRACE(testing::Message() << "arguments \"" << c.arguments << "\"");
    EXPECT_EQ(PreviewHandleOf(c.arguments), c.handle);
  }
}

TEST(SetupOwnerHandle, TextAfterTheFirstColon) {
  for (const HandleCase& c : std::vector<HandleCase>{
           {L"/C:456", 456},
           {L"/c:456", 456},
           {L"-c:456", 456},
           {L"/c: 4 5 6", 456},
           {L"/c:-5", -5},
           {L"/c:2.5", 2},
           {L"/c:3.5", 4},
           {L"/c:&h1F", 31},
           {L"/c:1:2", 1},
           {L"/c x:456", 456},
           {L"/c", 0},
           {L"/c 456", 0},
           {L"/c:", 0},
           {L"/c:abc", 0},
           {L"", 0},  // the empty command line stands for /C without an owner
           {L"/c:4294967296", 0},
           {L"/c:-2147483649", 0},
           {L"/c:1e999", 0},
       }) {
    SCOPED_TRACE(testing::Message() << "arguments \"" << c.arguments << "\"");
    EXPECT_EQ(OwnerHandleOf(c.arguments), c.handle);
  }
}

TEST(HandleFromText, DecimalTextRoundTripsEvery32BitValue) {
  for (int64_t v : {0LL, 1LL, -1LL, 65536LL, 0x7FFFFFFELL, 2147483647LL, -2147483648LL,
                    -2147483647LL, 123456789LL, -987654321LL}) {
    EXPECT_EQ(HandleFromText(std::to_wstring(v)), v);
  }
  EXPECT_EQ(HandleFromText(L""), 0);
  EXPECT_EQ(HandleFromText(L"   "), 0);
}

}  // namespace
}  // namespace vorlux
