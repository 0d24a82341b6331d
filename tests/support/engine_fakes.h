// Fakes for driving the figures and the engine in both builds: scripted draws, a host on a fake
// clock, and a surface that logs or merely counts what is drawn.
#pragma once

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "engine/engine.h"

namespace vorlux::test {

// Repeats the given draws in order.
struct ScriptedRandom : RandomSource {
  explicit ScriptedRandom(std::vector<float> d) : draws(std::move(d)) {}
  float Next() override { return draws[count++ % draws.size()]; }
  std::vector<float> draws;
  size_t count = 0;
};

// Time moves only inside Pause: drawing takes no time on the fake clock.
struct FakeHost : EngineHost {
  explicit FakeHost(std::vector<std::string>* l = nullptr) : log(l) {}
  void ProcessMessages() override {
    ++yields;
    if (onYield) onYield();
  }
  void Pause(float seconds) override {
    if (log) log->push_back((std::ostringstream() << "Pause " << seconds).str());
    clock += seconds;
    ProcessMessages();
    if (onPause) onPause();
  }
  double Now() override { return clock; }
  void EndCycle(Surface&) override {
    if (log) log->push_back("EndCycle");
  }
  bool StopRequested() const override { return stop; }

  std::vector<std::string>* log;
  ColorChoice colors;
  bool stop = false;
  double clock = 1000.0;
  int yields = 0;
  std::function<void()> onYield, onPause;
};

// Logs pens and fills as text, and segments and arcs too when shapes is set; counts them all.
struct RecordingSurface : Surface {
  explicit RecordingSurface(std::vector<std::string>* l = nullptr, bool s = true)
      : log(l), shapes(s) {}
  void SetPen(uint32_t color, int32_t width) override { Add("Pen", {color, width}); }
  void DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override {
    Add("Line", {x1, y1, x2, y2}, ++primitives && shapes);
  }
  void DrawArc(int32_t l, int32_t t, int32_t r, int32_t b, int32_t sx, int32_t sy, int32_t ex,
               int32_t ey) override {
    Add("Arc", {l, t, r, b, sx, sy, ex, ey}, ++primitives && shapes);
  }
  void FillRect(const Rect& rc) override {
    Add("Fill", {rc.left, rc.top, rc.right, rc.bottom}, ++fills);
  }
  void Add(const char* name, std::initializer_list<int64_t> values, bool logged = true) {
    if (!log || !logged) return;
    std::string entry = name;
    for (int64_t v : values) entry += " " + std::to_string(v);
    log->push_back(entry);
  }

  std::vector<std::string>* log;
  bool shapes;
  int64_t primitives = 0, fills = 0;
};

inline AnimationState MakeAnimation(int32_t centerX, int32_t centerY, int16_t step) {
  AnimationState state{.DrawRect = {0, 0, 2 * centerX, 2 * centerY}};
  FigureSet& f = state.Figures;
  f.CenterX = centerX, f.CenterY = centerY, f.LineStep = f.ArcStep = step;
  return state;
}

// Whether every figure in use is the four-fold mirror image of its copy 0: copy 1 across the
// vertical axis (arc left and right trading places), copy 2 across both, copy 3 the horizontal.
inline bool Mirrored(const FigureSet& f) {
  const auto ok = [&](const CoordinateTable& t, const CoordinateTable& mirror, int32_t c2, int i,
                      bool x) {
    const int32_t m = c2 - mirror[0][i];
    return t[1][i] == (x ? m : t[0][i]) && t[2][i] == (x ? m : c2 - t[0][i]) &&
           t[3][i] == (x ? t[0][i] : t[2][i]);
  };
  for (int i = 0; i <= f.LastFigure; ++i) {
    if (!(ok(f.LineX1, f.LineX1, 2 * f.CenterX, i, true) &&
          ok(f.LineX2, f.LineX2, 2 * f.CenterX, i, true) &&
          ok(f.ArcLeft, f.ArcRight, 2 * f.CenterX, i, true) &&
          ok(f.ArcRight, f.ArcLeft, 2 * f.CenterX, i, true)))
      return false;
    for (const CoordinateTable* y : {&f.LineY1, &f.LineY2, &f.ArcTop, &f.ArcBottom})
      if (!ok(*y, *y, 2 * f.CenterY, i, false)) return false;
  }
  return true;
}

}  // namespace vorlux::test
