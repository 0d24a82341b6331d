// The About box's text: its lines with and without a comment, and the room left for the links.
#include "about/about_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>

#include "about/links.h"
#include "base/errors.h"
#include "config/run_state.h"

namespace vorlux::test {
namespace {

AboutIdentity Identity(AboutVersion version = {3, 2, 13}) {
  static const std::wstring maker = BuildMakerName();
  return {kAppTitle, kCopyrightYears, maker, kMakerCity, kMakerEmail, kMakerWebAddress, version};
}

// The text's lines joined by '|', the fixed ones by a letter: T<version> title, C copyright,
// G city, P e-mail prompt, W<n> web prompt after n blanks, _<n> a line of n blanks.
std::wstring Shape(std::wstring_view comment, const AboutIdentity& id = Identity()) {
  const std::wstring_view title = L"Vorlux Screen Saver  \u2013  version ",
                          web = L"or check for updates on the web:";
  // clang-format off
  const std::pair<std::wstring_view, const wchar_t*> fixed[] = {
      {L"Copyright \u00A9 2000, 2014, 2020 Vorlux Labs", L"C"}, {L"Geneva, Switzerland", L"G"},
      {L"for comments or bugs send e-mail to address:", L"P"}};
  // clang-format on
  const std::wstring text = BuildAboutText(comment, id);
  std::wstring shape;
  for (size_t start = 0, end = 0; end != text.npos; start = end + 1) {
    end = text.find(L'\r', start);
    std::wstring line = text.substr(start, end - start);
    const size_t blanks = std::min(line.find_first_not_of(L' '), line.size());
    for (auto [full, letter] : fixed) line = line == full ? letter : line;
    if (line.starts_with(title)) line = L"T" + line.substr(title.size());
    if (line.substr(blanks) == web) line = L"W" + std::to_wstring(blanks);
    if (blanks && blanks == line.size()) line = L"_" + std::to_wstring(blanks);
    shape += line + (end == text.npos ? L"" : L"|");
  }
  return shape;
}

TEST(AboutText, CommentsOfUpToThreeLinesKeepThePromptInPlaceLongerOnesPushItDown) {
  const std::wstring kNone = L"|T3.2.13||C|G||P|W30|_31";
  // clang-format off
  const struct { std::wstring comment, shape; } cases[] = {
      // Nothing shown for blanks alone or a leading carriage return.
      {L"", kNone}, {L"   ", kNone}, {L"\r", kNone}, {L"\rhidden\rtoo\r", kNone},
      {L"one", L"T3.2.13|one||C|G||P|W30|_31"}, {L"one\rtwo", L"T3.2.13|one|two||C|G|P|W30|_31"},
      {L"a\rb\rc", L"T3.2.13|a|b|c|C|G|P|W30|_31"}, {L"ends\r", L"T3.2.13|ends|||C|G|P|W30|_31"},
      {L"a\rb\rc\rd", L"T3.2.13|a|b|c|d|C|G|P|W30|_31"},
      // Blanks around a word do not hide it, nor does a line feed.
      {L" x ", L"T3.2.13| x ||C|G||P|W30|_31"}, {L"\n", L"T3.2.13|\n||C|G||P|W30|_31"},
  };
  // clang-format on
  for (const auto& c : cases) EXPECT_EQ(Shape(c.comment), c.shape) << c.comment.size();
}

TEST(AboutText, PlaceholdersFitTheAddressesAndAWideEmailLinkKeepsTwoBlanksBeforeThePrompt) {
  EXPECT_EQ(BuildWebAddress(), kMakerWebAddress) << "the shown address is the link's target";
  AboutIdentity id = Identity();
  id.email = L"a@b", id.web = L"";
  EXPECT_EQ(Shape(L"", id), L"|T3.2.13||C|G||P|W15|");
  // 12 blanks more than the address's 18 characters, or two more than the link covers.
  id = Identity();
  for (auto [linkBlanks, prompt] : {std::pair{-5, 30}, {18, 30}, {28, 30}, {29, 31}, {40, 42}}) {
    id.emailLinkBlanks = linkBlanks;
    EXPECT_EQ(Shape(L"", id), L"|T3.2.13||C|G||P|W" + std::to_wstring(prompt) + L"|_31")
        << linkBlanks;
  }
}

TEST(AboutText, VersionLeavesOutARevisionOfZeroAndCarriageReturnsCountWithin16Bits) {
  EXPECT_EQ(Shape(L"", Identity({3, 2, 0})), L"|T3.2||C|G||P|W30|_31");
  EXPECT_EQ(Shape(L"", Identity({10, 0, 105})), L"|T10.0.105||C|G||P|W30|_31");
  EXPECT_EQ(CountCarriageReturns(L"a\r\nb\n\rc\r"), 3) << "line feeds do not count";
  EXPECT_EQ(CountCarriageReturns(std::wstring(32767, L'\r')), 32767);
  EXPECT_THROW(BuildAboutText(L"x" + std::wstring(32768, L'\r'), Identity()), OverflowError);
}

TEST(Links, TargetsFromTheMakersTextsAndTheShellsErrorsByValue) {
  EXPECT_EQ(MailLinkTarget() + L" " + WebLinkTarget(),
            L"mailto:vorlux@example.org https://www.example.org/vorlux/");
  const std::wstring generic = L"Generic access file error.";
  // clang-format off
  for (const auto& [value, text] : std::initializer_list<std::pair<std::intptr_t, std::wstring>>{
           {2, L"File not found."}, {3, L"Path not found."}, {5, L"Access denied."},
           {27, L"Incomplete association type of file."}, {31, L"Missing association type of file."},
           {0, generic}, {8, generic}, {26, generic}, {28, generic}, {29, generic}, {30, generic},
           {32, generic}, {-1, generic}, {33, L""}, {42, L""}})
    EXPECT_EQ(LinkErrorText(value), text) << value;
  // clang-format on
}

}  // namespace
}  // namespace vorlux::test
