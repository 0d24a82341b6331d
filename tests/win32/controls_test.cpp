// The forms toolkit's controls: lists and options raise their events from code as from the user,
// and option groups end at their container. (Enter and Esc on the default and cancel buttons,
// and the option group's tab stop and arrow keys, are seen in the setup dialog end to end.)
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/form.win32.h"
#include "ui/message_loop.win32.h"

namespace vorlux::test {
namespace {

enum : int { kFrame = 10, kList, kA, kB, kC };
using Events = std::vector<std::wstring>;

class ControlsForm : public Form {
 public:
  Events events;

 protected:
  WindowLayout Layout() const override { return {.dialogKeys = true}; }
  void CreateControls() override {
    using K = ControlKind;
    const auto row = [](int n) { return Twips{100, 100 + 300 * n, 1500, 250}; };
    // clang-format off
    AddControls({
        {.kind = K::kFrame, .id = kFrame, .twips = {100, 2000, 3000, 1500}},
        {.kind = K::kComboList, .id = kList, .twips = row(0), .tabIndex = 4, .container = kFrame},
        {.kind = K::kOptionButton, .id = kC, .twips = row(1), .tabIndex = 5, .container = kFrame},
        {.kind = K::kOptionButton, .id = kA, .twips = row(1), .tabIndex = 1},
        {.kind = K::kOptionButton, .id = kB, .twips = row(2), .tabIndex = 2},
    });
    // clang-format on
    for (int i = 0; i < 3; ++i) AddListItem(kList, std::to_wstring(i));
  }
  void Control_Click(int id) override { events.push_back(L"Click " + std::to_wstring(id)); }
};

TEST(Controls, ListsAndOptionsRaiseClicksFromCodeAsFromTheUserAndAGoneModalFormFreesTheRest) {
  ControlsForm form;
  form.Show();
  // A list: any index from -1 to count - 1 raises the click, others are refused.
  EXPECT_TRUE(form.SetListIndex(kList, 2) && form.SetListIndex(kList, -1));
  EXPECT_FALSE(form.SetListIndex(kList, 3) || form.SetListIndex(kList, -2));
  EXPECT_EQ(form.ListIndex(kList), -1);
  form.SetListIndex(kList, 0);
  SendMessageW(form.Control(kList), WM_KEYDOWN, VK_DOWN, 0);  // a user's pick
  EXPECT_EQ(form.ListIndex(kList), 1);
  EXPECT_EQ(form.events, Events(4, L"Click 11"));
  // Options: a click only when one becomes selected; the group ends at the container.
  form.events.clear();
  form.SetOptionValue(kC, true);
  for (int twice = 0; twice < 2; ++twice) form.SetOptionValue(kA, true);
  SendMessageW(form.Control(kB), BM_CLICK, 0, 0);
  EXPECT_EQ(form.events, (Events{L"Click 14", L"Click 12", L"Click 13"}));
  EXPECT_TRUE(!form.OptionValue(kA) && form.OptionValue(kC)) << "one group per container";
  // A modal form gone other than by unloading gives the others their input back.
  Form modal;
  SetTimer(modal.hWnd(), 1, 100, [](HWND w, UINT, UINT_PTR, DWORD) WINAPI { DestroyWindow(w); });
  modal.Show(true);  // returns once the window is gone
  EXPECT_TRUE(IsWindowEnabled(form.hWnd()));
  form.Unload();
}

}  // namespace
}  // namespace vorlux::test
