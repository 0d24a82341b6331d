// The figures: placement, mirroring, motion, drawing and colours.
#include "engine/figures.h"

#include <algorithm>

#include "base/color.h"
#include "base/numeric.h"
#include "engine/engine_host.h"

namespace vorlux {
namespace {

// Motion of each copy for a step s: copy 0 moves (+s, +s), the others mirror it.
constexpr int kSignX[kCopies] = {1, -1, -1, 1};
constexpr int kSignY[kCopies] = {1, 1, -1, -1};

// The nearest integer of the whole expression u * center + offset, pulled back onto the axis
// when it lies past it. Done in double, where the product and the sum are exact for any area
// a screen has, so every build places the figures alike.
int32_t PlaceUpToAxis(float u, int32_t center, int offset) {
  const auto value = ToInt32(static_cast<double>(u) * center + offset);
  if (!value) throw OverflowError("coordinate out of the 32-bit range");
  return *value <= center ? *value : center;
}

int32_t Mirror(int32_t center, int32_t value) { return CheckedSub(CheckedMul(2, center), value); }

// Turns the step when it would carry copy 0 wholly into the right half or off the left edge.
// Both sums are taken (and checked) before the test, as the step is the one earlier figures
// of this frame left behind.
void TurnIfLeaving(int32_t a, int32_t b, int32_t centerX, int16_t& step) {
  const int32_t lo = a < b ? a : b;
  const int32_t hi = a < b ? b : a;
  const bool leftEndInside = CheckedAdd(lo, step) <= centerX;
  const bool rightEndInside = CheckedAdd(hi, step) > 0;
  if (!(leftEndInside && rightEndInside)) step = CheckedNeg16(step);
}

void MovePoints(CoordinateTable& x1, CoordinateTable& y1, CoordinateTable& x2, CoordinateTable& y2,
                int i, int16_t step) {
  for (int k = 0; k < kCopies; ++k) {
    const int32_t dx = kSignX[k] * step;  // x - s overflows exactly when x + (-s) does
    const int32_t dy = kSignY[k] * step;
    x1[k][i] = CheckedAdd(x1[k][i], dx);
    y1[k][i] = CheckedAdd(y1[k][i], dy);
    x2[k][i] = CheckedAdd(x2[k][i], dx);
    y2[k][i] = CheckedAdd(y2[k][i], dy);
  }
}

void PlaceFigure(FigureSet& f, int i, RandomSource& random) {
  const int32_t cx = f.CenterX;
  const int32_t cy = f.CenterY;
  // Two draws per point, u for x then v for y, in the order of the points below.
  const auto place = [&](CoordinateTable& xs, CoordinateTable& ys, int margin) {
    const float u = random.Next();
    const float v = random.Next();
    xs[0][i] = PlaceUpToAxis(u, cx, margin);
    ys[0][i] = PlaceUpToAxis(v, cy, margin);
  };
  place(f.LineX1, f.LineY1, 50);
  place(f.LineX2, f.LineY2, 50);
  place(f.ArcLeft, f.ArcTop, 0);
  place(f.ArcRight, f.ArcBottom, 50);

  // Copy 1: across x = CenterX; left and right trade places so the box keeps its orientation.
  f.LineX1[1][i] = Mirror(cx, f.LineX1[0][i]);
  f.LineX2[1][i] = Mirror(cx, f.LineX2[0][i]);
  f.ArcLeft[1][i] = Mirror(cx, f.ArcRight[0][i]);
  f.ArcRight[1][i] = Mirror(cx, f.ArcLeft[0][i]);
  // Copy 2 takes the x values of copy 1; its y values are mirrored in place.
  f.LineY1[2][i] = Mirror(cy, f.LineY1[0][i]);
  f.LineY2[2][i] = Mirror(cy, f.LineY2[0][i]);
  f.ArcTop[2][i] = Mirror(cy, f.ArcTop[0][i]);
  f.ArcBottom[2][i] = Mirror(cy, f.ArcBottom[0][i]);
  for (CoordinateTable* x : {&f.LineX1, &f.LineX2, &f.ArcLeft, &f.ArcRight}) {
    (*x)[2][i] = (*x)[1][i];
    (*x)[3][i] = (*x)[0][i];
  }
  for (CoordinateTable* y : {&f.LineY1, &f.LineY2, &f.ArcTop, &f.ArcBottom}) {
    (*y)[1][i] = (*y)[0][i];
    (*y)[3][i] = (*y)[2][i];
  }
}

}  // namespace

void FigureSet::Resize(int16_t last) {
  if (last < 0 || last > kMaxLastFigure) throw RangeError("figure count out of range");
  const int size = last + 1;
  if (size > tableSize_) {
    for (int i = tableSize_; i < size; ++i) FigureColors[i] = 0;
    for (CoordinateTable* table :
         {&LineX1, &LineY1, &LineX2, &LineY2, &ArcLeft, &ArcTop, &ArcRight, &ArcBottom}) {
      for (auto& copy : *table) std::fill(copy.begin() + tableSize_, copy.begin() + size, 0);
    }
  }
  tableSize_ = size;
}

void FigureSet::CheckHolds(int figures) const {
  if (figures > tableSize_) throw RangeError("figure index outside the figure tables");
}

void InitFigures(FigureSet& figures, int16_t first, EngineHost& host, RandomSource& random) {
  const int last = figures.LastFigure;
  if (first < 0) throw RangeError("negative figure index");
  if (first <= last) figures.CheckHolds(last + 1);
  for (int i = first; i <= last; ++i) {
    if (Stopped(host)) return;
    PlaceFigure(figures, i, random);
  }
}

void MoveFigures(FigureSet& f, EngineHost& host) {
  const int last = f.LastFigure;
  f.CheckHolds(last + 1);
  for (int i = 0; i <= last; ++i) {
    if (Stopped(host)) return;
    TurnIfLeaving(f.LineX1[0][i], f.LineX2[0][i], f.CenterX, f.LineStep);
    MovePoints(f.LineX1, f.LineY1, f.LineX2, f.LineY2, i, f.LineStep);
    TurnIfLeaving(f.ArcLeft[0][i], f.ArcRight[0][i], f.CenterX, f.ArcStep);
    MovePoints(f.ArcLeft, f.ArcTop, f.ArcRight, f.ArcBottom, i, f.ArcStep);
  }
}

void DrawFigure(Surface& dc, const FigureSet& f, int16_t figure) {
  if (figure < 0) throw RangeError("negative figure index");
  f.CheckHolds(figure + 1);
  const int i = figure;
  for (int k = 0; k < kCopies; ++k) {
    dc.DrawLine(f.LineX1[k][i], f.LineY1[k][i], f.LineX2[k][i], f.LineY2[k][i]);
  }
  for (int k = 0; k < kCopies; ++k) {
    const int32_t l = f.ArcLeft[k][i];
    const int32_t t = f.ArcTop[k][i];
    const int32_t r = f.ArcRight[k][i];
    const int32_t b = f.ArcBottom[k][i];
    // The radial points are mirrored with the copy, so each copy draws the mirrored arc in the
    // one counter-clockwise direction.
    switch (k) {
      case 0:
        dc.DrawArc(l, t, r, b, l, t, r, b);
        break;
      case 1:
        dc.DrawArc(l, t, r, b, l, b, r, t);
        break;
      case 2:
        dc.DrawArc(l, t, r, b, r, t, l, b);
        break;
      default:
        dc.DrawArc(l, t, r, b, r, b, l, t);
        break;
    }
  }
}

uint32_t RandomColor(RandomSource& random) {
  int parts[3];
  for (int& part : parts) {
    const float u = random.Next();
    const float v = random.Next();
    // Exact in double, then rounded once, halves to even.
    const auto value = ToInt16(static_cast<double>(v) * 255 + static_cast<double>(u) * 100);
    if (!value) throw OverflowError("colour component out of the 16-bit range");
    part = *value;
  }
  const int zeros = (parts[0] == 0) + (parts[1] == 0) + (parts[2] == 0);
  if (zeros >= 2) return 0;
  for (int& part : parts) {
    if (part > 255) part = 255;
  }
  return MakeColor(parts[0], parts[1], parts[2]);
}

}  // namespace vorlux
