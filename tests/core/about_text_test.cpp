#include "about/about_text.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "config/run_state.h"

namespace vorlux {
namespace {

const std::wstring kMaker = L"Vorlux Labs";

AboutIdentity Identity(AboutVersion version = {3, 2, 13}) {
  return {kAppTitle, kCopyrightYears, kMaker, kMakerCity, kMakerEmail, kMakerWebAddress, version};
}

std::vector<std::wstring> Lines(const std::wstring& text) {
  std::vector<std::wstring> lines(1);
  for (wchar_t c : text) {
    if (c == L'\r')
      lines.emplace_back();
    else
      lines.back() += c;
  }
  return lines;
}

const std::wstring kTitleLine = L"Vorlux Screen Saver  \u2013  version 3.2.13";
const std::wstring kCopyrightLine = L"Copyright \u00A9 2000, 2014, 2020 Vorlux Labs";
const std::wstring kPrompt = L"for comments or bugs send e-mail to address:";
const std::wstring kWebPrompt = L"or check for updates on the web:";

TEST(AboutText, WithoutACommentTheBoxReadsLineByLine) {
  const std::wstring text = BuildAboutText(L"", Identity());
  EXPECT_EQ(text.find(L'\n'), std::wstring::npos) << "lines end in a carriage return only";
  const std::vector<std::wstring> expected = {
      L"",
      kTitleLine,
      L"",
      kCopyrightLine,
      L"Geneva, Switzerland",
      L"",
      kPrompt,
      std::wstring(18 + 12, L' ') + kWebPrompt,
      std::wstring(31, L' '),
  };
  EXPECT_EQ(Lines(text), expected);
}

TEST(AboutText, PlaceholdersAreAsLongAsTheAddresses) {
  AboutIdentity id = Identity();
  id.email = L"a@b";
  id.web = L"";
  std::vector<std::wstring> lines = Lines(BuildAboutText(L"", id));
  ASSERT_EQ(lines.size(), 9u);
  EXPECT_EQ(lines[kEmailPlaceholderLine], std::wstring(3 + 12, L' ') + kWebPrompt);
  EXPECT_EQ(lines[kWebPlaceholderLine], L"");
}

TEST(AboutText, AWideEmailLinkKeepsTwoBlanksBeforeTheWebPrompt) {
  const auto blanksBeforePrompt = [](int linkBlanks) {
    AboutIdentity id = Identity();
    id.emailLinkBlanks = linkBlanks;
    const std::wstring line = Lines(BuildAboutText(L"", id))[kEmailPlaceholderLine];
    EXPECT_EQ(line.substr(line.find_first_not_of(L' ')), kWebPrompt);
    return line.find_first_not_of(L' ');
  };
  EXPECT_EQ(blanksBeforePrompt(-5), 30u);
  EXPECT_EQ(blanksBeforePrompt(18), 30u) << "as many blanks as characters: 12 more";
  EXPECT_EQ(blanksBeforePrompt(28), 30u);
  EXPECT_EQ(blanksBeforePrompt(29), 31u);
  EXPECT_EQ(blanksBeforePrompt(40), 42u);
}

TEST(AboutText, CommentsThatShowNothingGiveTheTextOfTheEmptyComment) {
  const std::wstring empty = BuildAboutText(L"", Identity());
  for (const std::wstring comment : {L" ", L"    ", L"\r", L"\rhidden", L"\rhidden\rtoo\r"}) {
    SCOPED_TRACE(testing::Message() << "comment of " << comment.size() << " characters");
    EXPECT_EQ(BuildAboutText(comment, Identity()), empty);
  }
  // Blanks around a word, or a leading line feed, do not hide it.
  EXPECT_EQ(Lines(BuildAboutText(L" x ", Identity()))[1], L" x ");
  EXPECT_EQ(Lines(BuildAboutText(L"\nx", Identity()))[1], L"\nx");
}

TEST(AboutText, CommentsOfUpToThreeLinesKeepThePromptOnLineSix) {
  struct Case {
    std::wstring comment;
    std::vector<std::wstring> head;  // lines 0 to 5
  };
  const std::vector<Case> cases = {
      {L"one", {kTitleLine, L"one", L"", kCopyrightLine, L"Geneva, Switzerland", L""}},
      {L"one\rtwo", {kTitleLine, L"one", L"two", L"", kCopyrightLine, L"Geneva, Switzerland"}},
      {L"a\rb\rc", {kTitleLine, L"a", L"b", L"c", kCopyrightLine, L"Geneva, Switzerland"}},
      {L"ends\r", {kTitleLine, L"ends", L"", L"", kCopyrightLine, L"Geneva, Switzerland"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "comment of " << c.comment.size() << " characters");
    const std::vector<std::wstring> lines = Lines(BuildAboutText(c.comment, Identity()));
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(std::vector<std::wstring>(lines.begin(), lines.begin() + 6), c.head);
    EXPECT_EQ(lines[6], kPrompt);
  }
}

TEST(AboutText, EachFurtherCommentLinePushesThePromptDown) {
  std::vector<std::wstring> lines = Lines(BuildAboutText(L"a\rb\rc\rd", Identity()));
  ASSERT_EQ(lines.size(), 10u);
  EXPECT_EQ(lines[4], L"d");
  EXPECT_EQ(lines[5], kCopyrightLine);
  EXPECT_EQ(lines[7], kPrompt);
  lines = Lines(BuildAboutText(L"1\r2\r3\r4\r5\r6", Identity()));
  EXPECT_EQ(lines[9], kPrompt);
}

TEST(AboutText, VersionLineLeavesOutARevisionOfZero) {
  EXPECT_EQ(Lines(BuildAboutText(L"", Identity({3, 2, 0})))[1],
            L"Vorlux Screen Saver  \u2013  version 3.2");
  EXPECT_EQ(Lines(BuildAboutText(L"", Identity({10, 0, 105})))[1],
            L"Vorlux Screen Saver  \u2013  version 10.0.105");
  EXPECT_EQ(kProgramVersion.major, 3);
  EXPECT_EQ(kProgramVersion.minor, 2);
  EXPECT_EQ(kProgramVersion.revision, 13);
}

TEST(AboutText, CountsCarriageReturnsWithin16Bits) {
  EXPECT_EQ(CountCarriageReturns(L""), 0);
  EXPECT_EQ(CountCarriageReturns(L"a\r\nb\n\rc\r"), 3) << "line feeds do not count";
  EXPECT_EQ(CountCarriageReturns(std::wstring(32767, L'\r')), 32767);
  EXPECT_THROW(CountCarriageReturns(std::wstring(32768, L'\r') + L"x"), std::overflow_error);
}

TEST(AboutText, CodeTablesSpellTheMakerAndTheWebAddress) {
  EXPECT_EQ(BuildMakerName(), kMaker);
  EXPECT_EQ(BuildWebAddress(), kMakerWebAddress) << "the shown address is the link's target";
}

}  // namespace
}  // namespace vorlux
