#include "app/text_case.h"

#include <algorithm>

namespace vorlux {

namespace {

// Latin Extended-A: pairs where the upper-case letter has the even code...
bool EvenUpperPair(unsigned c) {
  return (c >= 0x100 && c <= 0x12F) || (c >= 0x132 && c <= 0x137) || (c >= 0x14A && c <= 0x177);
}
// ...and pairs where it has the odd code.
bool OddUpperPair(unsigned c) {
  return (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
}

}  // namespace

wchar_t LowerChar(wchar_t ch) {
  const unsigned c = static_cast<unsigned>(ch);
  if (c < 0x80) return (c >= 'A' && c <= 'Z') ? static_cast<wchar_t>(c + 32) : ch;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<wchar_t>(c + 32);
  if (EvenUpperPair(c)) return static_cast<wchar_t>(c | 1);
  if (OddUpperPair(c)) return (c & 1) ? static_cast<wchar_t>(c + 1) : ch;
  if (c == 0x130) return L'i';
  if (c == 0x178) return static_cast<wchar_t>(0xFF);
  if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) return static_cast<wchar_t>(c + 32);
  if (c >= 0x410 && c <= 0x42F) return static_cast<wchar_t>(c + 32);
  if (c >= 0x400 && c <= 0x40F) return static_cast<wchar_t>(c + 80);
  if (c == 0x212A) return L'k';
  if (c == 0x212B) return static_cast<wchar_t>(0xE5);
  return ch;
}

wchar_t UpperChar(wchar_t ch) {
  const unsigned c = static_cast<unsigned>(ch);
  if (c < 0x80) return (c >= 'a' && c <= 'z') ? static_cast<wchar_t>(c - 32) : ch;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<wchar_t>(c - 32);
  if (c == 0xFF) return static_cast<wchar_t>(0x178);
  if (c == 0xB5) return static_cast<wchar_t>(0x39C);
  if (EvenUpperPair(c & ~1u) && (c & 1)) return static_cast<wchar_t>(c - 1);
  if (OddUpperPair(c) && !(c & 1)) return static_cast<wchar_t>(c - 1);
  if (c == 0x131) return L'I';
  if (c == 0x17F) return L'S';
  if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) return static_cast<wchar_t>(c - 32);
  if (c == 0x3C2) return static_cast<wchar_t>(0x3A3);
  if (c >= 0x430 && c <= 0x44F) return static_cast<wchar_t>(c - 32);
  if (c >= 0x450 && c <= 0x45F) return static_cast<wchar_t>(c - 80);
  return ch;
}

std::wstring LowerCaseText(std::wstring_view text) {
  std::wstring out(text);
  std::transform(out.begin(), out.end(), out.begin(), LowerChar);
  return out;
}

std::wstring UpperCaseText(std::wstring_view text) {
  std::wstring out(text);
  std::transform(out.begin(), out.end(), out.begin(), UpperChar);
  return out;
}

bool EqualsIgnoreCase(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (LowerChar(a[i]) != LowerChar(b[i])) return false;
  return true;
}

bool ContainsIgnoreCase(std::wstring_view haystack, std::wstring_view needle) {
  if (needle.size() > haystack.size()) return false;
  for (size_t i = 0; i + needle.size() <= haystack.size(); ++i)
    if (EqualsIgnoreCase(haystack.substr(i, needle.size()), needle)) return true;
  return false;
}

}  // namespace vorlux
