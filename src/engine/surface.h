// The drawing surface that the figures and the engine draw on. The program's one wraps a
// Windows device context; tests record the calls or merely count them.
#pragma once

#include <cstdint>

namespace vorlux {

// Left, top, right and bottom in pixels of the drawing area.
struct Rect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
};

class Surface {
 public:
  virtual ~Surface() = default;

  // Replaces the selected pen with a solid one of this colour (0x00BBGGRR) and width.
  virtual void SetPen(uint32_t color, int32_t width) = 0;
  // A segment with the current pen; the end point itself is not painted.
  virtual void DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) = 0;
  // An elliptical arc in the box (left, top, right, bottom), counter-clockwise from the ray
  // through the start point to the ray through the end point.
  virtual void DrawArc(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t startX,
                       int32_t startY, int32_t endX, int32_t endY) = 0;
  // Fills the rectangle with the brush that is selected; creates no brush of its own.
  virtual void FillRect(const Rect& rect) = 0;
};

}  // namespace vorlux
