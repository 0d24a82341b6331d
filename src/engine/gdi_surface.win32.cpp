// The engine's drawing on a device context: one module pen at a time, segments, arcs, fills.
#include "engine/gdi_surface.win32.h"

namespace vorlux {

void GraphicsSetup(GraphicsState& state, HWND window, COLORREF brushColor, COLORREF penColor,
                   int penWidth, HDC& drawDC) {
  drawDC = GetDC(window);
  state.CurrentBrush.Reset(CreateSolidBrush(brushColor));
  state.SavedObjects[0] = SelectObject(drawDC, state.CurrentBrush.Get());
  state.CurrentPen.Reset(CreatePen(PS_SOLID, penWidth, penColor));
  state.SavedObjects[1] = SelectObject(drawDC, state.CurrentPen.Get());
}

void GraphicsRelease(GraphicsState& state, HWND window, HDC dc) {
  if (state.SavedObjects[1]) SelectObject(dc, state.SavedObjects[1]);
  if (state.SavedObjects[0]) SelectObject(dc, state.SavedObjects[0]);
  state.CurrentPen.Reset();
  state.CurrentBrush.Reset();
  state.SavedObjects = {};  // a later set-up starts clean instead of restoring stale handles
  ReleaseDC(window, dc);
}

void GdiSurface::SetPen(uint32_t color, int32_t width) {
  if (state_.SavedObjects[1]) SelectObject(dc_, state_.SavedObjects[1]);
  // The old pen is selected nowhere now: either it was just deselected, or selecting it had
  // failed (slot 1 empty). Deleting it in both cases keeps the count of module pens at one.
  state_.CurrentPen.Reset();
  state_.CurrentPen.Reset(CreatePen(PS_SOLID, width, color));
  state_.SavedObjects[1] = SelectObject(dc_, state_.CurrentPen.Get());
}

void GdiSurface::DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  MoveToEx(dc_, x1, y1, nullptr);
  LineTo(dc_, x2, y2);
}

void GdiSurface::DrawArc(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t startX,
                         int32_t startY, int32_t endX, int32_t endY) {
  Arc(dc_, left, top, right, bottom, startX, startY, endX, endY);
}

void GdiSurface::FillRect(const Rect& rect) {
  const RECT r{rect.left, rect.top, rect.right, rect.bottom};
  ::FillRect(dc_, &r, static_cast<HBRUSH>(GetCurrentObject(dc_, OBJ_BRUSH)));
}

}  // namespace vorlux
