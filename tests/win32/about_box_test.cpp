// The About box: modeless and modal openings, its timer, its links, and what it leaves behind.
#include <gtest/gtest.h>

#include <functional>
#include <tuple>
#include <vector>

#include "about/about_text.h"
#include "about/about_window.win32.h"
#include "config/run_state.h"
#include "ui/window_utils.win32.h"
#include "vorlux_test.h"

namespace vorlux::test {
namespace {

RECT ScreenRectOf(HWND w) {
  RECT r;
  GetWindowRect(w, &r);
  return r;
}

// A box as its owner sets it up; the pictures come from the program's own file.
struct Box : fabout {
  Box() {
    static const HMODULE program =
        LoadLibraryExW(SaverPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    SetResourceModule(program);
    AppTitle = kAppTitle;
    CopyrightYears = kCopyrightYears;
  }
};

TEST(AboutBox, ModelessBoxIsTopMostCentredWithItsLinksOnTheirLinesAndLeavesNothingBehind) {
  Box box;
  box.SetModeless(true);
  box.About(L"");
  ASSERT_TRUE(box.Loaded()) << "a modeless box stays open after About returns";
  const HWND h = box.hWnd();
  EXPECT_TRUE(IsWindowVisible(h) && GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(WindowTextOf(h), L"About");
  const RECT r = ScreenRectOf(h);
  EXPECT_NEAR(r.left, (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2.0, 1.0);
  EXPECT_NEAR(r.top, (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2.0, 1.0);
  EXPECT_NE(WindowTextOf(box.lblAbout()).find(L"\rVorlux Screen Saver  \u2013  version 3.2.13\r"),
            std::wstring::npos);
  EXPECT_FALSE(box.TimerHide().Enabled()) << "without an interval the box stays";

  // Each link shows in blue, its ink within the band of its line of the text.
  RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  ProcessPendingMessages();
  HDC dc = GetDC(box.lblAbout());
  const HGDIOBJ old =
      SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(box.lblAbout(), WM_GETFONT, 0, 0)));
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(box.lblAbout(), dc);
  for (const auto& [link, caption, line] :
       {std::tuple{box.lblmailto(), L"vorlux@example.org", kEmailPlaceholderLine},
        std::tuple{box.lblweb(), L"https://www.example.org/vorlux/", kWebPlaceholderLine}}) {
    EXPECT_EQ(WindowTextOf(link), caption);
    const RECT lr = ScreenRectOf(link);
    const auto shot = Screenshot::CaptureRect(lr);
    int first = -1, last = -1;
    for (int y = 0; y < shot.Height(); ++y)
      for (int x = 0; x < shot.Width(); ++x)
        if (const uint32_t p = shot.At(x, y);
            (p & 0xFF) > 0x80 && (p >> 16 & 0xFF) < 0x60 && (p >> 8 & 0xFF) < 0x60)
          last = y, first = first < 0 ? y : first;
    const int lineTop = ScreenRectOf(box.lblAbout()).top + line * tm.tmHeight;
    EXPECT_TRUE(first >= 0 && lr.top + first >= lineTop - 2 &&
                lr.top + last <= lineTop + tm.tmHeight + 2)
        << "blue ink of " << caption << " from " << first << " to " << last;
  }

  std::vector<HGDIOBJ> held;  // the fonts and the picture
  for (HWND c : {box.btnOK(), box.Frame1(), box.lblAbout(), box.lblmailto(), box.lblweb()})
    held.push_back(reinterpret_cast<HGDIOBJ>(SendMessageW(c, WM_GETFONT, 0, 0)));
  auto picture = [&] {
    return reinterpret_cast<HGDIOBJ>(SendMessageW(box.imgIcon(), STM_GETIMAGE, IMAGE_BITMAP, 0));
  };
  held.push_back(picture());
  box.About(L"");  // filling the shown box again replaces its picture; the old one goes
  held.push_back(picture());
  EXPECT_EQ(GetObjectType(held[5]), 0u) << "the replaced picture is deleted";
  box.Unload();
  for (size_t k = 0; k < held.size(); ++k)
    EXPECT_TRUE(held[k] && GetObjectType(held[k]) == 0) << "object " << k << " " << held[k];

  box.SetInterval(300);
  const double start = MonotonicSeconds();
  box.About(L"");
  EXPECT_TRUE(WaitUntil([&] { return !box.Loaded(); }, 3000ms)) << "an interval closes the box";
  EXPECT_GE(MonotonicSeconds() - start, 0.28);
}

// Runs inside a modal opening from a timer once the box is on the screen; closes the box by
// force after 5 seconds, as a failure.
struct {
  Box* box;
  std::function<void()> close;
  bool focusOnOK, closedByForce;
  double deadline;
} g_modal;

void CALLBACK DuringModal(HWND, UINT, UINT_PTR id, DWORD) {
  if (MonotonicSeconds() > g_modal.deadline) {
    KillTimer(nullptr, id);
    g_modal.closedByForce = true;
    g_modal.box->Unload();
  } else if (g_modal.box->IsVisible() && !g_modal.focusOnOK) {
    g_modal.focusOnOK = GetFocus() == g_modal.box->btnOK();
    g_modal.close();
  }
}

TEST(AboutBox, ModalAboutReturnsOnlyOnceTheBoxIsClosedByOkEnterOrEsc) {
  Box box;
  for (const std::function<void()>& close : std::initializer_list<std::function<void()>>{
           [&] { SendMessageW(box.btnOK(), BM_CLICK, 0, 0); }, [] { PressKey(VK_RETURN); },
           [] { PressKey(VK_ESCAPE); }}) {
    g_modal = {&box, close, false, false, MonotonicSeconds() + 5};
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, DuringModal);
    box.About(L"");
    KillTimer(nullptr, timer);
    EXPECT_TRUE(g_modal.focusOnOK) << "closed before it had the focus, or never";
    EXPECT_FALSE(g_modal.closedByForce || box.Loaded());
  }
}

}  // namespace
}  // namespace vorlux::test
