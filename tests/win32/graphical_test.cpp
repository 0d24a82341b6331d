#include <gtest/gtest.h>

#include <vector>

#include "engine/gdi_surface.win32.h"
#include "engine/engine.h"

namespace vorlux {
namespace {

// A window with a device context of its own, whose selections can be read after ReleaseDC.
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

void ExpectOnlyLastAlive(const std::vector<HPEN>& pens) {
  for (HPEN pen : pens) {
    if (pen != pens.back()) {
      EXPECT_EQ(GetObjectType(pen), 0u) << pen;
    }
  }
  EXPECT_EQ(GetObjectType(pens.back()), static_cast<DWORD>(OBJ_PEN));
}

TEST(Graphical, ManyPensLeaveOneAliveAndReleaseRestoresTheDcsOwn) {
  for (int32_t brushColor : {0, kNoBrush}) {
    OwnDcWindow w;
    GraphicsState g;
    HDC dc = nullptr;
    GraphicsSetup(g, w.hwnd, brushColor, RGB(1, 2, 3), 1, dc);
    ASSERT_EQ(dc, w.dc);
    const HBRUSH brush = g.CurrentBrush.Get();
    if (brushColor == kNoBrush) {
      EXPECT_EQ(brush, nullptr);
      EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), w.ownBrush);
    } else {
      EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
      LOGBRUSH lb{};
      ASSERT_TRUE(GetObjectW(brush, sizeof lb, &lb));
      EXPECT_EQ(lb.lbColor, RGB(0, 0, 0));
    }

    std::vector<HPEN> pens{g.CurrentPen.Get()};
    for (int i = 0; i < 1000; ++i) {
      SetPen(g, dc, RGB(i % 256, 7, 9), 1 + i % 3);
      pens.push_back(g.CurrentPen.Get());
      ASSERT_EQ(GetCurrentObject(dc, OBJ_PEN), pens.back());
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
    if (brush) {
      EXPECT_EQ(GetObjectType(brush), 0u);
    }
  }
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

// A black 1024x768 32-bit memory bitmap with the module's surface on it.
class Canvas {
 public:
  static constexpr int kWidth = 1024, kHeight = 768;
  Canvas() : dc_(CreateCompatibleDC(nullptr)), surface(state_, dc_) {
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof bi.bmiHeader, kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    // (a negative height: top-down rows)
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
  uint32_t At(int x, int y) const {  // 0x00RRGGBB
    GdiFlush();
    return x >= 0 && y >= 0 && x < kWidth && y < kHeight ? pixels_[y * kWidth + x] : 0;
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

TEST(Graphical, SurfaceDrawsSegmentsArcsAndFillsAsGdiDoes) {
  Canvas c;
  c.surface.SetPen(RGB(0, 0, 255), 1);
  c.surface.DrawLine(10, 10, 20, 10);
  EXPECT_EQ(c.At(10, 10), 0x0000FFu);
  EXPECT_EQ(c.At(19, 10), 0x0000FFu);
  EXPECT_EQ(c.At(20, 10), 0u);  // the end point is left out

  // Counter-clockwise from the ray to the right to the ray upwards: the top-right quarter.
  c.surface.DrawArc(100, 100, 200, 200, 200, 150, 150, 100);
  int topRight = 0, elsewhere = 0;
  for (int y = 95; y <= 205; ++y) {
    for (int x = 95; x <= 205; ++x) {
      if (c.At(x, y)) ++(x >= 150 && y <= 150 ? topRight : elsewhere);
    }
  }
  EXPECT_GT(topRight, 50);
  EXPECT_LE(elsewhere, 2);

  const HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  const HGDIOBJ old = SelectObject(c.Dc(), red);
  c.surface.FillRect({300, 300, 310, 305});  // with the brush selected, none of its own
  EXPECT_EQ(c.At(300, 300), 0xFF0000u);
  EXPECT_EQ(c.At(309, 304), 0xFF0000u);
  EXPECT_EQ(c.At(310, 304), 0u);
  DeleteObject(SelectObject(c.Dc(), old));
}

struct StillHost final : EngineHost {
  StillHost() { run.FixedColor = RGB(255, 255, 255); }
  void ProcessMessages() override {}
  void Pause(float seconds) override { clock += seconds; }
  double Now() override { return clock; }
  void RestoreBackground(int32_t, Surface&) override {}
  const RunState& Run() const override { return run; }
  RunState run;
  double clock = 0;
};

TEST(Graphical, DrawnFramesAreFourFoldMirrorSymmetric) {
  constexpr int kW = Canvas::kWidth, kH = Canvas::kHeight;
  Canvas c;
  AnimationState state;
  state.Figures.CenterX = kW / 2;
  state.Figures.CenterY = kH / 2;
  StillHost host;
  UniformRandom generator;
  UniformRandomSource random(generator);
  for (int call = 0; call < 60; ++call) AnimateFigures(c.surface, state, host, random);
  ASSERT_GT(state.Figures.LastFigure, 0);

  // A segment leaves out its end point and its image is traced from the mirrored start; a
  // mirrored arc is traced the other way round its ellipse. Either may put a pixel up to two
  // away from the image of the original.
  const auto litNear = [&](int x, int y) {
    for (int dy = -2; dy <= 2; ++dy) {
      for (int dx = -2; dx <= 2; ++dx) {
        if (c.At(x + dx, y + dy)) return true;
      }
    }
    return false;
  };
  int lit = 0, unmatched = 0;
  for (int y = 1; y < kH; ++y) {  // row and column 0 have their images outside
    for (int x = 1; x < kW; ++x) {
      if (!c.At(x, y)) continue;
      ++lit;
      unmatched += !litNear(kW - x, y) || !litNear(x, kH - y) || !litNear(kW - x, kH - y);
    }
  }
  EXPECT_GT(lit, 10000);
  EXPECT_EQ(unmatched, 0) << "of " << lit << " lit pixels";
}

}  // namespace
}  // namespace vorlux
