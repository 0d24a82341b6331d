// The areas the show covers.
#include "saver/monitor_layout.h"

namespace vorlux {

namespace {

bool Inside(const Rect& inner, const Rect& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

bool Same(const Rect& a, const Rect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

bool Usable(const Rect& r) {
  const auto within = [](int32_t v) {
    return v >= -kMaxMonitorCoordinate && v <= kMaxMonitorCoordinate;
  };
  return within(r.left) && within(r.top) && within(r.right) && within(r.bottom) &&
         r.right > r.left && r.bottom > r.top;
}

}  // namespace

MonitorAreas AreasToCover(const Rect& primary, std::span<const Rect> monitors) {
  MonitorAreas areas;
  areas.area[areas.count++] = primary;
  for (size_t i = 0; i < monitors.size() && areas.count < kMaxMonitorAreas; ++i) {
    const Rect& m = monitors[i];
    if (!Usable(m) || Inside(m, primary)) continue;
    bool covered = false;
    for (size_t j = 0; j < monitors.size() && !covered; ++j)
      covered = j != i && Usable(monitors[j]) && Inside(m, monitors[j]) &&
                (!Same(m, monitors[j]) || j < i);
    if (!covered) areas.area[areas.count++] = m;
  }
  return areas;
}

}  // namespace vorlux
