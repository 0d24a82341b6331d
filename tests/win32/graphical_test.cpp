#include <gtest/gtest.h>

#include <vector>

#include "engine/bas_graphical.win32.h"
#include "engine/engine.h"

namespace vorlux {
namespace {

// A window with a device context of its own, so what is selected in it can be read after
// ReleaseDC.
struct OwnDcWindow {
  OwnDcWindow() {
    WNDCLASSW wc{};
    wc.style = CS_OWNDC;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VorluxTestOwnDc";
    RegisterClassW(&wc);
    hwnd = CreateWindowW(wc.lpszClassName, L"", WS_POPUP, 0, 0, 64, 64, nullptr, nullptr,
                         wc.hInstance, nullptr);
    dc = GetDC(hwnd);
    ownPen = GetCurrentObject(dc, OBJ_PEN);
    ownBrush = GetCurrentObject(dc, OBJ_BRUSH);
    ReleaseDC(hwnd, dc);
  }
  ~OwnDcWindow() { DestroyWindow(hwnd); }
  HWND hwnd;
  HDC dc;
  HGDIOBJ ownPen, ownBrush;
};

// Every pen but the last one is gone.
void ExpectOnlyLastAlive(const std::vector<HPEN>& pens) {
  for (HPEN pen : pens) {
    if (pen != pens.back()) {
      EXPECT_EQ(GetObjectType(pen), 0u) << pen;
    }
  }
  EXPECT_EQ(GetObjectType(pens.back()), static_cast<DWORD>(OBJ_PEN));
}

TEST(Graphical, ManyPensLeaveOneAliveAndReleaseRestoresTheDcsOwn) {
  OwnDcWindow w;
  GraphicsState g;
  HDC dc = nullptr;
  GraphicsSetup(g, w.hwnd, 0, RGB(1, 2, 3), 1, dc);
  ASSERT_EQ(dc, w.dc);
  const HBRUSH brush = g.CurrentBrush.Get();
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
  LOGBRUSH lb{};
  ASSERT_TRUE(GetObjectW(brush, sizeof lb, &lb));
  EXPECT_EQ(lb.lbStyle, static_cast<UINT>(BS_SOLID));
  EXPECT_EQ(lb.lbColor, RGB(0, 0, 0));

  std::vector<HPEN> pens{g.CurrentPen.Get()};
  for (int i = 0; i < 1000; ++i) {
    SetPen(g, dc, RGB(i % 256, 7, 9), 1 + i % 3);
    pens.push_back(g.CurrentPen.Get());
    ASSERT_EQ(GetCurrentObject(dc, OBJ_PEN), pens.back());
    ASSERT_EQ(g.SavedObjects[1], w.ownPen);
  }
  ExpectOnlyLastAlive(pens);
  LOGPEN lp{};
  ASSERT_TRUE(GetObjectW(pens.back(), sizeof lp, &lp));
  EXPECT_EQ(lp.lopnStyle, static_cast<UINT>(PS_SOLID));
  EXPECT_EQ(lp.lopnWidth.x, 1 + 999 % 3);
  EXPECT_EQ(lp.lopnColor, RGB(999 % 256, 7, 9));

  GraphicsRelease(g, w.hwnd, dc);
  EXPECT_EQ(GetCurrentObject(w.dc, OBJ_PEN), w.ownPen);
  EXPECT_EQ(GetCurrentObject(w.dc, OBJ_BRUSH), w.ownBrush);
  EXPECT_EQ(GetObjectType(pens.back()), 0u);
  EXPECT_EQ(GetObjectType(brush), 0u);
}

TEST(Graphical, NoBrushColourSelectsNoBrushAndRestoresOnlyThePen) {
  OwnDcWindow w;
  GraphicsState g;
  HDC dc = nullptr;
  GraphicsSetup(g, w.hwnd, kNoBrush, RGB(255, 0, 0), 2, dc);
  EXPECT_EQ(g.CurrentBrush.Get(), nullptr);
  EXPECT_EQ(g.SavedObjects[0], nullptr);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), w.ownBrush);
  SetPen(g, dc, RGB(0, 255, 0), 1);
  const HPEN pen = g.CurrentPen.Get();
  GraphicsRelease(g, w.hwnd, dc);
  EXPECT_EQ(GetCurrentObject(w.dc, OBJ_PEN), w.ownPen);
  EXPECT_EQ(GetCurrentObject(w.dc, OBJ_BRUSH), w.ownBrush);
  EXPECT_EQ(GetObjectType(pen), 0u);
}

TEST(Graphical, PensAreDeletedEvenWhenSelectingThemFails) {
  GraphicsState g;
  std::vector<HPEN> pens;
  for (int i = 0; i < 100; ++i) {
    SetPen(g, nullptr, RGB(1, 1, 1), 1);  // no device context: nothing can be selected
    pens.push_back(g.CurrentPen.Get());
  }
  ExpectOnlyLastAlive(pens);
}

class StillHost final : public EngineHost {
 public:
  StillHost() { run_.FixedColor = RGB(255, 255, 255); }
  void ProcessMessages() override {}
  void Pause(float seconds) override { clock_ += seconds; }
  double Now() override { return clock_; }
  void RestoreBackground(int32_t, Surface&) override {}
  const RunState& Run() const override { return run_; }

 private:
  RunState run_;
  double clock_ = 0;
};

// A black 32-bit memory bitmap with the module's drawing on it.
class Canvas {
 public:
  static constexpr int kWidth = 1024, kHeight = 768;

  Canvas() : dc_(CreateCompatibleDC(nullptr)), surface(state_, dc_) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = kWidth;
    bi.bmiHeader.biHeight = -kHeight;  // top-down rows
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    pixels_ = static_cast<const uint32_t*>(bits);
    old_ = SelectObject(dc_, bitmap_);
  }
  ~Canvas() {
    GraphicsRelease(state_, nullptr, dc_);
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  HDC Dc() const { return dc_; }
  uint32_t At(int x, int y) const { return pixels_[y * kWidth + x]; }
  bool Lit(int x, int y) const {
    return x >= 0 && y >= 0 && x < kWidth && y < kHeight && pixels_[y * kWidth + x] != 0;
  }
  // Lit pixels (off the first row and column, whose mirror images lie outside) that have no
  // lit pixel within the radius of one of their three mirror images.
  int Unmatched(int radius, int* lit) const {
    GdiFlush();
    const auto litNear = [&](int x, int y) {
      for (int dy = -radius; dy <= radius; ++dy) {
        for (int dx = -radius; dx <= radius; ++dx) {
          if (Lit(x + dx, y + dy)) return true;
        }
      }
      return false;
    };
    int unmatched = 0;
    *lit = 0;
    for (int y = 1; y < kHeight; ++y) {
      for (int x = 1; x < kWidth; ++x) {
        if (!Lit(x, y)) continue;
        ++*lit;
        if (!litNear(kWidth - x, y) || !litNear(x, kHeight - y) ||
            !litNear(kWidth - x, kHeight - y)) {
          ++unmatched;
        }
      }
    }
    return unmatched;
  }

 private:
  GraphicsState state_;
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
  const uint32_t* pixels_ = nullptr;

 public:
  GdiSurface surface;
};

// Segments onto one canvas, arcs onto another, so each can be held to its own rule.
class SplitSurface final : public Surface {
 public:
  SplitSurface(Surface& lines, Surface& arcs) : lines_(lines), arcs_(arcs) {}
  void SetPen(uint32_t color, int32_t width) override {
    lines_.SetPen(color, width);
    arcs_.SetPen(color, width);
  }
  void DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override {
    lines_.DrawLine(x1, y1, x2, y2);
  }
  void DrawArc(int32_t l, int32_t t, int32_t r, int32_t b, int32_t sx, int32_t sy, int32_t ex,
               int32_t ey) override {
    arcs_.DrawArc(l, t, r, b, sx, sy, ex, ey);
  }
  void FillRect(const Rect& rect) override { lines_.FillRect(rect); }

 private:
  Surface& lines_;
  Surface& arcs_;
};

TEST(Graphical, SurfaceDrawsSegmentsArcsAndFillsAsGdiDoes) {
  Canvas c;
  c.surface.SetPen(RGB(0, 0, 255), 1);
  c.surface.DrawLine(10, 10, 20, 10);
  GdiFlush();
  EXPECT_EQ(c.At(10, 10), 0x0000FFu);  // DIB pixels read 0x00RRGGBB
  EXPECT_EQ(c.At(19, 10), 0x0000FFu);
  EXPECT_EQ(c.At(20, 10), 0u);  // the end point is left out

  // Counter-clockwise from the ray to the right to the ray upwards: the top-right quarter.
  c.surface.DrawArc(100, 100, 200, 200, 200, 150, 150, 100);
  int topRight = 0, elsewhere = 0;
  for (int y = 95; y <= 205; ++y) {
    for (int x = 95; x <= 205; ++x) {
      if (c.Lit(x, y)) ++(x >= 150 && y <= 150 ? topRight : elsewhere);
    }
  }
  EXPECT_GT(topRight, 50);
  EXPECT_LE(elsewhere, 2);

  const HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  const HGDIOBJ old = SelectObject(c.Dc(), red);
  c.surface.FillRect({300, 300, 310, 305});
  GdiFlush();
  EXPECT_EQ(c.At(300, 300), 0xFF0000u);
  EXPECT_EQ(c.At(309, 304), 0xFF0000u);
  EXPECT_EQ(c.At(310, 304), 0u);
  SelectObject(c.Dc(), old);
  DeleteObject(red);
}

TEST(Graphical, DrawnFramesAreFourFoldMirrorSymmetric) {
  Canvas lines, arcs;
  SplitSurface surface(lines.surface, arcs.surface);
  AnimationState state;
  state.Figures.CenterX = Canvas::kWidth / 2;
  state.Figures.CenterY = Canvas::kHeight / 2;
  StillHost host;
  UniformRandom generator;
  UniformRandomSource random(generator);
  for (int call = 0; call < 60; ++call) AnimateFigures(surface, state, host, random);
  ASSERT_GT(state.Figures.LastFigure, 0);

  int lit = 0;
  // A segment leaves out its end point, and its mirror image is traced from the mirrored
  // start, so a pixel may sit one away from its image.
  EXPECT_EQ(lines.Unmatched(1, &lit), 0) << "of " << lit << " lit pixels";
  EXPECT_GT(lit, 5000);
  // A mirrored arc is traced in the opposite sense round its ellipse; the rasteriser then
  // places its pixels and its end points up to two pixels from the image of the original.
  EXPECT_EQ(arcs.Unmatched(2, &lit), 0) << "of " << lit << " lit pixels";
  EXPECT_GT(lit, 5000);
}

}  // namespace
}  // namespace vorlux
