// The preview drawing in a window tree laid out like the settings dialog's, inside the test's
// own process: under Wine one process's drawing does not reach another's window, so this is
// where the preview's pixels can be read.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "ui/forms.win32.h"
#include "app/globals.win32.h"
#include "ui/window_utils.win32.h"
#include "config/settings_store.win32.h"
#include "config/settings_store.h"
#include "engine/animation.win32.h"
#include "saver/preview.win32.h"
#include "vorlux_test.h"

namespace vorlux {
namespace {

constexpr wchar_t kPreviewClass[] = L"VorluxPreviewTestPreview";
constexpr int kW = 152, kH = 112;  // the dialog's preview window
constexpr RECT kAll{0, 0, kW, kH};
constexpr uint32_t kLinePixel = 0xFF0000, kGreenPixel = 0x00FF00;

HWND Child(const wchar_t* cls, HWND parent, RECT r, const wchar_t* title = L"", DWORD style = 0) {
  [[maybe_unused]] static const bool registered = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = kPreviewClass;
    return RegisterClassW(&wc) != 0;
  }();
  const DWORD kind = (parent ? WS_CHILD : WS_POPUP) | WS_VISIBLE | WS_CLIPCHILDREN | style;
  return CreateWindowExW(parent ? 0 : WS_EX_TOPMOST | WS_EX_TOOLWINDOW, cls, title, kind, r.left,
                         r.top, r.right - r.left, r.bottom - r.top, parent, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

// The preview window's pixels as 0x00RRGGBB, taken from the screen: the dialog is top-most.
test::Screenshot Shot(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return test::Screenshot::CaptureRect(r);
}
// The colour at (x, y) or at one of its eight neighbours.
bool Near(const test::Screenshot& p, int x, int y, uint32_t rgb) {
  for (int ny = y - 1; ny <= y + 1; ++ny)
    for (int nx = x - 1; nx <= x + 1; ++nx)
      if (nx >= 0 && ny >= 0 && nx < p.Width() && ny < p.Height() && p.At(nx, ny) == rgb)
        return true;
  return false;
}
int Count(const test::Screenshot& p, uint32_t rgb, RECT r) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) n += p.At(x, y) == rgb;
  return n;
}

// A dialog laid out as the settings dialog: page, monitor picture, the preview window in it, and
// the list of savers with this one chosen. Top-most at the right, the left half of the screen
// stays free for what the preview copies.
struct HostLayout {
  HWND dialog, page, monitor, preview, list;
  HostLayout() {
    const int x = GetSystemMetrics(SM_CXSCREEN) - 300;
    dialog = Child(L"Static", nullptr, {x, 40, x + 280, 340}, L"Display Properties");
    page = Child(L"#32770", dialog, {0, 0, 280, 300}, L"Screen Saver");
    monitor = Child(L"Static", page, {20, 20, 260, 220});
    preview = Child(kPreviewClass, monitor, {20, 20, 20 + kW, 20 + kH});
    list = Child(L"ComboBox", page, {20, 220, 200, 320}, L"", CBS_DROPDOWNLIST);
    for (const wchar_t* item : {L"(None)", L"Vorlux", L"Marquee"})
      SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    SendMessageW(list, CB_SETCURSEL, 1, 0);
    UpdateWindow(dialog);
    ProcessPendingMessages();
  }
  ~HostLayout() { DestroyWindow(dialog); }
};

class PreviewInProcess : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = vorlux::Run();
    RunState& s = vorlux::Run();
    // A title of its own, so the end-to-end tests' ActiveSetup is not touched.
    s.AppTitle = L"Vorlux Preview Test " + std::to_wstring(GetCurrentProcessId());
    s.RunMode = kRunModePreview;
    s.TwipsPerPixelX = ScreenTwipsPerPixelX();
    s.TwipsPerPixelY = ScreenTwipsPerPixelY();
    s.ClearToBlack = true;
    s.UseRandomColors = false;
    s.FixedColor = RGB(255, 0, 0);
    Animation() = AnimationState{};
    Random() = UniformRandom{};
  }
  void TearDown() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, (L"Software\\" + vorlux::Run().AppTitle).c_str());
    vorlux::Run() = saved_;
    Animation() = AnimationState{};
  }
  std::wstring ActiveSetup() {
    return ReadSetting(vorlux::Run().AppTitle, kSettingSection, kKeyActiveSetup, L"(none)");
  }
  void Start(HWND window, const wchar_t* listName = L"Vorlux") {
    preview_ = {.TargetWindow = window, .listName = listName};
    StartPreview(preview_, Animation(), Graphics());
  }
  // Engine calls until `calls` are made or the preview's own test fails; returns the number made.
  // `afterCall` runs after each call, before that test.
  int Animate(int calls, const std::function<void(int)>& afterCall = {}) {
    int made = 0;
    AnimatePreview(preview_, Animation(), Graphics(), [&] {
      ++made;
      if (afterCall) afterCall(made);
      return PreviewGoesOn(preview_) && made < calls;
    });
    return made;
  }

  PreviewState preview_;
  RunState saved_;
};

TEST_F(PreviewInProcess, DrawsMirroredFiguresMovingByThreePixelsInsideItsWindowOnly) {
  HostLayout host;
  Start(host.preview);
  const FigureSet& f = Animation().Figures;
  EXPECT_EQ(preview_.HostDialog, host.dialog);
  EXPECT_EQ(Animation().FrameDelay, 0.1f);
  ASSERT_EQ(WindowFromDC(preview_.drawDC), host.preview);

  // Figure 0 after each call: a call draws it, then moves it diagonally by 3.
  std::vector<RECT> seg;
  auto record = [&](int) {
    seg.push_back({f.LineX1[0][0], f.LineY1[0][0], f.LineX2[0][0], f.LineY2[0][0]});
  };
  EXPECT_EQ(Animate(4, record), 4);
  const auto pixels = Shot(host.preview);
  EndPreview(preview_, Graphics());
  for (size_t i = 1; i < seg.size(); ++i) {
    const RECT &a = seg[i - 1], &b = seg[i];
    const int d = b.left - a.left;
    EXPECT_TRUE(std::abs(d) == 3 && b.top - a.top == d && b.right - a.right == d &&
                b.bottom - a.bottom == d)
        << "call " << i + 1 << " moves figure 0 by " << d;
    EXPECT_TRUE(Near(pixels, (a.left + a.right) / 2, (a.top + a.bottom) / 2, kLinePixel))
        << "segment drawn in call " << i + 1;
  }

  // On black: only lines and black, four-fold symmetric about (76, 56).
  const int drawn = Count(pixels, kLinePixel, kAll);
  EXPECT_GT(drawn, 100);
  EXPECT_EQ(drawn + Count(pixels, 0, kAll), kW * kH);
  int unmatched = 0;
  for (int y = 1; y < kH; ++y)  // row and column 0 have no mirror
    for (int x = 1; x < kW; ++x)
      if (pixels.At(x, y) == kLinePixel &&
          !(Near(pixels, 152 - x, y, kLinePixel) && Near(pixels, x, 112 - y, kLinePixel) &&
            Near(pixels, 152 - x, 112 - y, kLinePixel)))
        ++unmatched;
  EXPECT_LE(unmatched, drawn / 100) << unmatched << " of " << drawn << " pixels without mirror";
}

TEST_F(PreviewInProcess, WithoutBlackTheFirstFrameOfEachCycleShowsTheStretchedScreen) {
  const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  test::ColouredWindow green(RGB(0, 255, 0), {0, 0, sw / 2, sh});
  HostLayout host;
  vorlux::Run().ClearToBlack = false;
  Start(host.preview);
  const int modeBefore = GetStretchBltMode(preview_.drawDC);
  // The left half of the screen is green, so is the left half of the preview.
  const RECT left{2, 2, kW / 2 - 2, kH - 2}, right{kW / 2 + 2, 2, kW - 2, kH - 2};
  const int leftArea = (left.right - left.left) * (left.bottom - left.top);
  auto greenLeft = [&] { return Count(Shot(host.preview), kGreenPixel, left); };

  EXPECT_EQ(Animate(1), 1);
  const auto first = Shot(host.preview);
  EXPECT_GT(Count(first, kGreenPixel, left), leftArea * 9 / 10);
  EXPECT_LT(Count(first, kGreenPixel, right), leftArea / 20);
  EXPECT_GT(Count(first, kLinePixel, kAll), 0) << "the frame is drawn over the picture";
  EXPECT_EQ(GetStretchBltMode(preview_.drawDC), modeBefore) << "the stretch mode is put back";

  // Later calls paint nothing behind the lines; the end of a cycle (its erase phase has run its
  // time out) brings the screen back, unless black was chosen meanwhile.
  FillRect(preview_.drawDC, &kAll, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EXPECT_EQ(Animate(1), 1);
  EXPECT_EQ(greenLeft(), 0);
  for (const bool black : {false, true}) {
    vorlux::Run().ClearToBlack = black;
    Animation().EnginePhase = kPhaseErase;
    Animation().PhaseStartTime = -1000.0f;
    EXPECT_EQ(Animate(1), 1);
    EXPECT_NE(Animation().EnginePhase, kPhaseErase) << "the cycle has ended";
    EXPECT_EQ(greenLeft() > leftArea * 9 / 10, !black) << (black ? "black" : "screen");
  }
  EndPreview(preview_, Graphics());
}

TEST_F(PreviewInProcess, AnnouncesItselfAndEndsInTheCallDuringWhichTheDialogChanged) {
  struct Case {
    const char* what;
    void (*change)(HostLayout&);
  };
  for (const Case& c : {
           Case{"another saver", [](HostLayout& h) { SendMessageW(h.list, CB_SETCURSEL, 2, 0); }},
           Case{"nothing chosen", [](HostLayout& h) { SendMessageW(h.list, CB_SETCURSEL, -1, 0); }},
           Case{"window destroyed", [](HostLayout& h) { DestroyWindow(h.preview); }},
       }) {
    SCOPED_TRACE(c.what);
    HostLayout host;
    const std::wstring announced = std::to_wstring(reinterpret_cast<INT_PTR>(host.preview));
    Start(host.preview, L"VORLUX");  // the list's letter case does not matter
    EXPECT_EQ(ActiveSetup(), announced);
    auto changeInThirdCall = [&](int n) { n == 3 ? c.change(host) : void(); };
    EXPECT_EQ(Animate(100, changeInThirdCall), 3);
    EXPECT_EQ(ActiveSetup(), announced) << "the announcement stays until the end";
    EndPreview(preview_, Graphics());
    EXPECT_EQ(ActiveSetup(), L"0");
  }
}

TEST_F(PreviewInProcess, HandlesThatAreNoPreviewWindowDrawNothingAndEndAfterOneCall) {
  HWND gone = Child(kPreviewClass, nullptr, {0, 0, 10, 10});
  DestroyWindow(gone);
  const HWND desktop = GetDesktopWindow();
  for (const bool black : {true, false}) {
    for (HWND w : {HWND{}, reinterpret_cast<HWND>(12345), gone, reinterpret_cast<HWND>(-1),
                   HWND_BROADCAST, HWND_MESSAGE, desktop,
                   reinterpret_cast<HWND>(reinterpret_cast<UINT_PTR>(desktop) & 0xFFFF)}) {
      SCOPED_TRACE(testing::Message() << "handle " << w << (black ? ", black" : ", desktop"));
      vorlux::Run().ClearToBlack = black;
      Animation() = AnimationState{};
      WriteSetting(vorlux::Run().AppTitle, kSettingSection, kKeyActiveSetup, L"777");
      Start(w);
      EXPECT_EQ(preview_.drawDC, nullptr) << "a device context that is no preview window's";
      EXPECT_EQ(ActiveSetup(), w ? std::to_wstring(reinterpret_cast<INT_PTR>(w)) : L"777");
      EXPECT_EQ(Animate(100), 1);
      EndPreview(preview_, Graphics());
      EXPECT_EQ(ActiveSetup(), L"0");
      EXPECT_EQ(Graphics().CurrentPen.Get(), nullptr) << "the pens are gone";
    }
  }
}

}  // namespace
}  // namespace vorlux
