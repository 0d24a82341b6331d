// The About box: modeless and modal openings, its links, and what it leaves behind. (Its text
// and its closing after an interval are seen over the full-screen show end to end.)
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "about/about_text.h"
#include "about/about_window.win32.h"
#include "config/run_state.h"
#include "ui/window_utils.win32.h"
#include "vorlux_test.h"

namespace vorlux::test {
namespace {

// A box as its owner sets it up; the pictures come from the program's own file.
struct Box : fabout {
  Box() {
    static const HMODULE program =
        LoadLibraryExW(SaverPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    SetResourceModule(program);
    AppTitle = kAppTitle;
    CopyrightYears = kCopyrightYears;
  }
  HGDIOBJ Font(HWND control) { return HGDIOBJ(SendMessageW(control, WM_GETFONT, 0, 0)); }
  HGDIOBJ Image() { return HGDIOBJ(SendMessageW(imgIcon(), STM_GETIMAGE, IMAGE_BITMAP, 0)); }
};

TEST(AboutBox, ModelessBoxIsTopMostCentredWithItsLinksOnTheirLinesAndLeavesNothingBehind) {
  Box box;
  box.SetModeless(true);
  box.About(L"");
  ASSERT_TRUE(box.Loaded()) << "a modeless box stays open after About returns";
  const HWND h = box.hWnd();
  EXPECT_TRUE(IsWindowVisible(h) && GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_TOPMOST);
  RECT r, text;
  GetWindowRect(h, &r);
  EXPECT_NEAR(r.left + r.right, GetSystemMetrics(SM_CXSCREEN), 2) << "centred";
  EXPECT_NEAR(r.top + r.bottom, GetSystemMetrics(SM_CYSCREEN), 2);
  EXPECT_FALSE(box.TimerHide().Enabled()) << "without an interval the box stays";

  // Each link shows in blue, its ink within the band of its line of the text.
  RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  ProcessPendingMessages();
  HDC dc = CreateCompatibleDC(nullptr);
  SelectObject(dc, box.Font(box.lblAbout()));
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  DeleteDC(dc);
  GetWindowRect(box.lblAbout(), &text);
  for (const auto& [link, caption, line] :
       {std::tuple{box.lblmailto(), L"vorlux@example.org", kEmailPlaceholderLine},
        std::tuple{box.lblweb(), L"https://www.example.org/vorlux/", kWebPlaceholderLine}}) {
    EXPECT_EQ(WindowTextOf(link), caption);
    GetWindowRect(link, &r);
    const auto shot = Screenshot::CaptureRect(r);
    int first = -1, last = -1;
    for (int y = 0; y < shot.Height(); ++y)
      for (int x = 0; x < shot.Width(); ++x)
        if (const uint32_t p = shot.At(x, y);
            (p & 0xFF) > 0x80 && (p & 0xFF0000) < 0x600000 && (p & 0xFF00) < 0x6000)
          last = y, first = first < 0 ? y : first;
    const int lineTop = text.top + line * tm.tmHeight;
    EXPECT_TRUE(first >= 0 && r.top + first >= lineTop - 2 &&
                r.top + last <= lineTop + tm.tmHeight + 2)
        << "blue ink of " << caption << " from " << first << " to " << last;
  }

  std::vector<HGDIOBJ> held{box.Image()};  // the pictures and the fonts
  box.About(L"");  // filling the shown box again replaces its picture; the old one goes
  EXPECT_EQ(GetObjectType(held[0]), 0u) << "the replaced picture is deleted";
  held.push_back(box.Image());
  for (HWND c : {box.btnOK(), box.Frame1(), box.lblAbout(), box.lblmailto(), box.lblweb()})
    held.push_back(box.Font(c));
  box.Unload();
  for (HGDIOBJ o : held) EXPECT_TRUE(o && GetObjectType(o) == 0) << o;
}

// Inside the modal opening: once the box is on the screen, notes where the focus is and presses
// OK. After some 5 seconds it closes the box by force, as a failure.
Box* g_box;
int g_ticks;
bool g_focusOnOK;
void CALLBACK PressOK(HWND, UINT, UINT_PTR, DWORD) {
  if (++g_ticks > 50) g_box->Unload();
  if (!g_box->IsVisible() || g_ticks > 50) return;
  g_focusOnOK = GetFocus() == g_box->btnOK();
  SendMessageW(g_box->btnOK(), BM_CLICK, 0, 0);
}

TEST(AboutBox, FromTheSystemMenuItIsModalAndReturnsOnlyOnceClosed) {
  Box box;
  g_box = &box, g_ticks = 0, g_focusOnOK = false;
  const UINT_PTR timer = SetTimer(nullptr, 0, 100, PressOK);
  AboutFromSystemMenu(box, nullptr);
  KillTimer(nullptr, timer);
  EXPECT_TRUE(g_focusOnOK) << "returned before the box was on the screen, or it had no focus";
  EXPECT_TRUE(g_ticks <= 50 && !box.Loaded()) << "OK did not close the box";
}

}  // namespace
}  // namespace vorlux::test
