// Numeric conversions and checked arithmetic shared by the core.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "base/errors.h"

namespace vorlux {

// Nearest integer, halves to the even neighbour; empty when the value does not fit in T.
template <class T>
std::optional<T> RoundToInteger(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  const double r = std::nearbyint(value);  // default rounding mode: to nearest, ties to even
  if (r < static_cast<double>(INT64_MIN) || r > static_cast<double>(INT64_MAX)) return std::nullopt;
  if (r < static_cast<double>(std::numeric_limits<T>::min()) ||
      r > static_cast<double>(std::numeric_limits<T>::max()))
    return std::nullopt;
  return static_cast<T>(r);
}

// The decimal text of an integer, as std::to_wstring writes it (without the runtime's printf).
inline std::wstring DecimalText(long long value) {
  wchar_t digits[24];
  wchar_t* first = digits + 24;
  unsigned long long magnitude = value < 0 ? 0ull - static_cast<unsigned long long>(value) : value;
  do *--first = static_cast<wchar_t>(L'0' + magnitude % 10);
  while ((magnitude /= 10) != 0);
  if (value < 0) *--first = L'-';
  return std::wstring(first, digits + 24);
}

inline std::optional<int16_t> ToInt16(double value) { return RoundToInteger<int16_t>(value); }
inline std::optional<int32_t> ToInt32(double value) { return RoundToInteger<int32_t>(value); }

// 32-bit sum that raises an overflow error instead of wrapping.
inline int32_t CheckedAdd(int32_t a, int32_t b) {
  int32_t r;
  if (__builtin_add_overflow(a, b, &r)) throw OverflowError("32-bit overflow");
  return r;
}

inline int32_t CheckedSub(int32_t a, int32_t b) {
  int32_t r;
  if (__builtin_sub_overflow(a, b, &r)) throw OverflowError("32-bit overflow");
  return r;
}

inline int32_t CheckedMul(int32_t a, int32_t b) {
  int32_t r;
  if (__builtin_mul_overflow(a, b, &r)) throw OverflowError("32-bit overflow");
  return r;
}

// 16-bit negation that raises an overflow error for -32768.
inline int16_t CheckedNeg16(int16_t a) {
  if (a == INT16_MIN) throw OverflowError("16-bit overflow");
  return static_cast<int16_t>(-a);
}

}  // namespace vorlux
