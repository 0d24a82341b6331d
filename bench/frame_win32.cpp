// Cost of one frame drawn with GDI into a 1024x768 memory bitmap: 25 figures moved and drawn,
// with a new pen per figure as in the colour pass, and with one black pen as in the erase pass.
//   frame_win32 [frames]
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "engine/engine.h"
#include "engine/gdi_surface.win32.h"

namespace {

using namespace vorlux;

class QuietHost final : public EngineHost {
 public:
  void ProcessMessages() override {}
  void Pause(float) override {}
  double Now() override { return 0.0; }
  void EndCycle(Surface&) override {}
  bool StopRequested() const override { return false; }
};

double Seconds() {
  LARGE_INTEGER t, f;
  QueryPerformanceCounter(&t);
  QueryPerformanceFrequency(&f);
  return static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

// Microseconds per frame over the given frames, from the same start each time.
double TimeFrames(Surface& surface, FigureSet f, QuietHost& host, bool colourPass, int frames) {
  const double start = Seconds();
  for (int n = 0; n < frames; ++n) {
    MoveFigures(f, host);
    if (!colourPass) surface.SetPen(0, 1);
    for (int16_t i = 0; i <= f.LastFigure; ++i) {
      if (colourPass) surface.SetPen(f.FigureColors[i], 1);
      DrawFigure(surface, f, i);
    }
  }
  GdiFlush();
  return (Seconds() - start) * 1e6 / frames;
}

}  // namespace

int main(int argc, char** argv) {
  const int frames = argc > 1 ? std::atoi(argv[1]) : 5000;
  constexpr int kWidth = 1024, kHeight = 768;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = kWidth;
  bi.bmiHeader.biHeight = -kHeight;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  const HDC dc = CreateCompatibleDC(nullptr);
  const HBITMAP bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ oldBitmap = SelectObject(dc, bitmap);

  GraphicsState graphics;
  GdiSurface surface(graphics, dc);
  QuietHost host;
  UniformRandom generator;
  UniformRandomSource random(generator);
  FigureSet f;
  f.CenterX = kWidth / 2;
  f.CenterY = kHeight / 2;
  f.LastFigure = kMaxLastFigure;
  f.Resize(kMaxLastFigure);
  InitFigures(f, 0, host, random);
  for (int i = 0; i <= kMaxLastFigure; ++i) f.FigureColors[i] = RandomColor(random);

  TimeFrames(surface, f, host, true, frames / 10);  // warm-up
  const double colour = TimeFrames(surface, f, host, true, frames);
  const double erase = TimeFrames(surface, f, host, false, frames);
  std::printf("GDI frame of 25 figures into a %dx%d memory bitmap, %d frames each:\n", kWidth,
              kHeight, frames);
  std::printf("  colour pass (25 pens): %.1f us per frame\n", colour);
  std::printf("  erase pass (1 pen):    %.1f us per frame\n", erase);

  GraphicsRelease(graphics, nullptr, dc);
  SelectObject(dc, oldBitmap);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return 0;
}
