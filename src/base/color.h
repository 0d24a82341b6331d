// Colour packing: a 32-bit COLORREF, red + 256 * green + 65536 * blue (0x00BBGGRR).
#pragma once

#include <array>
#include <cstdint>

namespace vorlux {

constexpr uint32_t MakeColor(int r, int g, int b) {
  return static_cast<uint32_t>(r) | (static_cast<uint32_t>(g) << 8) |
         (static_cast<uint32_t>(b) << 16);
}
constexpr int RedOf(uint32_t c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(uint32_t c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(uint32_t c) { return static_cast<int>((c >> 16) & 0xFF); }

// Red, green and blue of a colour.
constexpr std::array<uint8_t, 3> SplitColor(uint32_t c) {
  return {static_cast<uint8_t>(RedOf(c)), static_cast<uint8_t>(GreenOf(c)),
          static_cast<uint8_t>(BlueOf(c))};
}

}  // namespace vorlux
