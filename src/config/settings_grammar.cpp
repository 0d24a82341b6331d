// The grammar of the stored setting texts.
#include "config/settings_grammar.h"

#include <array>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include "base/numeric.h"
#include "base/text_case.h"

namespace vorlux {

namespace {

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

int HexValue(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  return -1;
}

std::optional<double> ReadRadixInteger(std::wstring_view digits, int radix) {
  double value = 0;
  for (wchar_t c : digits) {
    const int d = HexValue(c);
    if (d < 0 || d >= radix) break;
    value = value * radix + d;
    if (!std::isfinite(value)) return std::nullopt;
  }
  return value;
}

// Decimal number at the start of a text that has no blanks left in it.
std::optional<double> ReadDecimal(std::wstring_view s) {
  std::string buf;  // ASCII form handed to strtod
  size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == L'+' || s[i] == L'-')) negative = (s[i++] == L'-');

  bool anyDigit = false, seenPeriod = false;
  for (; i < s.size(); ++i) {
    const wchar_t c = s[i];
    if (IsDigit(c)) {
      anyDigit = true;
      buf.push_back(static_cast<char>(c));
    } else if (c == L'.' && !seenPeriod) {
      seenPeriod = true;
      buf.push_back('.');
    } else {
      break;
    }
  }
  if (!anyDigit) return 0.0;

  if (i < s.size() && (s[i] == L'E' || s[i] == L'e' || s[i] == L'D' || s[i] == L'd')) {
    size_t j = i + 1;
    std::string exp = "e";
    if (j < s.size() && (s[j] == L'+' || s[j] == L'-')) exp.push_back(static_cast<char>(s[j++]));
    if (j < s.size() && IsDigit(s[j])) {
      for (; j < s.size() && IsDigit(s[j]); ++j) exp.push_back(static_cast<char>(s[j]));
      buf += exp;
    }
  }

  // The runtime's conversion is correctly rounded, and the program never leaves the "C" locale,
  // whose decimal point is the period written here.
  const double value = strtod(buf.c_str(), nullptr);
  if (std::isinf(value)) return std::nullopt;  // too large for a double; too small gives 0
  return negative ? -value : value;
}

}  // namespace

std::optional<double> LeadingNumber(std::wstring_view text) {
  std::wstring s;
  s.reserve(text.size());
  for (wchar_t c : text)
    if (c != L' ' && c != L'\t' && c != L'\n') s.push_back(c);

  if (s.size() >= 2 && s[0] == L'&') {
    if (s[1] == L'H' || s[1] == L'h') return ReadRadixInteger(std::wstring_view(s).substr(2), 16);
    if (s[1] == L'O' || s[1] == L'o') return ReadRadixInteger(std::wstring_view(s).substr(2), 8);
  }
  return ReadDecimal(s);
}

std::optional<bool> ParseBoolWord(std::wstring_view text) {
  static constexpr std::array<std::wstring_view, 8> kTrue = {
      L"on", L"true", L"vero", L"1", L"enabled", L"si", L"s\u00ec", L"yes"};
  static constexpr std::array<std::wstring_view, 6> kFalse = {L"off", L"false",    L"falso",
                                                              L"0",   L"disabled", L"no"};
  const std::wstring lower = LowerCaseText(text);
  for (auto w : kTrue)
    if (lower == w) return true;
  for (auto w : kFalse)
    if (lower == w) return false;
  const auto n = LeadingNumber(text);
  if (!n) return std::nullopt;
  return *n != 0;
}

std::optional<std::array<std::wstring_view, 3>> SplitTriplet(std::wstring_view text) {
  const size_t p1 = text.find(L',');
  const size_t p2 = p1 == std::wstring_view::npos ? p1 : text.find(L',', p1 + 1);
  if (p2 == std::wstring_view::npos) return std::nullopt;
  return std::array{text.substr(0, p1), text.substr(p1 + 1, p2 - p1 - 1), text.substr(p2 + 1)};
}

std::optional<uint32_t> ParseColorTriplet(std::wstring_view text) {
  const auto parts = SplitTriplet(text);
  if (!parts) return MakeColor(255, 255, 255);
  int component[3];
  for (int k = 0; k < 3; ++k) {
    const auto n = LeadingNumber((*parts)[k]);
    if (!n) return std::nullopt;
    const auto v = ToInt16(*n);
    if (!v) return std::nullopt;
    // A negative component can only come from a hand-edited value; it counts as none of it.
    component[k] = *v > 255 ? 255 : (*v < 0 ? 0 : *v);
  }
  return MakeColor(component[0], component[1], component[2]);
}

}  // namespace vorlux
