#include "ui/forms.win32.h"

#include <gtest/gtest.h>

#include <vector>

#include "ui/window_utils.win32.h"
#include "vorlux_test.h"

namespace vorlux {
namespace {

class RecordingForm : public Form {
 public:
  std::vector<std::string> events;
  int lastUnloadMode = -1;
  int keyCode = 0, keyShift = -1, button = 0, buttonShift = -1;

 protected:
  WindowLayout Layout() const override {
    WindowLayout s;
    s.clientWidth = 3000;
    s.clientHeight = 1500;
    return s;
  }
  void CreateControls() override { events.push_back("controls"); }
  void Form_Load() override { events.push_back("load"); }
  void Form_QueryUnload(int mode) override {
    events.push_back("query");
    lastUnloadMode = mode;
  }
  void Form_KeyDown(int key, int shift) override {
    keyCode = key;
    keyShift = shift;
  }
  void Form_MouseDown(int b, int shift, int, int) override {
    button = b;
    buttonShift = shift;
  }
};

TEST(Forms, TouchingTheWindowLoadsOnceAndUnloadRunsQueryUnload) {
  RecordingForm f;
  EXPECT_FALSE(f.IsLoaded());
  HWND h = f.hWnd();
  ASSERT_TRUE(IsWindow(h));
  EXPECT_FALSE(IsWindowVisible(h)) << "loading does not show";
  EXPECT_EQ(test::ClassNameOf(h), kFormClassName);
  f.Load();
  f.SetCaption(L"Caption");
  EXPECT_EQ(f.Caption(), L"Caption");
  EXPECT_EQ(f.events, (std::vector<std::string>{"controls", "load"}));

  f.Unload();
  EXPECT_FALSE(f.IsLoaded());
  EXPECT_FALSE(IsWindow(h));
  EXPECT_EQ(f.lastUnloadMode, kUnloadCode);
  f.Unload();  // not loaded: nothing happens
  EXPECT_EQ(f.events.size(), 3u);

  f.Show();  // loads again, with a new Form_Load
  EXPECT_TRUE(f.IsVisible());
  EXPECT_EQ(f.events.back(), "load");
  f.Unload();
}

TEST(Forms, CloseBoxUnloadsWithTheControlMenuMode) {
  RecordingForm f;
  f.Show();
  SendMessageW(f.hWnd(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(f.IsLoaded());
  EXPECT_EQ(f.lastUnloadMode, kUnloadControlMenu);
}

struct ModalCase {
  RecordingForm* modal;
  HWND owner;
  bool ownerDisabledMeanwhile;
} g_modal;

void CALLBACK UnloadModalLater(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  g_modal.ownerDisabledMeanwhile = !IsWindowEnabled(g_modal.owner);
  g_modal.modal->Unload();
}

TEST(Forms, ModalShowReturnsWhenTheFormIsUnloadedAndDisablesTheOthers) {
  RecordingForm owner, modal;
  owner.Show();
  g_modal = {&modal, owner.hWnd(), false};
  SetTimer(nullptr, 0, 100, UnloadModalLater);
  modal.Show(true);
  EXPECT_FALSE(modal.IsLoaded());
  EXPECT_TRUE(g_modal.ownerDisabledMeanwhile);
  EXPECT_TRUE(IsWindowEnabled(owner.hWnd())) << "the owner is enabled again";
  owner.Unload();
}

TEST(Forms, PositionAndSizeInTwips) {
  RecordingForm f;
  const int tpp = ScreenTwipsPerPixelX();
  f.Move(100 * tpp, 50 * tpp, 300 * tpp, 200 * tpp);
  RECT r;
  GetWindowRect(f.hWnd(), &r);
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.top, 50);
  EXPECT_EQ(r.right - r.left, 300);
  EXPECT_EQ(r.bottom - r.top, 200);
  EXPECT_EQ(f.Left(), 100 * tpp);
  EXPECT_EQ(f.Width(), 300 * tpp);
  f.SetTop(10 * tpp);
  EXPECT_EQ(f.Top(), 10 * tpp);
  EXPECT_EQ(f.Width(), 300 * tpp);
  // The client area follows the form's design size in twips.
  RecordingForm g;
  RECT client;
  GetClientRect(g.hWnd(), &client);
  EXPECT_EQ(client.right, 3000 / tpp);
  EXPECT_EQ(client.bottom, 1500 / ScreenTwipsPerPixelY());
}

TEST(Forms, BackgroundPictureIsPaintedUnderEverythingOnRepaint) {
  RecordingForm f;
  f.Move(0, 0, 200 * ScreenTwipsPerPixelX(), 150 * ScreenTwipsPerPixelY());
  SetWindowLongW(f.hWnd(), GWL_STYLE, WS_POPUP);
  SetWindowPos(f.hWnd(), HWND_TOPMOST, 0, 0, 200, 150, SWP_FRAMECHANGED);
  HDC screen = GetDC(nullptr);
  HBITMAP picture = CreateCompatibleBitmap(screen, 100, 150);
  HDC mem = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(mem, picture);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  RECT all{0, 0, 100, 150};
  FillRect(mem, &all, red);
  SelectObject(mem, old);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  f.SetBackColor(RGB(0, 0, 255));
  f.SetBackgroundPicture(picture);
  f.Show();
  auto sample = [&] {
    ProcessPendingMessages();
    UpdateWindow(f.hWnd());
    const auto shot = test::Screenshot::CaptureRect(RECT{0, 0, 200, 150});
    return std::pair{shot.At(50, 75), shot.At(150, 75)};
  };
  EXPECT_EQ(sample(), std::pair(0xFF0000u, 0x0000FFu)) << "picture left, back colour right";
  // Something drawn over the form goes away with the next repaint.
  HDC dc = GetDC(f.hWnd());
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  ReleaseDC(f.hWnd(), dc);
  InvalidateRect(f.hWnd(), nullptr, TRUE);
  EXPECT_EQ(sample().first, 0xFF0000u);
  f.Hide();
  f.Show();
  EXPECT_EQ(sample().first, 0xFF0000u) << "the picture survives hiding and showing";
  f.Unload();
  DeleteObject(picture);
  DeleteObject(red);
}

TEST(Forms, KeyAndMouseEventsCarryTheKeyTheButtonAndTheModifiers) {
  RecordingForm f;
  SendMessageW(f.hWnd(), WM_KEYDOWN, VK_SHIFT, 0);
  EXPECT_EQ(f.keyCode, VK_SHIFT);
  SendMessageW(f.hWnd(), WM_SYSKEYDOWN, VK_MENU, 0);
  EXPECT_EQ(f.keyCode, VK_MENU) << "system keys reach the form too";
  SendMessageW(f.hWnd(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(f.button, kRightButton);
  EXPECT_EQ(f.buttonShift, 0);
  SendMessageW(f.hWnd(), WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(f.button, kMiddleButton);
  f.Unload();
}

}  // namespace
}  // namespace vorlux
