// Cost of one full frame of 25 figures in the portable core: move, then draw on a surface that
// does nothing, so the figure work itself is measured.
#include <benchmark/benchmark.h>

#include "engine/engine.h"
#include "null_surface.h"

namespace vorlux {
namespace {

class QuietHost final : public EngineHost {
 public:
  void ProcessMessages() override {}
  void Pause(float) override {}
  double Now() override { return 0.0; }
  void EndCycle(Surface&) override {}
  bool StopRequested() const override { return false; }
};

void BM_FrameOfTwentyFiveFigures(benchmark::State& bench) {
  FigureSet f;
  f.CenterX = 512;
  f.CenterY = 384;
  f.LastFigure = kMaxLastFigure;
  f.Resize(kMaxLastFigure);
  QuietHost host;
  UniformRandom generator;
  UniformRandomSource random(generator);
  InitFigures(f, 0, host, random);
  for (int i = 0; i <= kMaxLastFigure; ++i) f.FigureColors[i] = RandomColor(random);
  NullSurface surface;
  for (auto _ : bench) {
    MoveFigures(f, host);
    for (int16_t i = 0; i <= f.LastFigure; ++i) {
      surface.SetPen(f.FigureColors[i], 1);
      DrawFigure(surface, f, i);
    }
    benchmark::ClobberMemory();
  }
  bench.SetItemsProcessed(bench.iterations() * 25);
}
BENCHMARK(BM_FrameOfTwentyFiveFigures);

}  // namespace
}  // namespace vorlux

BENCHMARK_MAIN();
