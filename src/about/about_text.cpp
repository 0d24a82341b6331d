// The About box's text, and the maker's name and web address from their code tables.
#include "about/about_text.h"

#include <algorithm>

#include "base/numeric.h"

namespace vorlux {

namespace {

constexpr wchar_t kCR = L'\r';

constexpr uint16_t kMakerNameCodes[] = {86, 111, 114, 108, 117, 120, 32, 76, 97, 98, 115};

constexpr uint8_t kWebAddressCodes[] = {104, 116, 116, 112, 115, 58,  47,  47,  119, 119, 119,
                                        46,  101, 120, 97,  109, 112, 108, 101, 46,  111, 114,
                                        103, 47,  118, 111, 114, 108, 117, 120, 47};

template <class Code, size_t N>
std::wstring Assemble(const Code (&codes)[N]) {
  std::wstring text;
  for (Code c : codes) text += static_cast<wchar_t>(c);
  return text;
}

bool ShowsNoComment(std::wstring_view comment) {
  return comment.find_first_not_of(L' ') == std::wstring_view::npos || comment.front() == kCR;
}

}  // namespace

int16_t CountCarriageReturns(std::wstring_view text) {
  int16_t count = 0;
  for (wchar_t c : text) {
    if (c != kCR) continue;
    if (count == INT16_MAX) throw OverflowError("16-bit overflow");
    ++count;
  }
  return count;
}

std::wstring BuildAboutText(std::wstring_view comment, const AboutIdentity& id) {
  // The prefixes keep the e-mail prompt on line 6 whether the comment has one, two or three
  // lines, so that the links (which stay in place) fall on their blanks.
  std::wstring p1, p2, p3;
  if (ShowsNoComment(comment)) {
    p1 = p2 = p3 = kCR;
  } else {
    const int16_t returns = CountCarriageReturns(comment);
    p2 = comment;
    p2 += returns >= 2 ? L"\r" : L"\r\r";
    if (returns == 0) p3 = kCR;
  }

  std::wstring text = p1;
  text += id.appTitle;
  text += L"  \u2013  version ";
  text += DecimalText(id.version.major) + L'.' + DecimalText(id.version.minor);
  if (id.version.revision > 0) text += L'.' + DecimalText(id.version.revision);
  text += kCR;
  text += p2;
  text += L"Copyright \u00A9 ";
  text += id.copyrightYears;
  text += L' ';
  text += id.makerName;
  text += kCR;
  text += id.city;
  text += kCR;
  text += p3;
  text += L"for comments or bugs send e-mail to address:\r";
  // The link is drawn over these blanks in a font of its own; counted by characters alone, a
  // wider link would cover the start of the prompt.
  const size_t covered =
      std::max(id.email.size(), static_cast<size_t>(std::max(id.emailLinkBlanks, 0)));
  text.append(std::max(id.email.size() + 12, covered + 2), L' ');
  text += L"or check for updates on the web:\r";
  text.append(id.web.size(), L' ');
  return text;
}

std::wstring BuildMakerName() { return Assemble(kMakerNameCodes); }
std::wstring BuildWebAddress() { return Assemble(kWebAddressCodes); }

}  // namespace vorlux
