// The few GDI calls of the animation. A device context for a window with a
// solid brush and a pen selected, pens replaced one at a time, segments and arcs, and
// everything put back and deleted at the end.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>

#include "engine/surface.h"
#include "ui/gdi.win32.h"

namespace vorlux {

// The module's state; one set, so one device context at a time.
struct GraphicsState {
  GdiObject<HPEN> CurrentPen;
  GdiObject<HBRUSH> CurrentBrush;
  // Slot 0: what the brush displaced; slot 1: what the first pen displaced (the device
  // context's own pen). Empty when nothing was displaced.
  std::array<HGDIOBJ, 2> SavedObjects{};
};

// Gets the window's device context into drawDC, selects a solid brush of brushColor and a solid
// pen.
void GraphicsSetup(GraphicsState& state, HWND window, COLORREF brushColor, COLORREF penColor,
                   int penWidth, HDC& drawDC);
// Restores the pen and then the brush, deletes both, and releases the device context.
void GraphicsRelease(GraphicsState& state, HWND window, HDC dc);

// The engine's drawing surface on the device context that GraphicsSetup gave.
class GdiSurface final : public Surface {
 public:
  GdiSurface(GraphicsState& state, HDC dc) : state_(state), dc_(dc) {}
  HDC Dc() const { return dc_; }

  // Puts the device context's own pen back, deletes the module's pen, and selects a new solid
  // one: exactly one module pen exists afterwards.
  void SetPen(uint32_t color, int32_t width) override;
  // The end point itself is not painted (GDI's rule).
  void DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override;
  // Counter-clockwise (the default arc direction) from the start point's ray to the end point's.
  void DrawArc(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t startX,
               int32_t startY, int32_t endX, int32_t endY) override;
  void FillRect(const Rect& rect) override;

 private:
  GraphicsState& state_;
  HDC dc_;
};

}  // namespace vorlux
