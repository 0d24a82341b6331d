// The preview drawing in a window tree laid out like the settings dialog's, inside the test's
// own process: under Wine one process's drawing does not reach another's window, so this is
// where the preview's pixels can be read.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/forms.win32.h"
#include "app/globals.win32.h"
#include "config/registry_store.win32.h"
#include "config/settings_store.h"
#include "engine/animation.win32.h"
#include "saver/preview.win32.h"
#include "vorlux_test.h"

namespace vorlux {
namespace {

constexpr wchar_t kDialogClass[] = L"VorluxPreviewTestDialog";
constexpr wchar_t kPreviewClass[] = L"VorluxPreviewTestPreview";
constexpr int kPreviewWidth = 152, kPreviewHeight = 112;
constexpr RECT kPreviewInDialog{40, 40, 40 + kPreviewWidth, 40 + kPreviewHeight};
constexpr COLORREF kLineColor = RGB(255, 0, 0);
constexpr uint32_t kLinePixel = 0xFF0000;  // the same colour as read from a 32-bit DIB
constexpr uint32_t kGreenPixel = 0x00FF00;

void RegisterClasses() {
  static const bool done = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1);
    wc.lpszClassName = kDialogClass;
    RegisterClassW(&wc);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = kPreviewClass;
    RegisterClassW(&wc);
    return true;
  }();
  (void)done;
}

HWND Child(const wchar_t* cls, const wchar_t* title, HWND parent, RECT r, DWORD style = 0) {
  return CreateWindowExW(0, cls, title, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | style, r.left,
                         r.top, r.right - r.left, r.bottom - r.top, parent, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

// Pixels of a window's client area as 0x00RRGGBB, read from its device context.
class Pixels {
 public:
  Pixels(HWND window, RECT r) : width_(r.right - r.left), height_(r.bottom - r.top) {
    HDC src = GetDC(window);
    HDC mem = CreateCompatibleDC(src);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width_;
    bi.bmiHeader.biHeight = -height_;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, dib);
    BitBlt(mem, 0, 0, width_, height_, src, r.left, r.top, SRCCOPY);
    GdiFlush();
    const auto* p = static_cast<const uint32_t*>(bits);
    for (int i = 0; i < width_ * height_; ++i) pixels_.push_back(p[i] & 0xFFFFFF);
    SelectObject(mem, old);
    DeleteObject(dib);
    DeleteDC(mem);
    ReleaseDC(window, src);
  }
  int Width() const { return width_; }
  int Height() const { return height_; }
  uint32_t At(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
  // The colour at (x, y) or at one of its eight neighbours.
  bool Near(int x, int y, uint32_t rgb) const {
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx) {
        const int nx = x + dx, ny = y + dy;
        if (nx >= 0 && ny >= 0 && nx < width_ && ny < height_ && At(nx, ny) == rgb) return true;
      }
    return false;
  }
  int Count(uint32_t rgb, RECT r) const {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += At(x, y) == rgb;
    return n;
  }

 private:
  int width_, height_;
  std::vector<uint32_t> pixels_;
};

// A dialog laid out as the settings dialog: page "Screen Saver" with the list of savers, a
// monitor picture, and in it the 152 by 112 preview window. Shown top-most at the right of
// the screen, so that the left half stays free for what the preview copies.
struct HostLayout {
  HWND dialog = nullptr, page = nullptr, list = nullptr, monitor = nullptr, preview = nullptr;

  HostLayout() {
    RegisterClasses();
    const int x = GetSystemMetrics(SM_CXSCREEN) - 300;
    dialog = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kDialogClass, L"Display Properties",
                             WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, x, 40, 280, 300, nullptr,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
    page = Child(L"#32770", L"Screen Saver", dialog, {0, 0, 280, 300});
    monitor = Child(L"Static", L"", page, {20, 20, 240, 200});
    preview = Child(kPreviewClass, L"", monitor, {20, 20, 20 + kPreviewWidth, 20 + kPreviewHeight});
    list = Child(L"ComboBox", L"", page, {20, 220, 200, 320}, CBS_DROPDOWNLIST);
    for (const wchar_t* item : {L"(None)", L"Vorlux", L"Marquee"})
      SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    SendMessageW(list, CB_SETCURSEL, 1, 0);
    UpdateWindow(dialog);
    Pump();
  }
  ~HostLayout() { DestroyWindow(dialog); }

  Pixels PreviewPixels() const { return Pixels(preview, {0, 0, kPreviewWidth, kPreviewHeight}); }
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
    s.FixedColor = kLineColor;
    s.StopRequested = false;
    Animation() = AnimationState{};
    Random() = UniformRandom{};
    preview_.listName = L"Vorlux";
  }
  void TearDown() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, (L"Software\\" + vorlux::Run().AppTitle).c_str());
    vorlux::Run() = saved_;
    Animation() = AnimationState{};
  }

  std::optional<std::wstring> ActiveSetup() {
    const std::wstring absent(1, L'\x1');
    const std::wstring v =
        ReadSetting(vorlux::Run().AppTitle, kSettingSection, kKeyActiveSetup, absent);
    if (v == absent) return std::nullopt;
    return v;
  }

  // Engine calls until `calls` have been made or the preview's own test fails; returns the
  // number of calls. `afterCall` runs after each call, before the test.
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

struct Segment {
  int32_t x1, y1, x2, y2;
};

Segment FirstSegment() {
  const FigureSet& f = Animation().Figures;
  return {f.LineX1[0][0], f.LineY1[0][0], f.LineX2[0][0], f.LineY2[0][0]};
}

TEST_F(PreviewInProcess, DrawsMirroredFiguresMovingByThreePixelsInsideItsWindowOnly) {
  HostLayout host;
  preview_.TargetWindow = host.preview;
  StartPreview(preview_, Animation(), Graphics());
  EXPECT_EQ(preview_.HostDialog, host.dialog);
  const FigureSet& f = Animation().Figures;
  EXPECT_EQ(f.CenterX, 76);
  EXPECT_EQ(f.CenterY, 56);
  EXPECT_EQ(f.LineStep, 3);
  EXPECT_EQ(f.ArcStep, 3);
  EXPECT_EQ(Animation().FrameDelay, 0.1f);
  ASSERT_NE(preview_.drawDC, nullptr);
  EXPECT_EQ(WindowFromDC(preview_.drawDC), host.preview);

  // Figure 0 where it was drawn in each call: a call draws, then moves.
  std::vector<Segment> after;
  EXPECT_EQ(Animate(4, [&](int) { after.push_back(FirstSegment()); }), 4);
  const Pixels pixels = host.PreviewPixels();
  Pixels whole(host.dialog, {0, 0, 280, 300});
  EndPreview(preview_, Graphics());

  ASSERT_EQ(after.size(), 4u);
  for (size_t i = 1; i < after.size(); ++i) {
    SCOPED_TRACE(testing::Message() << "call " << i + 1);
    const int dx = after[i].x1 - after[i - 1].x1;
    EXPECT_EQ(std::abs(dx), 3);
    EXPECT_EQ(after[i].y1 - after[i - 1].y1, dx) << "copy 0 moves diagonally";
    EXPECT_EQ(after[i].x2 - after[i - 1].x2, dx);
    EXPECT_EQ(after[i].y2 - after[i - 1].y2, dx);
    // The segment of this call was drawn where the previous call left it.
    const Segment& s = after[i - 1];
    EXPECT_TRUE(pixels.Near((s.x1 + s.x2) / 2, (s.y1 + s.y2) / 2, kLinePixel))
        << "no line at the middle of (" << s.x1 << "," << s.y1 << ")-(" << s.x2 << "," << s.y2
        << ")";
  }

  // On black nothing of the screen is copied: there are lines and black, nothing else.
  const RECT all{0, 0, kPreviewWidth, kPreviewHeight};
  const int drawn = pixels.Count(kLinePixel, all);
  EXPECT_GT(drawn, 100);
  EXPECT_EQ(drawn + pixels.Count(0, all), kPreviewWidth * kPreviewHeight);

  // Four-fold mirror symmetry about (76, 56), to a pixel. Row and column 0 have no mirror.
  int unmatched = 0;
  for (int y = 1; y < kPreviewHeight; ++y) {
    for (int x = 1; x < kPreviewWidth; ++x) {
      if (pixels.At(x, y) != kLinePixel) continue;
      const int mx = 2 * 76 - x, my = 2 * 56 - y;
      if (!pixels.Near(mx, y, kLinePixel) || !pixels.Near(x, my, kLinePixel) ||
          !pixels.Near(mx, my, kLinePixel))
        ++unmatched;
    }
  }
  EXPECT_LE(unmatched, drawn / 100) << unmatched << " of " << drawn << " pixels without mirror";

  // Seen from the dialog: the lines are all inside the preview window.
  POINT origin{0, 0};
  MapWindowPoints(host.preview, host.dialog, &origin, 1);
  const RECT inside{origin.x, origin.y, origin.x + kPreviewWidth, origin.y + kPreviewHeight};
  EXPECT_EQ(whole.Count(kLinePixel, inside), drawn);
  EXPECT_EQ(whole.Count(kLinePixel, {0, 0, whole.Width(), whole.Height()}), drawn)
      << "line pixels outside the preview window";
}

TEST_F(PreviewInProcess, CentreIsHalfTheClientAreaRoundedHalfToEven) {
  RegisterClasses();
  struct Case {
    int width, height;
    int32_t centerX, centerY;
  };
  for (const Case c : {Case{152, 112, 76, 56}, Case{151, 111, 76, 56}, Case{153, 113, 76, 56},
                       Case{149, 1, 74, 0}, Case{1, 3, 0, 2}}) {
    SCOPED_TRACE(testing::Message() << c.width << " by " << c.height);
    HWND w = CreateWindowW(kPreviewClass, L"", WS_POPUP, 0, 0, c.width, c.height, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
    PreviewState p;
    p.TargetWindow = w;
    StartPreview(p, Animation(), Graphics());
    EXPECT_EQ(Animation().Figures.CenterX, c.centerX);
    EXPECT_EQ(Animation().Figures.CenterY, c.centerY);
    EndPreview(p, Graphics());
    DestroyWindow(w);
  }
}

TEST_F(PreviewInProcess, WithoutBlackTheFirstFrameOfEachCycleShowsTheStretchedScreen) {
  const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  test::ColouredWindow green(RGB(0, 255, 0), {0, 0, sw / 2, sh});
  HostLayout host;
  Pump();
  vorlux::Run().ClearToBlack = false;
  preview_.TargetWindow = host.preview;
  StartPreview(preview_, Animation(), Graphics());
  const int modeBefore = GetStretchBltMode(preview_.drawDC);

  // The left half of the screen is green, so is the left half of the preview; the right half
  // holds the dialog and the empty desktop.
  const RECT left{2, 2, kPreviewWidth / 2 - 2, kPreviewHeight - 2};
  const RECT right{kPreviewWidth / 2 + 2, 2, kPreviewWidth - 2, kPreviewHeight - 2};
  const int leftArea = (left.right - left.left) * (left.bottom - left.top);
  EXPECT_EQ(Animate(1), 1);
  {
    const Pixels pixels = host.PreviewPixels();
    EXPECT_GT(pixels.Count(kGreenPixel, left), leftArea * 9 / 10);
    EXPECT_LT(pixels.Count(kGreenPixel, right), leftArea / 20);
    EXPECT_GT(pixels.Count(kLinePixel, {0, 0, kPreviewWidth, kPreviewHeight}), 0)
        << "the frame is drawn over the picture";
  }
  EXPECT_EQ(GetStretchBltMode(preview_.drawDC), modeBefore) << "the stretch mode is put back";

  // Later calls paint nothing behind the lines until a cycle ends.
  RECT all{0, 0, kPreviewWidth, kPreviewHeight};
  FillRect(preview_.drawDC, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EXPECT_EQ(Animate(1), 1);
  EXPECT_EQ(host.PreviewPixels().Count(kGreenPixel, left), 0);

  // The end of a cycle: the erase phase has run its time out (the engine's clock starts at 0
  // with each loop). The area goes black and the screen comes back behind the next cycle.
  Animation().EnginePhase = kPhaseErase;
  Animation().PhaseStartTime = -1000.0f;
  EXPECT_EQ(Animate(1), 1);
  EXPECT_NE(Animation().EnginePhase, kPhaseErase) << "the cycle has ended";
  EXPECT_GT(host.PreviewPixels().Count(kGreenPixel, left), leftArea * 9 / 10);

  // On black, the end of a cycle leaves the area black.
  vorlux::Run().ClearToBlack = true;
  Animation().EnginePhase = kPhaseErase;
  Animation().PhaseStartTime = -1000.0f;
  EXPECT_EQ(Animate(1), 1);
  EXPECT_EQ(host.PreviewPixels().Count(kGreenPixel, {0, 0, kPreviewWidth, kPreviewHeight}), 0);
  EndPreview(preview_, Graphics());
}

// Changes the dialog from a timer while the engine runs, as the user would.
struct DelayedChange {
  static inline std::function<void()> change;
  static inline int callsWhenChanged = -1;
  static inline int* calls = nullptr;
  static void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    callsWhenChanged = *calls;
    change();
  }
};

TEST_F(PreviewInProcess, AnnouncesItselfAndEndsInTheCallDuringWhichTheDialogChanged) {
  struct Case {
    const char* what;
    std::function<void(HostLayout&)> change;
  };
  const Case cases[] = {
      {"another saver", [](HostLayout& h) { SendMessageW(h.list, CB_SETCURSEL, 2, 0); }},
      {"nothing chosen", [](HostLayout& h) { SendMessageW(h.list, CB_SETCURSEL, -1, 0); }},
      {"window destroyed", [](HostLayout& h) { DestroyWindow(h.preview); }},
      {"dialog closed", [](HostLayout& h) { DestroyWindow(h.dialog); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    HostLayout host;
    preview_ = PreviewState{};
    preview_.listName = L"VORLUX";  // the list's letter case does not matter
    preview_.TargetWindow = host.preview;
    StartPreview(preview_, Animation(), Graphics());
    EXPECT_EQ(ActiveSetup(), std::to_wstring(reinterpret_cast<INT_PTR>(host.preview)));

    int calls = 0;
    DelayedChange::calls = &calls;
    DelayedChange::callsWhenChanged = -1;
    DelayedChange::change = [&] { c.change(host); };
    SetTimer(nullptr, 0, 350, DelayedChange::Fire);
    AnimatePreview(preview_, Animation(), Graphics(), [&] {
      ++calls;
      return PreviewGoesOn(preview_) && calls < 100;
    });
    EXPECT_GE(DelayedChange::callsWhenChanged, 1) << "the change came during the engine's calls";
    EXPECT_EQ(calls, DelayedChange::callsWhenChanged + 1);
    EXPECT_EQ(ActiveSetup(), std::to_wstring(reinterpret_cast<INT_PTR>(host.preview)))
        << "the announcement stays until the end";
    EndPreview(preview_, Graphics());
    EXPECT_EQ(ActiveSetup(), L"0");
  }
}

TEST_F(PreviewInProcess, ADialogLaidOutOtherwiseEndsItAfterOneCall) {
  HostLayout host;
  // The preview directly on the page: its third ancestor is missing. Two levels deeper: its
  // third ancestor is the monitor picture, which has no list.
  HWND shallow = Child(kPreviewClass, L"", host.page, {0, 0, 50, 50});
  HWND deep = Child(kPreviewClass, L"", Child(kPreviewClass, L"", host.preview, {0, 0, 50, 50}),
                    {0, 0, 20, 20});
  for (HWND w : {shallow, deep}) {
    preview_.TargetWindow = w;
    StartPreview(preview_, Animation(), Graphics());
    EXPECT_EQ(Animate(100), 1);
    EndPreview(preview_, Graphics());
  }
  EXPECT_EQ(ActiveSetup(), L"0");
}

TEST_F(PreviewInProcess, HandlesThatAreNoPreviewWindowDrawNothingAndEndAfterOneCall) {
  HWND gone = CreateWindowW(kPreviewClass, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
  DestroyWindow(gone);
  const HWND desktop = GetDesktopWindow();
  const HWND desktopLowWord = reinterpret_cast<HWND>(reinterpret_cast<UINT_PTR>(desktop) & 0xFFFF);
  for (const bool black : {true, false}) {
    for (HWND w : {HWND{}, reinterpret_cast<HWND>(12345), gone, reinterpret_cast<HWND>(-1),
                   HWND_BROADCAST, HWND_MESSAGE, desktop, desktopLowWord}) {
      SCOPED_TRACE(testing::Message() << "handle " << w << (black ? ", black" : ", desktop"));
      vorlux::Run().ClearToBlack = black;
      Animation() = AnimationState{};
      WriteSetting(vorlux::Run().AppTitle, kSettingSection, kKeyActiveSetup, L"777");
      preview_ = PreviewState{};
      preview_.listName = L"Vorlux";
      preview_.TargetWindow = w;
      StartPreview(preview_, Animation(), Graphics());
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
