// The screen in the units forms use: twips (1/1440 inch) and pixels at the screen's dots per
// inch. The dots per inch are read once: a process keeps the system's resolution it started with.
#pragma once

#include <windows.h>

#include <cstdint>

namespace vorlux {

// The screen's dots per inch, vertically (the height of fonts in points).
int ScreenDpiY();

int16_t ScreenTwipsPerPixelX();
int16_t ScreenTwipsPerPixelY();
// The primary screen's size in twips.
int ScreenWidthTwips();
int ScreenHeightTwips();

int TwipsToPixelsX(int twips);
int TwipsToPixelsY(int twips);
int PixelsToTwipsX(int pixels);
int PixelsToTwipsY(int pixels);

}  // namespace vorlux
