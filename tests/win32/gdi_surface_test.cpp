// GDI drawing: one module pen at a time, the device context put back, and what the surface
// paints.
#include <gtest/gtest.h>

#include <vector>

#include "engine/gdi_surface.win32.h"
#include "engine_fakes.h"

namespace vorlux::test {
namespace {

// A thousand pens in turn: only the last one is alive, and it is the one selected.
HPEN ManyPens(GraphicsState& g, HDC dc) {
  std::vector<HPEN> pens{g.CurrentPen.Get()};
  for (int i = 0; i < 1000; ++i) {
    SetPen(g, dc, RGB(i % 256, 7, 9), 1 + i % 3);
    pens.push_back(g.CurrentPen.Get());
  }
  for (HPEN pen : pens)  // a deleted pen's handle may come back for a later pen
    EXPECT_TRUE(pen == pens.back() || GetObjectType(pen) == 0) << pen;
  LOGPEN lp{};
  EXPECT_TRUE(GetObjectW(pens.back(), sizeof lp, &lp) && lp.lopnStyle == PS_SOLID &&
              lp.lopnWidth.x == 1 + 999 % 3 && lp.lopnColor == RGB(999 % 256, 7, 9));
  EXPECT_TRUE(!dc || GetCurrentObject(dc, OBJ_PEN) == pens.back());
  return pens.back();
}

TEST(Graphical, ManyPensLeaveOneAliveAndReleasePutsTheDcsOwnObjectsBack) {
  // A device context of its own: its selections outlive ReleaseDC.
  const WNDCLASSW wc{.style = CS_OWNDC,
                     .lpfnWndProc = DefWindowProcW,
                     .hInstance = GetModuleHandleW(nullptr),
                     .lpszClassName = L"VorluxOwnDc"};
  RegisterClassW(&wc);
  HWND w = CreateWindowW(wc.lpszClassName, L"", WS_POPUP, 0, 0, 64, 64, 0, 0, wc.hInstance, 0);
  HDC dc = GetDC(w), drawDC = nullptr;
  const HGDIOBJ ownPen = GetCurrentObject(dc, OBJ_PEN), ownBrush = GetCurrentObject(dc, OBJ_BRUSH);
  ReleaseDC(w, dc);
  for (int32_t brushColor : {0, kNoBrush}) {
    GraphicsState g;
    GraphicsSetup(g, w, brushColor, RGB(1, 2, 3), 1, drawDC);
    ASSERT_EQ(drawDC, dc);
    const HBRUSH brush = g.CurrentBrush.Get();
    LOGBRUSH lb{};
    EXPECT_EQ(brush != nullptr, GetObjectW(brush, sizeof lb, &lb) && lb.lbColor == 0) << "black";
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush ? brush : ownBrush);
    const HPEN pen = ManyPens(g, dc);
    GraphicsRelease(g, w, dc);
    EXPECT_TRUE(GetCurrentObject(dc, OBJ_PEN) == ownPen &&
                GetCurrentObject(dc, OBJ_BRUSH) == ownBrush);
    EXPECT_TRUE(GetObjectType(pen) == 0 && (!brush || GetObjectType(brush) == 0)) << "deleted";
  }
  DestroyWindow(w);
  GraphicsState g;
  ManyPens(g, nullptr);  // nothing can be selected without a device context; the pens still go
}

TEST(Graphical, SurfacePaintsAsGdiDoesAndFramesAreFourFoldMirrorSymmetric) {
  constexpr int kW = 1024, kH = 768;
  const BITMAPINFO bi{{sizeof bi.bmiHeader, kW, -kH, 1, 32, BI_RGB}};  // rows top down
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  const HBITMAP bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
  const auto at = [&](int x, int y) -> uint32_t {  // 0x00RRGGBB, after GdiFlush
    return x >= 0 && y >= 0 && x < kW && y < kH ? static_cast<uint32_t*>(bits)[y * kW + x] : 0;
  };
  // A segment leaves out its end point and its mirror image is traced from the mirrored start;
  // a mirrored arc is traced the other way round its ellipse. Either may put a pixel up to two
  // away from the image of the original.
  const auto litNear = [&](int x, int y) {
    for (int dy = -2; dy <= 2; ++dy)
      for (int dx = -2; dx <= 2; ++dx)
        if (at(x + dx, y + dy)) return true;
    return false;
  };
  GraphicsState state;
  GdiSurface surface(state, dc);
  surface.SetPen(RGB(0, 0, 255), 1);
  surface.DrawLine(10, 10, 20, 10);
  // Counter-clockwise from the ray to the right to the ray upwards: the top-right quarter.
  surface.DrawArc(100, 100, 200, 200, 200, 150, 150, 100);
  const HGDIOBJ oldBrush = SelectObject(dc, CreateSolidBrush(RGB(255, 0, 0)));
  surface.FillRect({300, 300, 310, 305});  // with the brush selected, none of its own
  DeleteObject(SelectObject(dc, oldBrush));
  GdiFlush();
  EXPECT_TRUE(at(10, 10) == 0xFF && at(19, 10) == 0xFF && at(20, 10) == 0) << "end point left out";
  EXPECT_TRUE(litNear(185, 115) && !litNear(115, 115) && !litNear(115, 185) && !litNear(185, 185));
  EXPECT_TRUE(at(300, 300) == 0xFF0000 && at(309, 304) == 0xFF0000 && at(310, 304) == 0);

  PatBlt(dc, 0, 0, kW, kH, BLACKNESS);
  AnimationState animation = MakeAnimation(kW / 2, kH / 2, 6);
  FakeHost host;
  host.colors.FixedColor = RGB(255, 255, 255);
  UniformRandom generator;
  UniformRandomSource random(generator);
  for (int call = 0; call < 60; ++call)
    AnimateFigures(surface, animation, host, random, host.colors);
  ASSERT_GT(animation.Figures.LastFigure, 0);
  GdiFlush();
  int lit = 0, unmatched = 0;
  for (int y = 1; y < kH; ++y)  // row and column 0 have their images outside
    for (int x = 1; x < kW; ++x)
      if (at(x, y) && ++lit)
        unmatched += !litNear(kW - x, y) || !litNear(x, kH - y) || !litNear(kW - x, kH - y);
  EXPECT_GT(lit, 10000);
  EXPECT_EQ(unmatched, 0) << "of " << lit << " lit pixels";
  GraphicsRelease(state, nullptr, dc);
  SelectObject(dc, oldBitmap);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

}  // namespace
}  // namespace vorlux::test
