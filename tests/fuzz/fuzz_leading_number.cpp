// LeadingNumber on any text: never throws, never gives a NaN or an infinity, ignores blanks,
// and agrees with the C library's correctly rounded conversion on the decimal prefix.
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>

#include "config/settings_grammar.h"
#include "fuzz_text.h"

namespace {

using vorlux::LeadingNumber;
using namespace vorlux::fuzz;

bool Same(const std::optional<double>& a, const std::optional<double>& b) {
  return a.has_value() == b.has_value() && (!a || *a == *b);
}

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

int DigitValue(wchar_t c, int radix) {
  int d = -1;
  if (c >= L'0' && c <= L'9') d = c - L'0';
  if (c >= L'A' && c <= L'F') d = c - L'A' + 10;
  if (c >= L'a' && c <= L'f') d = c - L'a' + 10;
  return d < radix ? d : -1;
}

// The expected value of an &H or &O integer when it can be told exactly; `checked` is false
// for the lengths in between, where only the general invariants apply.
std::optional<double> RadixExpectation(std::wstring_view digits, int radix, bool& checked) {
  const size_t exactLimit = radix == 16 ? 13 : 17;      // at most 52 significant bits
  const size_t overflowFrom = radix == 16 ? 257 : 343;  // at least 2^1024
  size_t i = 0;
  while (i < digits.size() && digits[i] == L'0') ++i;
  uint64_t exact = 0;
  size_t significant = 0;
  for (; i < digits.size() && DigitValue(digits[i], radix) >= 0; ++i, ++significant)
    if (significant < exactLimit) exact = exact * radix + DigitValue(digits[i], radix);
  checked = significant <= exactLimit || significant >= overflowFrom;
  if (significant >= overflowFrom) return std::nullopt;
  return static_cast<double>(exact);
}

// The decimal prefix of a blank-free text in the C library's syntax, D exponents as E.
std::string DecimalPrefix(std::wstring_view s, bool& anyDigit) {
  std::string out;
  size_t i = 0;
  if (i < s.size() && (s[i] == L'+' || s[i] == L'-')) out.push_back(static_cast<char>(s[i++]));
  anyDigit = false;
  for (; i < s.size() && IsDigit(s[i]); ++i, anyDigit = true)
    out.push_back(static_cast<char>(s[i]));
  if (i < s.size() && s[i] == L'.') {
    out.push_back('.');
    for (++i; i < s.size() && IsDigit(s[i]); ++i, anyDigit = true)
      out.push_back(static_cast<char>(s[i]));
  }
  if (anyDigit && i < s.size() && (s[i] == L'E' || s[i] == L'e' || s[i] == L'D' || s[i] == L'd')) {
    size_t j = i + 1;
    std::string exponent = "e";
    if (j < s.size() && (s[j] == L'+' || s[j] == L'-'))
      exponent.push_back(static_cast<char>(s[j++]));
    if (j < s.size() && IsDigit(s[j])) {
      for (; j < s.size() && IsDigit(s[j]); ++j) exponent.push_back(static_cast<char>(s[j]));
      out += exponent;
    }
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::wstring text = TextFromBytes(data, size);
  const std::optional<double> n = LeadingNumber(text);
  if (n) FUZZ_REQUIRE(std::isfinite(*n));

  // Blanks, tabs and line feeds count for nothing, wherever they are.
  const std::wstring bare = WithoutBlanks(text);
  FUZZ_REQUIRE(Same(LeadingNumber(bare), n));
  FUZZ_REQUIRE(Same(LeadingNumber(WithBlanks(text, 1 + size % 5)), n));

  // A character that fits nowhere in a number changes nothing when appended.
  FUZZ_REQUIRE(Same(LeadingNumber(text + L"x"), n));

  if (bare.size() >= 2 && bare[0] == L'&' &&
      (bare[1] == L'H' || bare[1] == L'h' || bare[1] == L'O' || bare[1] == L'o')) {
    const int radix = (bare[1] == L'H' || bare[1] == L'h') ? 16 : 8;
    bool checked = false;
    const auto expected = RadixExpectation(std::wstring_view(bare).substr(2), radix, checked);
    if (checked) FUZZ_REQUIRE(Same(n, expected));
    if (n) FUZZ_REQUIRE(*n >= 0 && *n == std::floor(*n));
    return 0;
  }

  // Decimal: the same value as the C library's conversion of the prefix that fits.
  bool anyDigit = false;
  const std::string prefix = DecimalPrefix(bare, anyDigit);
  if (!anyDigit) {
    FUZZ_REQUIRE(Same(n, 0.0));
  } else {
    errno = 0;
    char* end = nullptr;
    const double reference = std::strtod(prefix.c_str(), &end);
    FUZZ_REQUIRE(end == prefix.c_str() + prefix.size());
    if (errno == ERANGE && std::isinf(reference))
      FUZZ_REQUIRE(!n.has_value());
    else
      FUZZ_REQUIRE(Same(n, reference));
  }

  // A minus sign in front negates the number (or keeps the error).
  if (bare.empty() || (bare[0] != L'+' && bare[0] != L'-' && bare[0] != L'&')) {
    const auto negated = LeadingNumber(L"-" + text);
    FUZZ_REQUIRE(negated.has_value() == n.has_value());
    if (n) FUZZ_REQUIRE(*negated == -*n);
  }
  return 0;
}
