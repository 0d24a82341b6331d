// The figures of the kaleidoscope: one segment and one elliptical arc each, placed at random in
// the top-left quadrant and mirrored into the other three; their motion, drawing and colours.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "base/random.h"
#include "engine/surface.h"

namespace vorlux {

class EngineHost;

inline constexpr int16_t kMaxLastFigure = 24;  // so at most 25 figures
inline constexpr int kCopies = 4;

inline constexpr int kMaxFigures = kMaxLastFigure + 1;

// One coordinate of every figure, indexed [copy][figure]. Copy 0 is the top-left original,
// copy 1 its mirror across the vertical axis, copy 2 across both axes, copy 3 across the
// horizontal axis. Room for the most figures there can be, so a resize never allocates.
using CoordinateTable = std::array<std::array<int32_t, kMaxFigures>, kCopies>;

struct FigureSet {
  int16_t LastFigure = 0;  // figures 0..LastFigure are in use
  std::array<uint32_t, kMaxFigures> FigureColors{};
  CoordinateTable LineX1{};
  CoordinateTable LineY1{};
  CoordinateTable LineX2{};
  CoordinateTable LineY2{};
  CoordinateTable ArcLeft{};
  CoordinateTable ArcTop{};
  CoordinateTable ArcRight{};
  CoordinateTable ArcBottom{};
  int16_t LineStep = 6;  // shared by every segment; its sign is the direction of copy 0
  int16_t ArcStep = 6;   // shared by every arc
  int32_t CenterX = 0;   // the mirror axes: half the drawing area
  int32_t CenterY = 0;

  // The tables hold figures 0..last from now on: the figures that remain keep their values,
  // the new ones start at 0. Throws RangeError beyond 25 figures.
  void Resize(int16_t last);
  // Figures the tables hold: one at first.
  int TableSize() const { return tableSize_; }
  // Throws RangeError unless the tables hold that many figures: an index error ends
  // the call instead of reading a figure that is not there.
  void CheckHolds(int figures) const;

 private:
  int tableSize_ = 1;
};

// Places figures first..LastFigure anew. Processes pending messages once per figure and
// returns at once when the stop flag is set, leaving the rest as they were.
void InitFigures(FigureSet& figures, int16_t first, EngineHost& host, RandomSource& random);

// Advances figures 0..LastFigure by one frame; a figure whose copy 0 would leave its half of
// the area turns the shared step (and so every later figure). Same yields as InitFigures.
// Throws OverflowError when a 32-bit coordinate sum overflows.
void MoveFigures(FigureSet& figures, EngineHost& host);

// Four segments, then four arcs, with the pen the surface has selected.
void DrawFigure(Surface& dc, const FigureSet& figures, int16_t figure);

// A colour biased towards full intensity; black when two components come out 0.
uint32_t RandomColor(RandomSource& random);

}  // namespace vorlux
