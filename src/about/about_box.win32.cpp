#include "about/about_box.win32.h"

#include "app/window_utils.win32.h"

namespace vorlux {

void ShowAboutBox(HWND /*owner*/, std::wstring_view comment, int bitmapResource, int /*reserved*/,
                  PicturePtr icon) {
  fabout& box = FormInstance<fabout>();
  box.Load();
  ProcessPendingMessages();
  if (!icon && bitmapResource > 0) icon = Picture::FromBitmapResource(bitmapResource);
  box.About(comment, std::move(icon));
}

void AboutFromSystemMenu(HWND window) { ShowAboutBox(window, L"", 0, 0, nullptr); }

void ShowAboutTimed(bool topMostWithTimeout, int16_t iconResource, std::wstring_view comment) {
  fabout& box = FormInstance<fabout>();
  if (topMostWithTimeout) {
    box.Load();
    box.SetInterval(10000);
    MakeTopMost(box.hWnd());
  }
  box.About(comment, iconResource == kAboutBitmapResource
                         ? nullptr
                         : Picture::FromIconResource(iconResource));
}

}  // namespace vorlux
