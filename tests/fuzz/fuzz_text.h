// Shared helpers of the fuzz targets: the input bytes as UTF-16 code units, and a check that
// stops the run with a message when an invariant breaks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace vorlux::fuzz {

// Little-endian UTF-16 code units, as Windows hands text to the program; an odd last byte is
// dropped. Unpaired surrogates and NULs are kept: the parsers must cope with any units.
inline std::wstring TextFromBytes(const uint8_t* data, size_t size) {
  std::wstring text;
  text.reserve(size / 2);
  for (size_t i = 0; i + 1 < size; i += 2)
    text.push_back(static_cast<wchar_t>(data[i] | (data[i + 1] << 8)));
  return text;
}

inline bool IsRemovedBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\n'; }

inline std::wstring WithoutBlanks(std::wstring_view text) {
  std::wstring out;
  for (wchar_t c : text)
    if (!IsRemovedBlank(c)) out.push_back(c);
  return out;
}

// The text with a blank, a tab or a line feed put between every `stride` units.
inline std::wstring WithBlanks(std::wstring_view text, size_t stride) {
  static constexpr wchar_t kBlanks[] = {L' ', L'\t', L'\n'};
  std::wstring out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (i % (stride + 1) == 0) out.push_back(kBlanks[i % 3]);
    out.push_back(text[i]);
  }
  out.push_back(L' ');
  return out;
}

inline bool IsAscii(std::wstring_view text) {
  for (wchar_t c : text)
    if (c < 0 || c > 0x7F) return false;
  return true;
}

inline std::wstring AsciiLower(std::wstring_view text) {
  std::wstring out(text);
  for (wchar_t& c : out)
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c + 32);
  return out;
}

inline std::wstring AsciiUpper(std::wstring_view text) {
  std::wstring out(text);
  for (wchar_t& c : out)
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - 32);
  return out;
}

[[noreturn]] inline void Fail(const char* what, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: invariant broken: %s\n", file, line, what);
  std::abort();
}

}  // namespace vorlux::fuzz

#define FUZZ_REQUIRE(cond) \
  ((cond) ? static_cast<void>(0) : ::vorlux::fuzz::Fail(#cond, __FILE__, __LINE__))
