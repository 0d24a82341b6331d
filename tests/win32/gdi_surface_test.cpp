// GDI drawing: one module pen at a time, the device context put back, and what the surface
// paints. (The four-fold symmetry of whole frames is checked on the screen of the real show.)
#include <gtest/gtest.h>

#include <vector>

#include "engine/gdi_surface.win32.h"

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

TEST(Graphical, SurfacePaintsSegmentsArcsAndFillsAsGdiDoes) {
  const BITMAPINFO bi{{sizeof bi.bmiHeader, 400, -400, 1, 32, BI_RGB}};  // rows top down
  uint32_t* pixels = nullptr;                                            // 0x00RRGGBB
  HDC dc = CreateCompatibleDC(nullptr);
  const HBITMAP bitmap =
      CreateDIBSection(dc, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&pixels), nullptr, 0);
  const HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
  const auto at = [&](int x, int y) { return pixels[y * 400 + x]; };
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
  int quarters[2][2] = {};  // lit pixels by quarter of the arc's box: [bottom][right]
  for (int y = 95; y <= 205; ++y)
    for (int x = 95; x <= 205; ++x) quarters[y > 150][x >= 150] += at(x, y) != 0;
  EXPECT_TRUE(quarters[0][1] > 50 && quarters[0][0] + quarters[1][0] + quarters[1][1] <= 2);
  EXPECT_TRUE(at(300, 300) == 0xFF0000 && at(309, 304) == 0xFF0000 && at(310, 304) == 0);
  GraphicsRelease(state, nullptr, dc);
  SelectObject(dc, oldBitmap);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

}  // namespace
}  // namespace vorlux::test
