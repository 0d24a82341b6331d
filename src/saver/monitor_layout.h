// Which areas of the virtual screen the show covers, from the monitors the system reports.
#pragma once

#include <array>
#include <cstddef>
#include <span>

#include "engine/surface.h"

namespace vorlux {

// More than any desk has; a list longer than this is cut, so that a broken report cannot make
// the show open windows without end.
inline constexpr size_t kMaxMonitorAreas = 16;
// Coordinates a monitor may have, on either side of the primary's origin.
inline constexpr int32_t kMaxMonitorCoordinate = 1 << 20;

// At most kMaxMonitorAreas areas, in a list of fixed room (no allocation).
struct MonitorAreas {
  std::array<Rect, kMaxMonitorAreas> area{};
  size_t count = 0;
  std::span<const Rect> All() const { return {area.data(), count}; }
};

// The primary screen's area comes first, exactly as given. Then each monitor in the order
// reported, except: an empty or inverted rectangle, one beyond kMaxMonitorCoordinate, one that
// lies inside the primary's area or inside another monitor's (a mirrored monitor reports the
// same rectangle again, a cloned one at a lower resolution a smaller one at the same place; of
// equal rectangles the first is kept). Monitors that only overlap are both kept.
MonitorAreas AreasToCover(const Rect& primary, std::span<const Rect> monitors);

}  // namespace vorlux
