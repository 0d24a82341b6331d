// Fakes for driving the figures and the engine: scripted draws, a host with a fake clock, and
// surfaces that record or merely count what is drawn.
#pragma once

#include <cstdint>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "engine/engine.h"

namespace vorlux::testing {

// Repeats the given draws in order.
class ScriptedRandom : public RandomSource {
 public:
  explicit ScriptedRandom(std::vector<float> draws) : draws_(std::move(draws)) {}
  float Next() override { return draws_[count++ % draws_.size()]; }
  std::size_t count = 0;

 private:
  std::vector<float> draws_;
};

// Time moves only inside Pause, as a frame's drawing takes no time on a fake clock.
class FakeHost : public EngineHost {
 public:
  explicit FakeHost(std::vector<std::string>* log = nullptr) : log_(log) {}

  void ProcessMessages() override {
    ++yields;
    if (onYield) onYield();
  }
  void Pause(float seconds) override {
    if (log_) log_->push_back("Pause " + Text(seconds));
    clock += seconds;
    ProcessMessages();
    if (onPause) onPause();
  }
  double Now() override { return clock; }
  void RestoreBackground(int32_t runMode, Surface&) override {
    if (log_) log_->push_back("Background " + std::to_string(runMode));
  }
  const RunState& Run() const override { return run; }

  RunState run;
  double clock = 1000.0;
  int yields = 0;
  std::function<void()> onYield;
  std::function<void()> onPause;

 private:
  static std::string Text(float value) {
    std::ostringstream out;
    out << value;
    return out.str();
  }
  std::vector<std::string>* log_;
};

// Every call as one line of text, in order: "Pen c w", "Line ...", "Arc ...", "Fill ...".
class RecordingSurface : public Surface {
 public:
  explicit RecordingSurface(std::vector<std::string>& log) : log_(log) {}
  void SetPen(uint32_t color, int32_t width) override { Add("Pen", {int64_t{color}, width}); }
  void DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override {
    Add("Line", {x1, y1, x2, y2});
  }
  void DrawArc(int32_t l, int32_t t, int32_t r, int32_t b, int32_t sx, int32_t sy, int32_t ex,
               int32_t ey) override {
    Add("Arc", {l, t, r, b, sx, sy, ex, ey});
  }
  void FillRect(const Rect& rc) override { Add("Fill", {rc.left, rc.top, rc.right, rc.bottom}); }

 private:
  void Add(const char* name, std::initializer_list<int64_t> values) {
    std::string entry = name;
    for (int64_t v : values) entry += " " + std::to_string(v);
    log_.push_back(entry);
  }
  std::vector<std::string>& log_;
};

class CountingSurface : public Surface {
 public:
  void SetPen(uint32_t, int32_t) override { ++pens; }
  void DrawLine(int32_t, int32_t, int32_t, int32_t) override { ++primitives; }
  void DrawArc(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) override {
    ++primitives;
  }
  void FillRect(const Rect&) override { ++fills; }
  int64_t pens = 0, primitives = 0, fills = 0;
};

inline AnimationState MakeAnimation(int32_t centerX, int32_t centerY, int16_t step) {
  AnimationState state;
  state.Figures.CenterX = centerX;
  state.Figures.CenterY = centerY;
  state.Figures.LineStep = step;
  state.Figures.ArcStep = step;
  state.DrawRect = {0, 0, 2 * centerX, 2 * centerY};
  return state;
}

// Whether every figure in use is the four-fold mirror image of its copy 0.
inline bool Mirrored(const FigureSet& f) {
  const int32_t cx2 = 2 * f.CenterX, cy2 = 2 * f.CenterY;
  bool ok = true;
  const auto xs = [&](const CoordinateTable& x, const CoordinateTable& mirror, int i) {
    ok = ok && x[1][i] == cx2 - mirror[0][i] && x[2][i] == x[1][i] && x[3][i] == x[0][i];
  };
  const auto ys = [&](const CoordinateTable& y, int i) {
    ok = ok && y[1][i] == y[0][i] && y[2][i] == cy2 - y[0][i] && y[3][i] == y[2][i];
  };
  for (int i = 0; i <= f.LastFigure; ++i) {
    xs(f.LineX1, f.LineX1, i);
    xs(f.LineX2, f.LineX2, i);
    xs(f.ArcLeft, f.ArcRight, i);  // left and right trade places in the mirror
    xs(f.ArcRight, f.ArcLeft, i);
    for (const CoordinateTable* y : {&f.LineY1, &f.LineY2, &f.ArcTop, &f.ArcBottom}) ys(*y, i);
  }
  return ok;
}

}  // namespace vorlux::testing
