// A drawing surface that draws nothing, so that the benchmarks measure the figure work itself.
#pragma once

#include "engine/surface.h"

namespace vorlux {

class NullSurface final : public Surface {
 public:
  void SetPen(uint32_t, int32_t) override {}
  void DrawLine(int32_t, int32_t, int32_t, int32_t) override {}
  void DrawArc(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) override {}
  void FillRect(const Rect&) override {}
};

}  // namespace vorlux
