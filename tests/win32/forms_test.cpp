// The forms toolkit: loading and unloading, modal showing, twips, the background picture, and
// the events of keys and mouse buttons.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/forms.win32.h"
#include "ui/window_utils.win32.h"
#include "vorlux_test.h"

namespace vorlux::test {
namespace {

class RecordingForm : public Form {
 public:
  std::vector<std::string> events;
  int unloadMode = -1, key = 0, button = 0, shift = -1, x = -1, y = -1;

 protected:
  WindowLayout Layout() const override { return {.clientWidth = 3000, .clientHeight = 1500}; }
  void CreateControls() override { events.push_back("controls"); }
  void Form_Load() override { events.push_back("load"); }
  void Form_QueryUnload(int mode) override {
    events.push_back("query");
    unloadMode = mode;
  }
  void Form_KeyDown(int k, int s) override { key = k, shift = s; }
  void Form_MouseDown(int b, int s, int xTwips, int yTwips) override {
    button = b, shift = s, x = xTwips, y = yTwips;
  }
};

TEST(Forms, LoadsOnceAndTellsTheCloseBoxFromCodeWhenUnloading) {
  RecordingForm f;
  EXPECT_FALSE(f.IsLoaded());
  HWND h = f.hWnd();  // touching the window loads the form, hidden
  EXPECT_FALSE(IsWindowVisible(h));
  EXPECT_EQ(ClassNameOf(h), kFormClassName);
  f.Load();
  EXPECT_EQ(f.events, (std::vector<std::string>{"controls", "load"}));
  f.Unload();
  EXPECT_FALSE(IsWindow(h));
  EXPECT_EQ(f.unloadMode, kUnloadCode);
  f.Unload();  // not loaded: nothing happens
  EXPECT_EQ(f.events.size(), 3u);
  f.Show();  // loads again, with a new Form_Load
  EXPECT_TRUE(f.IsVisible());
  EXPECT_EQ(f.events.back(), "load");
  SendMessageW(f.hWnd(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(f.IsLoaded());
  EXPECT_EQ(f.unloadMode, kUnloadControlMenu);
}

struct {
  RecordingForm* modal;
  HWND owner;
  bool ownerDisabled;
} g_modal;

void CALLBACK UnloadModal(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  g_modal.ownerDisabled = !IsWindowEnabled(g_modal.owner);
  g_modal.modal->Unload();
}

TEST(Forms, ModalShowDisablesTheOtherFormsUntilTheFormIsUnloaded) {
  RecordingForm owner, modal;
  owner.Show();
  g_modal = {&modal, owner.hWnd(), false};
  SetTimer(nullptr, 0, 100, UnloadModal);
  modal.Show(true);
  EXPECT_FALSE(modal.IsLoaded()) << "returns once the form is unloaded";
  EXPECT_TRUE(g_modal.ownerDisabled);
  EXPECT_TRUE(IsWindowEnabled(owner.hWnd())) << "the owner is enabled again";
}

TEST(Forms, PositionSizeAndClientAreaAreInTwips) {
  RecordingForm f;
  const int tx = ScreenTwipsPerPixelX(), ty = ScreenTwipsPerPixelY();
  RECT client;
  GetClientRect(f.hWnd(), &client);
  EXPECT_EQ(client.right, 3000 / tx);
  EXPECT_EQ(client.bottom, 1500 / ty);
  f.Move(100 * tx, 50 * ty, 300 * tx, 200 * ty);
  f.SetTop(10 * ty);
  RECT r;
  GetWindowRect(f.hWnd(), &r);
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.top, 10);
  EXPECT_EQ(r.right - r.left, 300);
  EXPECT_EQ(r.bottom - r.top, 200);
  EXPECT_EQ(f.Top(), 10 * ty);
  EXPECT_EQ(f.Width(), 300 * tx);
}

TEST(Forms, BackgroundPictureIsPaintedUnderEverythingOnEveryRepaint) {
  RecordingForm f;
  SetWindowLongW(f.hWnd(), GWL_STYLE, WS_POPUP);
  SetWindowPos(f.hWnd(), HWND_TOPMOST, 0, 0, 200, 150, SWP_FRAMECHANGED);
  HDC screen = GetDC(nullptr), mem = CreateCompatibleDC(screen);
  const HBITMAP picture = CreateCompatibleBitmap(screen, 100, 150);
  const HGDIOBJ old = SelectObject(mem, picture);
  const RECT all{0, 0, 100, 150};
  FillRect(mem, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  SelectObject(mem, old);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  f.SetBackColor(RGB(0, 0, 255));
  f.SetBackgroundPicture(picture);
  f.Show();
  auto sample = [&] {
    ProcessPendingMessages();
    UpdateWindow(f.hWnd());
    const auto shot = Screenshot::CaptureRect(RECT{0, 0, 200, 150});
    return std::pair{shot.At(50, 75), shot.At(150, 75)};
  };
  const auto expected = std::pair(0u, 0x0000FFu);  // picture left, back colour right
  EXPECT_EQ(sample(), expected);
  HDC dc = GetDC(f.hWnd());  // something drawn over the form goes with the next repaint
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  ReleaseDC(f.hWnd(), dc);
  InvalidateRect(f.hWnd(), nullptr, TRUE);
  EXPECT_EQ(sample(), expected);
  f.Hide();
  f.Show();
  EXPECT_EQ(sample(), expected) << "the picture survives hiding and showing";
  f.Unload();
  DeleteObject(picture);
}

TEST(Forms, KeyAndMouseEventsCarryTheKeyTheButtonThePlaceAndTheModifiers) {
  RecordingForm f;
  const int tx = ScreenTwipsPerPixelX(), ty = ScreenTwipsPerPixelY();
  const struct {
    UINT msg;
    WPARAM wp;
    std::vector<BYTE> held;
    int key, button, shift;
  } cases[] = {
      {WM_KEYDOWN, VK_SHIFT, {VK_SHIFT}, VK_SHIFT, 0, kShiftMask},
      {WM_SYSKEYDOWN, VK_MENU, {VK_MENU, VK_CONTROL}, VK_MENU, 0, kAltMask | kCtrlMask},
      {WM_KEYDOWN, 'K', {}, 'K', 0, 0},
      {WM_LBUTTONDOWN, MK_LBUTTON, {VK_SHIFT, VK_CONTROL}, 0, kLeftButton, kShiftMask | kCtrlMask},
      {WM_RBUTTONDOWN, MK_RBUTTON, {}, 0, kRightButton, 0},
      {WM_MBUTTONDOWN, MK_MBUTTON, {VK_MENU}, 0, kMiddleButton, kAltMask},
  };
  BYTE saved[256];
  GetKeyboardState(saved);
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "message " << c.msg << ", wParam " << c.wp);
    BYTE keys[256] = {};
    for (BYTE k : c.held) keys[k] = 0x80;
    SetKeyboardState(keys);
    f.key = f.button = 0;
    SendMessageW(f.hWnd(), c.msg, c.wp, MAKELPARAM(5, 7));
    EXPECT_EQ(f.key, c.key);
    EXPECT_EQ(f.button, c.button);
    EXPECT_EQ(f.shift, c.shift);
    if (c.button) EXPECT_TRUE(f.x == 5 * tx && f.y == 7 * ty) << f.x << ", " << f.y;
  }
  SetKeyboardState(saved);
  f.Unload();
}

}  // namespace
}  // namespace vorlux::test
