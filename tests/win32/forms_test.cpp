// The forms toolkit: loading and unloading, twips, and modal showing. (Key and mouse events and
// the background picture are seen at work in the full-screen show's end-to-end tests.)
#include <gtest/gtest.h>

#include <string>

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
  WindowLayout Layout() const override { return {.clientWidth = 3000, .clientHeight = 1500}; }
  void CreateControls() override { log += "c"; }
  void Form_Load() override { log += "l"; }
  void Form_QueryUnload(int mode) override { log += "q" + std::to_string(mode); }
};

TEST(Forms, LoadsOnceInTwipsAndTellsTheCloseBoxFromCodeWhenUnloading) {
  RecordingForm f;
  HWND h = f.hWnd();  // touching the window loads the form, hidden
  EXPECT_TRUE(IsWindow(h) && !IsWindowVisible(h) && ClassNameOf(h) == kFormClassName);
  f.Load();
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
  f.Unload();  // not loaded: nothing happens
  EXPECT_FALSE(IsWindow(h));
  f.Show();  // loads again
  EXPECT_TRUE(f.IsVisible());
  SendMessageW(f.hWnd(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(f.IsLoaded());
  const std::string code = std::to_string(kUnloadCode), box = std::to_string(kUnloadControlMenu);
  EXPECT_EQ(f.log, "clq" + code + "clq" + box)
      << "loaded once each time, closed by code, by the box";
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

}  // namespace
}  // namespace vorlux::test
