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
  void Form_QueryUnload(int mode) override { events.push_back("query"), unloadMode = mode; }
  void Form_KeyDown(int k, int s) override { key = k, shift = s; }
  void Form_MouseDown(int b, int s, int xTwips, int yTwips) override {
    button = b, shift = s, x = xTwips, y = yTwips;
  }
};

TEST(Forms, LoadsOnceInTwipsAndTellsTheCloseBoxFromCodeWhenUnloading) {
  RecordingForm f;
  EXPECT_FALSE(f.IsLoaded());
  HWND h = f.hWnd();  // touching the window loads the form, hidden
  EXPECT_FALSE(IsWindowVisible(h));
  EXPECT_EQ(ClassNameOf(h), kFormClassName);
  f.Load();
  EXPECT_EQ(f.events, (std::vector<std::string>{"controls", "load"}));
  const int tx = ScreenTwipsPerPixelX(), ty = ScreenTwipsPerPixelY();
  RECT r;
  GetClientRect(h, &r);
  EXPECT_TRUE(r.right == 3000 / tx && r.bottom == 1500 / ty) << r.right << "x" << r.bottom;
  f.Move(100 * tx, 50 * ty, 300 * tx, 200 * ty);
  f.SetTop(10 * ty);
  GetWindowRect(h, &r);
  EXPECT_TRUE(r.left == 100 && r.top == 10 && r.right == 400 && r.bottom == 210);
  EXPECT_TRUE(f.Top() == 10 * ty && f.Width() == 300 * tx);
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

RecordingForm *g_owner, *g_modal;
bool g_ownerDisabled;
void CALLBACK UnloadModal(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  g_ownerDisabled = !IsWindowEnabled(g_owner->hWnd());
  g_modal->Unload();
}

TEST(Forms, ModalShowDisablesTheOtherFormsUntilTheFormIsUnloaded) {
  RecordingForm owner, modal;
  owner.Show();
  g_owner = &owner, g_modal = &modal, g_ownerDisabled = false;
  SetTimer(nullptr, 0, 100, UnloadModal);
  modal.Show(true);
  EXPECT_FALSE(modal.IsLoaded()) << "returns once the form is unloaded";
  EXPECT_TRUE(g_ownerDisabled);
  EXPECT_TRUE(IsWindowEnabled(owner.hWnd())) << "the owner is enabled again";
}

TEST(Forms, BackgroundPictureIsPaintedUnderEverythingOnEveryRepaint) {
  RecordingForm f;
  SetWindowLongW(f.hWnd(), GWL_STYLE, WS_POPUP);
  SetWindowPos(f.hWnd(), HWND_TOPMOST, 0, 0, 200, 150, SWP_FRAMECHANGED);
  const std::vector<uint32_t> red(100 * 150, 0xFF0000);
  const HBITMAP picture = CreateBitmap(100, 150, 1, 32, red.data());
  f.SetBackColor(RGB(0, 0, 255));
  f.SetBackgroundPicture(picture);
  f.Show();
  auto sample = [&] {
    ProcessPendingMessages();
    UpdateWindow(f.hWnd());
    const auto shot = Screenshot::CaptureRect(RECT{0, 0, 200, 150});
    return std::pair{shot.At(50, 75), shot.At(150, 75)};
  };
  const auto expected = std::pair(0xFF0000u, 0x0000FFu);  // picture left, back colour right
  EXPECT_EQ(sample(), expected);
  HDC dc = GetDC(f.hWnd());  // something drawn over the form goes with the next repaint
  PatBlt(dc, 0, 0, 200, 150, WHITENESS);
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
  const struct {
    UINT msg;
    WPARAM wp;
    std::vector<BYTE> held;
    int key, button, shift;
  } cases[] = {
      {WM_KEYDOWN, VK_SHIFT, {VK_SHIFT}, VK_SHIFT, 0, kShiftMask},
      {WM_SYSKEYDOWN, VK_MENU, {VK_MENU, VK_CONTROL}, VK_MENU, 0, kAltMask | kCtrlMask},
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
    EXPECT_TRUE(f.key == c.key && f.button == c.button && f.shift == c.shift)
        << f.key << " " << f.button << " " << f.shift;
    if (c.button)
      EXPECT_TRUE(f.x == 5 * ScreenTwipsPerPixelX() && f.y == 7 * ScreenTwipsPerPixelY());
  }
  SetKeyboardState(saved);
}

}  // namespace
}  // namespace vorlux::test
