#include "saver/list_name.h"

#include <gtest/gtest.h>

#include <string>

namespace vorlux {
namespace {

TEST(ListName, DropsTheFirstTwoCharactersAndTheExtension) {
  EXPECT_EQ(SaverListName(L"SSVorlux.scr"), L"Vorlux");
  EXPECT_EQ(SaverListName(L"ssvorlux.SCR"), L"vorlux");  // the letter case is kept
  EXPECT_EQ(SaverListName(L"SSVorlux"), L"Vorlux");      // no extension
  EXPECT_EQ(SaverListName(L"SSVorlux."), L"Vorlux");
  // Only the last extension goes; earlier dots belong to the name.
  EXPECT_EQ(SaverListName(L"SSVor.lux.scr"), L"Vor.lux");
  EXPECT_EQ(SaverListName(L"SS.scr.scr"), L".scr");
}

TEST(ListName, TakesTheFileNameOfAPath) {
  EXPECT_EQ(SaverListName(L"C:\\WINDOWS\\system32\\SSVorlux.scr"), L"Vorlux");
  EXPECT_EQ(SaverListName(L"Z:/work/build/SSVorlux.scr"), L"Vorlux");
  EXPECT_EQ(SaverListName(L"C:SSVorlux.scr"), L"Vorlux");
  // A dot in a directory name is not the file's extension.
  EXPECT_EQ(SaverListName(L"C:\\my.dir\\SSVorlux"), L"Vorlux");
}

TEST(ListName, ShortOrEmptyNamesGiveWhatIsLeft) {
  EXPECT_EQ(SaverListName(L""), L"");
  EXPECT_EQ(SaverListName(L"S"), L"");
  EXPECT_EQ(SaverListName(L"SS"), L"");
  EXPECT_EQ(SaverListName(L"SS.scr"), L"");
  EXPECT_EQ(SaverListName(L"SSV.scr"), L"V");
  EXPECT_EQ(SaverListName(L".scr"), L"");
  EXPECT_EQ(SaverListName(L"C:\\dir\\"), L"");
  EXPECT_EQ(SaverListName(L"\\"), L"");
}

TEST(ListName, NeverSplitsASurrogatePair) {
  // U+1F600 as UTF-16: the pair is one character of the name.
  const std::wstring face = L"\xD83D\xDE00";
  EXPECT_EQ(SaverListName(L"S" + face + L"Vorlux.scr"), L"Vorlux");
  EXPECT_EQ(SaverListName(face + face + L"Vorlux.scr"), L"Vorlux");
  EXPECT_EQ(SaverListName(L"SS" + face + L".scr"), face);
  // Lone surrogates are single characters.
  EXPECT_EQ(SaverListName(L"\xD83DSVorlux.scr"), L"Vorlux");
  EXPECT_EQ(SaverListName(L"\xDE00\xD83DVorlux.scr"), L"Vorlux");
  EXPECT_EQ(SaverListName(L"S\xD83D.scr"), L"");
}

TEST(ListName, LongNamesAreKeptWhole) {
  const std::wstring body(5000, L'x');
  EXPECT_EQ(SaverListName(L"SS" + body + L".scr"), body);
}

}  // namespace
}  // namespace vorlux
