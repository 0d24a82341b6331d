// What the program reads from Windows' texts: the command line (argument text, run mode, window
// handles) and its own file name (the saver's list name).
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "saver/list_name.h"

namespace vorlux::test {
namespace {

TEST(ArgumentText, FollowsTheProgramNameQuotedInWholeOrInPart) {
  // clang-format off
  const struct { const wchar_t *line, *arguments; } cases[] = {
      {L"\"C:\\Program Files\\Vorlux\\SSVorlux.scr\" /p 1234", L"/p 1234"},
      {L"C:\\WINDOWS\\SSVORL~1.SCR /c:4567", L"/c:4567"}, {L"SSVorlux.scr \t  /S", L"/S"},
      {L"x.scr\t/a 9", L"/a 9"}, {L"x.scr /c \"a b\"  ", L"/c \"a b\"  "},  // kept as written
      {L"C:\\\"Program Files\"\\SSVorlux.scr /p 77", L"/p 77"},
      {L"\"C:\\My Savers\"\\SSVorlux.scr /s", L"/s"},
      {L"\"C:\\a b\\x.scr\"/S", L""},  // glued to the closing quote: still the name
      {L"\"C:\\a b\\x.scr /s", L""},   // an unterminated quote swallows the rest
      {L"", L""}, {L"SSVorlux.scr   ", L""}, {L"\"", L""},
      {L" /s", L"/s"},  // leading blank: an empty program name
  };
  // clang-format on
  for (const auto& c : cases) EXPECT_EQ(ArgumentText(c.line), c.arguments) << c.line;
}

TEST(RunMode, WholeValuesThenContainmentInOrderPreviewPasswordShowSetup) {
  constexpr int32_t None = kRunModeNone, Setup = kRunModeSetup, Show = kRunModeShow,
                    Preview = kRunModePreview, Password = kRunModePassword;
  // clang-format off
  const struct { std::wstring arguments; int32_t mode; } cases[] = {
      {L"", Setup}, {L"/c", Setup}, {L"-C", Setup}, {L"/S", Show}, {L"-s", Show},
      {L"/P:123", Preview}, {L"x/py", Preview}, {L"-p 5", Preview}, {L"-a:1", Password},
      {L"/screen", Show}, {L"x -s", Show}, {L"/c:456", Setup}, {L"-c:1", Setup},
      {L"/config", Setup},
      // Several switches: the earlier rule wins, wherever the switch stands.
      {L"/s /p 5", Preview}, {L"/a /p 5", Preview}, {L"/s /a", Password}, {L"/c /a", Password},
      {L"/c /s", Show}, {L"/s/c", Show}, {L"/PASSWORD", Preview},
      // No switch; only the empty text means setup.
      {L"word", None}, {L"p 123", None}, {L"/", None}, {L"/ s", None}, {L"\\s", None},
      {L"s/", None}, {L"/x", None}, {L" ", None}, {L"\uFF0Fs", None},
      // Upper-casing can make a switch (long s) or not (dotless i).
      {L"/\u017F", Show}, {L"/\u0131", None}, {std::wstring(L"/\0s", 3), None},
      {std::wstring(L"\0/s", 3), Show}, {std::wstring(1 << 20, L'x') + L"/s", Show},
  };
  // clang-format on
  for (const auto& c : cases)
    EXPECT_EQ(RunModeOf(CommandText(c.arguments)), c.mode) << '"' << c.arguments << '"';
}

TEST(Handles, PreviewAfterTheFirstBlankSetupOwnerAfterTheFirstColonRoundedWithin32Bits) {
  // The arguments, the preview handle and the setup dialog's owner (0 where left out).
  // clang-format off
  const struct { std::wstring arguments; int32_t preview = 0, owner = 0; } cases[] = {
      {L"/p 123", 123}, {L"/P  77", 77}, {L"/p 1 2 3", 123}, {L"/p 12abc", 12}, {L"/p abc"},
      {L"/p -5", -5}, {L"/s /p 5"}, {L"/P:123", 0, 123}, {L"/p"}, {L"/p\t77"}, {L"/p &h1f", 31},
      {L"/P 2.5", 2}, {L"/P 3.5", 4}, {L"/P 2147483647", INT32_MAX},
      {L"/P -2147483648.5", INT32_MIN}, {L"/P 2147483647.5"}, {L"/P 2147483648"},
      {L"/P -2147483649"}, {L"/P &HFFFFFFFF"}, {L"/P 1e999"}, {L"/P " + std::wstring(1000, L'9')},
      {L"/c:456", 0, 456}, {L"-c:-5", 0, -5}, {L"/c: 4 5 6", 456, 456}, {L"/c:3.5", 0, 4},
      {L"/c:&h1F", 0, 31}, {L"/c:1:2", 0, 1}, {L"/c x:456", 0, 456}, {L"/c 456", 456},
      {L"/c:abc"}, {L""}, {L"/c:4294967296"}, {L"/c:-2147483649"}, {L"/c:1e999"},
  };
  // clang-format on
  for (const auto& c : cases) {
    const std::wstring command = CommandText(c.arguments);
    EXPECT_EQ(PreviewHandle(command), c.preview) << '"' << c.arguments << '"';
    EXPECT_EQ(SetupOwnerHandle(command), c.owner) << '"' << c.arguments << '"';
  }
}

TEST(ListName, FileNameFromItsThirdCharacterWithoutDirectoryAndLastExtension) {
  // U+1F600 as UTF-16, one character of the name, and a long name.
  const std::wstring face = L"\xD83D\xDE00", body(5000, L'x');
  // clang-format off
  const struct { std::wstring file, name; } cases[] = {
      {L"SSVorlux.scr", L"Vorlux"},     {L"ssvorlux.SCR", L"vorlux"},  {L"SSVorlux", L"Vorlux"},
      {L"SSVorlux.", L"Vorlux"},        {L"SSVor.lux.scr", L"Vor.lux"}, {L"SS.scr.scr", L".scr"},
      {L"C:\\WINDOWS\\system32\\SSVorlux.scr", L"Vorlux"}, {L"Z:/work/SSVorlux.scr", L"Vorlux"},
      {L"C:SSVorlux.scr", L"Vorlux"},   {L"C:\\my.dir\\SSVorlux", L"Vorlux"},
      {L"", L""}, {L"S", L""}, {L"SS", L""}, {L"SS.scr", L""}, {L"SSV.scr", L"V"}, {L".scr", L""},
      {L"C:\\dir\\", L""}, {L"\\", L""}, {L"SS" + body + L".scr", body},
      // A surrogate pair is never split; lone surrogates are single characters.
      {L"S" + face + L"Vorlux.scr", L"Vorlux"}, {face + face + L"Vorlux.scr", L"Vorlux"},
      {L"SS" + face + L".scr", face},   {L"\xD83DSVorlux.scr", L"Vorlux"},
      {L"\xDE00\xD83DVorlux.scr", L"Vorlux"}, {L"S\xD83D.scr", L""},
  };
  // clang-format on
  for (const auto& c : cases) EXPECT_EQ(SaverListName(c.file), c.name) << c.file.substr(0, 40);
}

}  // namespace
}  // namespace vorlux::test
