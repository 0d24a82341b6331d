// The figures of the kaleidoscope: one segment and one elliptical arc each, placed at random in
// the top-left quadrant and mirrored into the other three; their motion, drawing and colours.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "app/random.h"
#include "engine/surface.h"

namespace vorlux {

class EngineHost;

inline constexpr int16_t kMaxLastFigure = 24;  // so at most 25 figures
inline constexpr int kCopies = 4;

// Uniform draws in [0, 1). The program draws from its one UniformRandom; tests script draws.
class RandomSource {
 public:
  virtual ~RandomSource() = default;
  virtual float Next() = 0;
};

class UniformRandomSource final : public RandomSource {
 public:
  explicit UniformRandomSource(UniformRandom& random) : random_(random) {}
  float Next() override { return random_.Next(); }

 private:
  UniformRandom& random_;
};

// One coordinate of every figure, indexed [copy][figure]. Copy 0 is the top-left original,
// copy 1 its mirror across the vertical axis, copy 2 across both axes, copy 3 across the
// horizontal axis.
using CoordinateTable = std::array<std::vector<int32_t>, kCopies>;

struct FigureSet {
  static CoordinateTable OneFigure() {
    return {std::vector<int32_t>(1), std::vector<int32_t>(1), std::vector<int32_t>(1),
            std::vector<int32_t>(1)};
  }

  int16_t LastFigure = 0;  // figures 0..LastFigure are in use
  std::vector<uint32_t> FigureColors = std::vector<uint32_t>(1);
  CoordinateTable LineX1 = OneFigure();
  CoordinateTable LineY1 = OneFigure();
  CoordinateTable LineX2 = OneFigure();
  CoordinateTable LineY2 = OneFigure();
  CoordinateTable ArcLeft = OneFigure();
  CoordinateTable ArcTop = OneFigure();
  CoordinateTable ArcRight = OneFigure();
  CoordinateTable ArcBottom = OneFigure();
  int16_t LineStep = 6;  // shared by every segment; its sign is the direction of copy 0
  int16_t ArcStep = 6;   // shared by every arc
  int32_t CenterX = 0;   // the mirror axes: half the drawing area
  int32_t CenterY = 0;

  // Room for figures 0..last in the colour table and then in every coordinate table; the
  // figures that remain keep their values.
  void Resize(int16_t last);
  std::size_t TableSize() const { return FigureColors.size(); }
};

// Places figures first..LastFigure anew. Processes pending messages once per figure and
// returns at once when the stop flag is set, leaving the rest as they were.
void InitFigures(FigureSet& figures, int16_t first, EngineHost& host, RandomSource& random);

// Advances figures 0..LastFigure by one frame; a figure whose copy 0 would leave its half of
// the area turns the shared step (and so every later figure). Same yields as InitFigures.
// Throws std::overflow_error when a 32-bit coordinate sum overflows.
void MoveFigures(FigureSet& figures, EngineHost& host);

// Four segments, then four arcs, with the pen the surface has selected.
void DrawFigure(Surface& dc, const FigureSet& figures, int16_t figure);

// A colour biased towards full intensity; black when two components come out 0.
uint32_t RandomColor(RandomSource& random);

}  // namespace vorlux
