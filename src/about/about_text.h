// The text of the About box: title and version, years and maker, city, and the two lines that
// reserve room for the e-mail and web links.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vorlux {

// The maker's details that are stored as plain text. The maker's name and the web address
// shown on screen are assembled by BuildMakerName and BuildWebAddress instead.
inline constexpr std::wstring_view kMakerCity = L"Geneva, Switzerland";
inline constexpr std::wstring_view kMakerEmail = L"vorlux@example.org";
inline constexpr std::wstring_view kMakerWebAddress = L"https://www.example.org/vorlux/";

// Lines of the text (from 0) that hold the blanks under the e-mail and web links, for any
// comment of at most three lines.
inline constexpr int kEmailPlaceholderLine = 7;
inline constexpr int kWebPlaceholderLine = 8;

struct AboutVersion {
  int major = 0;
  int minor = 0;
  int revision = 0;  // left out of the text when 0
};

#if defined(VORLUX_VERSION_MAJOR) && defined(VORLUX_VERSION_MINOR) && \
    defined(VORLUX_VERSION_REVISION)
inline constexpr AboutVersion kProgramVersion{VORLUX_VERSION_MAJOR, VORLUX_VERSION_MINOR,
                                              VORLUX_VERSION_REVISION};
#endif

struct AboutIdentity {
  std::wstring_view appTitle;
  std::wstring_view copyrightYears;
  std::wstring_view makerName;
  std::wstring_view city;
  std::wstring_view email;
  std::wstring_view web;
  AboutVersion version;
  // How many blanks of the text's font the e-mail link covers; 0 counts one per character.
  int emailLinkBlanks = 0;
};

// Lines separated by a single carriage return (no line feed). A comment that is empty, all
// blanks or starts with a carriage return is not shown. The web prompt follows the e-mail
// address's length plus 12 blanks, or more when the e-mail link needs them to keep two blanks
// clear before the prompt.
std::wstring BuildAboutText(std::wstring_view comment, const AboutIdentity& identity);

// The maker's name and the displayed web address, assembled from tables of character codes so
// that neither stands in the program as one piece of text.
std::wstring BuildMakerName();
std::wstring BuildWebAddress();

// Number of carriage returns (code 13); a count beyond 16 bits raises OverflowError.
int16_t CountCarriageReturns(std::wstring_view text);

}  // namespace vorlux
