// The longest time between two checks of the stop condition over a simulated day of the engine,
// at the preview's size (152x112, steps of 3) and at 1280x1024 (steps of 6), random colours.
// The clock is simulated: a pause moves it on by its length in slices of 50 ms, each followed by
// a check, as the program's host does; the engine's own work moves it on by the real time it
// took, drawing on a surface that draws nothing (GDI's share: see frame_win32).
//   stop_checks_native [simulated seconds, default 86400]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "engine/engine.h"
#include "null_surface.h"

namespace vorlux {
namespace {

class DayHost final : public EngineHost {
 public:
  void ProcessMessages() override { Advance(); }
  void Pause(float seconds) override {
    for (double left = seconds; left > 0; left -= kSlice) {
      Advance();
      clock_ += std::min(left, kSlice);
      Check();
    }
  }
  double Now() override {
    Advance();
    return clock_;
  }
  void EndCycle(Surface&) override { Advance(); }
  bool StopRequested() const override {
    Check();
    return false;
  }
  double Longest() const { return longest_; }
  long long Checks() const { return checks_; }

 private:
  static constexpr double kSlice = 0.05;
  using Clock = std::chrono::steady_clock;
  void Advance() const {
    const Clock::time_point now = Clock::now();
    clock_ += std::chrono::duration<double>(now - mark_).count();
    mark_ = now;
  }
  void Check() const {
    Advance();
    longest_ = std::max(longest_, clock_ - lastCheck_);
    lastCheck_ = clock_;
    ++checks_;
  }
  mutable double clock_ = 0, lastCheck_ = 0, longest_ = 0;
  mutable long long checks_ = 0;
  mutable Clock::time_point mark_ = Clock::now();
};

void SimulateDay(const char* what, int32_t width, int32_t height, int16_t step, double seconds) {
  AnimationState state{.FrameDelay = 0.1f, .DrawRect = {0, 0, width, height}};
  FigureSet& f = state.Figures;
  f.CenterX = width / 2, f.CenterY = height / 2, f.LineStep = f.ArcStep = step;
  DayHost host;
  UniformRandom generator;
  UniformRandomSource random(generator);
  NullSurface surface;
  while (host.Now() < seconds) AnimateFigures(surface, state, host, random, {true, 0});
  std::printf("%-10s %.0f s simulated: %lld checks, longest time between two: %.1f ms\n", what,
              seconds, host.Checks(), host.Longest() * 1000);
}

}  // namespace
}  // namespace vorlux

int main(int argc, char** argv) {
  const double seconds = argc > 1 ? std::atof(argv[1]) : 86400.0;
  vorlux::SimulateDay("preview", 152, 112, 3, seconds);
  vorlux::SimulateDay("1280x1024", 1280, 1024, 6, seconds);
}
