// Unicode case mapping for the texts the program compares.
#include "base/text_case.h"

#include <algorithm>

namespace vorlux {

namespace {

// A run of alternating capital/small pairs; the capital has the parity `upperParity`.
struct PairRun {
  unsigned first, last, upperParity;
};
constexpr PairRun kPairRuns[] = {
    {0x100, 0x12F, 0}, {0x132, 0x137, 0}, {0x139, 0x148, 1}, {0x14A, 0x177, 0}, {0x179, 0x17E, 1},
    {0x370, 0x373, 0}, {0x376, 0x377, 0}, {0x3D8, 0x3EF, 0}, {0x3F7, 0x3F8, 1}, {0x3FA, 0x3FB, 0},
    {0x460, 0x481, 0}, {0x48A, 0x4BF, 0}, {0x4C1, 0x4CE, 1}, {0x4D0, 0x52F, 0},
};

// Capital and small letters that map to each other but lie apart.
struct CasePair {
  unsigned upper, lower;
};
constexpr CasePair kLoosePairs[] = {
    {0x178, 0xFF},  {0x37F, 0x3F3}, {0x386, 0x3AC}, {0x388, 0x3AD}, {0x389, 0x3AE},
    {0x38A, 0x3AF}, {0x38C, 0x3CC}, {0x38E, 0x3CD}, {0x38F, 0x3CE}, {0x3CF, 0x3D7},
    {0x3F9, 0x3F2}, {0x3FD, 0x37B}, {0x3FE, 0x37C}, {0x3FF, 0x37D}, {0x4C0, 0x4CF},
};
// Mappings that go one way only, because the target maps back to another character.
constexpr CasePair kLowerOnly[] = {
    {0x130, 'i'}, {0x3F4, 0x3B8}, {0x2126, 0x3C9}, {0x212A, 'k'}, {0x212B, 0xE5},
};
constexpr CasePair kUpperOnly[] = {
    {0x39C, 0xB5},  {'I', 0x131},   {'S', 0x17F},   {0x3A3, 0x3C2}, {0x392, 0x3D0}, {0x398, 0x3D1},
    {0x3A6, 0x3D5}, {0x3A0, 0x3D6}, {0x39A, 0x3F0}, {0x3A1, 0x3F1}, {0x395, 0x3F5},
};

const PairRun* RunOf(unsigned c) {
  for (const PairRun& r : kPairRuns)
    if (c >= r.first && c <= r.last) return &r;
  return nullptr;
}

}  // namespace

wchar_t LowerChar(wchar_t ch) {
  const unsigned c = static_cast<unsigned>(ch);
  if (c < 0x80) return (c >= 'A' && c <= 'Z') ? static_cast<wchar_t>(c + 32) : ch;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<wchar_t>(c + 32);
  if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return static_cast<wchar_t>(c + 32);
  if (c >= 0x410 && c <= 0x42F) return static_cast<wchar_t>(c + 32);
  if (c >= 0x400 && c <= 0x40F) return static_cast<wchar_t>(c + 80);
  if (const PairRun* r = RunOf(c))
    return (c & 1) == r->upperParity ? static_cast<wchar_t>(c + 1) : ch;
  for (const CasePair& p : kLoosePairs)
    if (c == p.upper) return static_cast<wchar_t>(p.lower);
  for (const CasePair& p : kLowerOnly)
    if (c == p.upper) return static_cast<wchar_t>(p.lower);
  return ch;
}

wchar_t UpperChar(wchar_t ch) {
  const unsigned c = static_cast<unsigned>(ch);
  if (c < 0x80) return (c >= 'a' && c <= 'z') ? static_cast<wchar_t>(c - 32) : ch;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<wchar_t>(c - 32);
  if (c >= 0x3B1 && c <= 0x3CB && c != 0x3C2) return static_cast<wchar_t>(c - 32);
  if (c >= 0x430 && c <= 0x44F) return static_cast<wchar_t>(c - 32);
  if (c >= 0x450 && c <= 0x45F) return static_cast<wchar_t>(c - 80);
  if (const PairRun* r = RunOf(c))
    return (c & 1) != r->upperParity ? static_cast<wchar_t>(c - 1) : ch;
  for (const CasePair& p : kLoosePairs)
    if (c == p.lower) return static_cast<wchar_t>(p.upper);
  for (const CasePair& p : kUpperOnly)
    if (c == p.lower) return static_cast<wchar_t>(p.upper);
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
