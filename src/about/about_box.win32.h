// The routines that open the About box: from a window's system menu, and from the running
// full-screen saver for a limited time.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string_view>

#include "about/fabout.win32.h"

namespace vorlux {

// Opens the shared box with a comment and a picture, given as a picture or as a bitmap resource
// number (0: the box's own). The owner and the reserved number are not used.
void ShowAboutBox(HWND owner, std::wstring_view comment, int bitmapResource, int reserved,
                  PicturePtr icon);

// The system menu's "About...": the box with its own picture, modal.
void AboutFromSystemMenu(HWND window);

// With topMostWithTimeout the box is top-most and closes itself after 10 seconds. A resource
// number other than 364 names an icon resource to show instead of the information sign.
// Modal unless the box was made modeless.
void ShowAboutTimed(bool topMostWithTimeout, int16_t iconResource, std::wstring_view comment);

}  // namespace vorlux
