#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "about/about_box.win32.h"
#include "about/about_text.h"
#include "about/about_window.win32.h"
#include "app/globals.win32.h"
#include "ui/window_utils.win32.h"
#include "vorlux_test.h"

namespace vorlux {
namespace {

RECT ScreenRectOf(HWND w) {
  RECT r;
  GetWindowRect(w, &r);
  return r;
}

bool IsTopMost(HWND w) { return GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TOPMOST; }

class AboutBox : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // What Main sets before any job; the pictures come from the program's own file.
    vorlux::Run().AppTitle = kAppTitle;
    vorlux::Run().CopyrightYears = kCopyrightYears;
    static HMODULE program =
        LoadLibraryExW(test::SaverPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    SetResourceModule(program);
  }
};

// A modal opening: `during` runs from a timer once the box is up, and should close it. A second
// timer rescues the test from a box that does not close.
struct ModalRun {
  std::function<void()> during;
  bool ran = false, rescued = false;
  fabout* box = nullptr;
} g_run;

void CALLBACK DuringModal(HWND, UINT, UINT_PTR id, DWORD) {
  if (!g_run.box->IsVisible()) return;  // loading may outlast the timer on a first run
  KillTimer(nullptr, id);
  g_run.ran = true;
  g_run.during();
}

void CALLBACK RescueModal(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  if (!g_run.box->Loaded()) return;
  g_run.rescued = true;
  g_run.box->Unload();
}

void RunModal(fabout& box, const std::function<void()>& open, std::function<void()> during) {
  g_run = {std::move(during), false, false, &box};
  const UINT_PTR t1 = SetTimer(nullptr, 0, 150, DuringModal);
  const UINT_PTR t2 = SetTimer(nullptr, 0, 5000, RescueModal);
  open();
  KillTimer(nullptr, t1);
  KillTimer(nullptr, t2);
  EXPECT_TRUE(g_run.ran) << "the modal opening returned before the box was closed";
  EXPECT_FALSE(g_run.rescued) << "the box did not close";
  EXPECT_FALSE(box.Loaded());
}

TEST_F(AboutBox, ModelessBoxReturnsAtOnceTopMostCentredWithItsTextsAndLinksOnTheirLines) {
  fabout box;
  box.SetModeless(true);
  box.About(L"");
  ASSERT_TRUE(box.Loaded()) << "a modeless box stays open after About returns";
  HWND h = box.hWnd();
  EXPECT_TRUE(IsWindowVisible(h));
  EXPECT_EQ(test::WindowTextOf(h), L"About");
  EXPECT_TRUE(IsTopMost(h));
  const RECT r = ScreenRectOf(h);
  EXPECT_NEAR(r.left, (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2.0, 1.0);
  EXPECT_NEAR(r.top, (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2.0, 1.0);
  EXPECT_NE(
      test::WindowTextOf(box.lblAbout()).find(L"\rVorlux Screen Saver  \u2013  version 3.2.13\r"),
      std::wstring::npos);

  // Each link shows in blue, its ink within the band of its line of the text.
  RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  ProcessPendingMessages();
  HDC dc = GetDC(box.lblAbout());
  HGDIOBJ old =
      SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(box.lblAbout(), WM_GETFONT, 0, 0)));
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(box.lblAbout(), dc);
  const struct {
    HWND link;
    const wchar_t* caption;
    int line;
  } links[] = {{box.lblmailto(), L"vorlux@example.org", kEmailPlaceholderLine},
               {box.lblweb(), L"https://www.example.org/vorlux/", kWebPlaceholderLine}};
  for (const auto& l : links) {
    SCOPED_TRACE(testing::Message() << l.caption);
    EXPECT_TRUE(IsWindowVisible(l.link));
    EXPECT_EQ(test::WindowTextOf(l.link), l.caption);
    const RECT lr = ScreenRectOf(l.link);
    const auto shot = test::Screenshot::CaptureRect(lr);
    int first = -1, last = -1;
    for (int y = 0; y < shot.Height(); ++y)
      for (int x = 0; x < shot.Width(); ++x) {
        const uint32_t p = shot.At(x, y);
        if ((p & 0xFF) > 0x80 && (p >> 16 & 0xFF) < 0x60 && (p >> 8 & 0xFF) < 0x60) {
          if (first < 0) first = y;
          last = y;
        }
      }
    ASSERT_GE(first, 0) << "no blue ink";
    const int lineTop = ScreenRectOf(box.lblAbout()).top + l.line * tm.tmHeight;
    EXPECT_GE(lr.top + first, lineTop - 2);
    EXPECT_LE(lr.top + last, lineTop + tm.tmHeight + 2);
  }

  EXPECT_FALSE(box.TimerHide().Enabled()) << "without an interval the box stays";
  box.Unload();
  EXPECT_FALSE(box.Loaded());
}

TEST_F(AboutBox, WithAnIntervalTheBoxClosesItselfOnce) {
  fabout box;
  box.SetModeless(true);
  box.SetInterval(300);
  const double start = MonotonicSeconds();
  box.About(L"");
  EXPECT_TRUE(box.TimerHide().Enabled());
  HWND h = box.hWnd();
  ASSERT_TRUE(test::WaitUntil([&] { return !box.Loaded(); }, test::Millis(3000)));
  EXPECT_GE(MonotonicSeconds() - start, 0.28);
  EXPECT_FALSE(IsWindow(h));
}

TEST_F(AboutBox, ModalAboutReturnsOnlyOnceTheBoxIsClosed) {
  const std::pair<const char*, std::function<void(fabout&)>> ways[] = {
      {"OK button", [](fabout& b) { SendMessageW(b.btnOK(), BM_CLICK, 0, 0); }},
      {"Enter", [](fabout&) { test::PressKey(VK_RETURN); }},
      {"Esc", [](fabout&) { test::PressKey(VK_ESCAPE); }},
  };
  for (const auto& [name, close] : ways) {
    SCOPED_TRACE(name);
    fabout box;
    bool focusOnOK = false;
    RunModal(
        box, [&] { box.About(L""); },
        [&] {
          focusOnOK = GetFocus() == box.btnOK();
          close(box);
        });
    EXPECT_TRUE(focusOnOK);
  }
}

TEST_F(AboutBox, OpenedFromTheShowItIsTopMostModalOverTheDisabledShowForTenSeconds) {
  // A visible window of the program that stands for the full-screen show.
  HWND show = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100,
                              nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  fabout& box = FormInstance<fabout>();
  bool showDisabled = false, topMost = false, timing = false;
  int32_t interval = 0;
  RunModal(
      box, [] { ShowAboutTimed(true, kAboutBitmapResource, L""); },
      [&] {
        showDisabled = !IsWindowEnabled(show);
        topMost = IsTopMost(box.hWnd());
        timing = box.TimerHide().Enabled();
        interval = box.Interval();
        SendMessageW(box.btnOK(), BM_CLICK, 0, 0);
      });
  EXPECT_TRUE(showDisabled && topMost && timing);
  EXPECT_EQ(interval, 10000);
  EXPECT_TRUE(IsWindowEnabled(show)) << "the show takes input again";
  DestroyWindow(show);
}

TEST_F(AboutBox, OpeningAndClosingLeavesNoFontOrPictureBehind) {
  fabout box;
  box.SetModeless(true);
  for (int i = 0; i < 10; ++i) {
    box.About(L"");
    std::vector<HGDIOBJ> held;
    for (HWND c : {box.btnOK(), box.Frame1(), box.lblAbout(), box.lblmailto(), box.lblweb()})
      held.push_back(reinterpret_cast<HGDIOBJ>(SendMessageW(c, WM_GETFONT, 0, 0)));
    auto picture = [&] {
      return reinterpret_cast<HGDIOBJ>(SendMessageW(box.imgIcon(), STM_GETIMAGE, IMAGE_BITMAP, 0));
    };
    held.push_back(picture());
    box.About(L"");  // filling the shown box again replaces its picture; the old one goes
    held.push_back(picture());
    for (HGDIOBJ o : held) ASSERT_NE(o, nullptr);
    EXPECT_EQ(GetObjectType(held[5]), 0u) << "the replaced picture is deleted";
    box.Unload();
    for (size_t k = 0; k < held.size(); ++k)
      ASSERT_EQ(GetObjectType(held[k]), 0u) << "object " << k << " of opening " << i;
  }
}

}  // namespace
}  // namespace vorlux
