// Twips and pixels of the screen, from its dots per inch read once.
#include "ui/screen_units.win32.h"

#include <windows.h>

#include "ui/gdi.win32.h"

namespace vorlux {

namespace {

struct Dpi {
  int x = 96;
  int y = 96;
};

// Read at the first use; the value never changes afterwards, so it is no state to own.
const Dpi& ScreenDpi() {
  static const Dpi dpi = [] {
    const WindowDc screen;
    Dpi d;
    if (const int x = GetDeviceCaps(screen.Get(), LOGPIXELSX); x > 0) d.x = x;
    if (const int y = GetDeviceCaps(screen.Get(), LOGPIXELSY); y > 0) d.y = y;
    return d;
  }();
  return dpi;
}

int16_t TwipsPerPixel(int dpi) { return static_cast<int16_t>((1440 + dpi / 2) / dpi); }

}  // namespace

int ScreenDpiY() { return ScreenDpi().y; }
int16_t ScreenTwipsPerPixelX() { return TwipsPerPixel(ScreenDpi().x); }
int16_t ScreenTwipsPerPixelY() { return TwipsPerPixel(ScreenDpi().y); }
int ScreenWidthTwips() { return GetSystemMetrics(SM_CXSCREEN) * ScreenTwipsPerPixelX(); }
int ScreenHeightTwips() { return GetSystemMetrics(SM_CYSCREEN) * ScreenTwipsPerPixelY(); }

int TwipsToPixelsX(int twips) { return MulDiv(twips, 1, ScreenTwipsPerPixelX()); }
int TwipsToPixelsY(int twips) { return MulDiv(twips, 1, ScreenTwipsPerPixelY()); }
int PixelsToTwipsX(int pixels) { return pixels * ScreenTwipsPerPixelX(); }
int PixelsToTwipsY(int pixels) { return pixels * ScreenTwipsPerPixelY(); }

}  // namespace vorlux
