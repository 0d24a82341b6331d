// The forms toolkit: loading and unloading, twips and unload modes of a plain form; and the
// About box made with it, modeless. (Key and mouse events, the background picture, the box's
// text, closing after an interval and the modal box from the setup dialog's system menu are seen
// end to end.)
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "about/about_text.h"
#include "about/about_window.win32.h"
#include "ui/forms.win32.h"
#include "ui/window_utils.win32.h"
#include "vorlux_test.h"

namespace vorlux::test {
namespace {

// Logs its events: c(ontrols), l(oad), q(uery unload) with the mode.
class RecordingForm : public Form {
 public:
  std::string log;

 protected:
  void CreateControls() override { log += "c"; }
  void Form_Load() override { log += "l"; }
  void Form_QueryUnload(int mode) override { log += "q" + std::to_string(mode); }
};

TEST(Forms, LoadOnceInTwipsAndTellTheCloseBoxFromCodeWhenUnloading) {
  RecordingForm f;
  HWND h = f.hWnd();  // touching the window loads the form, hidden
  f.Load();
  EXPECT_TRUE(!IsWindowVisible(h) && ClassNameOf(h) == kFormClassName);
  RECT r;  // of the default size in twips
  GetClientRect(h, &r);
  EXPECT_TRUE(r.right * ScreenTwipsPerPixelX() == 4800 && r.bottom * ScreenTwipsPerPixelY() == 3600)
      << r.right << "x" << r.bottom;
  f.Unload();
  f.Unload();  // not loaded: nothing happens
  f.Show();    // loads again
  SendMessageW(f.hWnd(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(h) || f.IsLoaded());
  EXPECT_EQ(f.log, "clq" + std::to_string(kUnloadCode) + "clq" + std::to_string(kUnloadControlMenu))
      << "loaded once each time, closed by code, by the box";
}

// A box with its pictures from the program's own file.
struct Box : fabout {
  Box() {
    SetResourceModule(LoadLibraryExW(SaverPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
  }
  HGDIOBJ Image() { return HGDIOBJ(SendMessageW(imgIcon(), STM_GETIMAGE, IMAGE_BITMAP, 0)); }
};

TEST(AboutBox, ModelessBoxIsTopMostCentredWithItsLinksOnTheirLinesAndLeavesNoPicture) {
  Box box;
  box.SetModeless(true);
  box.About(L"");
  ASSERT_TRUE(box.Loaded()) << "a modeless box stays open after About returns";
  const HWND h = box.hWnd();
  RECT r, text;
  GetWindowRect(h, &r);
  EXPECT_TRUE(IsWindowVisible(h) && GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_TOPMOST &&
              abs(r.left + r.right - GetSystemMetrics(SM_CXSCREEN)) <= 2 &&
              abs(r.top + r.bottom - GetSystemMetrics(SM_CYSCREEN)) <= 2)
      << "shown top-most and centred";
  // Each link shows in blue on its line of the text.
  ProcessPendingMessages();
  HDC dc = CreateCompatibleDC(nullptr);
  SelectObject(dc, HGDIOBJ(SendMessageW(box.lblAbout(), WM_GETFONT, 0, 0)));
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  DeleteDC(dc);
  GetWindowRect(box.lblAbout(), &text);
  for (const auto& [link, caption, line] :
       {std::tuple{box.lblmailto(), L"vorlux@example.org", kEmailPlaceholderLine},
        std::tuple{box.lblweb(), L"https://www.example.org/vorlux/", kWebPlaceholderLine}}) {
    GetWindowRect(link, &r);
    const int lineTop = text.top + line * tm.tmHeight;
    EXPECT_TRUE(WindowTextOf(link) == caption && r.top >= lineTop - 2 &&
                r.bottom <= lineTop + tm.tmHeight + 2 &&
                Screenshot::CaptureRect(r).CountOf(0x0000FF) > 0)
        << caption << " from " << r.top - lineTop << " to " << r.bottom - lineTop;
  }
  const HGDIOBJ first = box.Image();
  box.About(L"");  // filling the shown box again replaces its picture; the old one goes
  const HGDIOBJ second = box.Image();
  box.Unload();
  EXPECT_TRUE(first != second && !GetObjectType(first) && !GetObjectType(second));
}

}  // namespace
}  // namespace vorlux::test
