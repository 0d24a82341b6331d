// The saver's list name: the file name without directory, extension and its first two characters.
#include "saver/list_name.h"

#include <gtest/gtest.h>

#include <string>

namespace vorlux::test {
namespace {

TEST(ListName, FileNameFromItsThirdCharacterWithoutDirectoryAndLastExtension) {
  const std::wstring face = L"\xD83D\xDE00";  // U+1F600 as UTF-16: one character of the name
  const std::wstring body(5000, L'x');
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
