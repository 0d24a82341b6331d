// The forms toolkit's controls: events raised from code as from the user, groups, tab order,
// default and cancel buttons, label mouse events, pointer and underline.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/forms.win32.h"
#include "ui/window_utils.win32.h"

namespace vorlux::test {
namespace {

enum : int { kFrame = 10, kRed, kCheck, kA, kB, kC, kLabel, kOK, kCancel };

class ControlsForm : public Form {
 public:
  std::vector<std::wstring> events;

 protected:
  WindowLayout Layout() const override {
    WindowLayout l;
    l.dialogKeys = true;
    l.defaultButton = kOK;
    l.cancelButton = kCancel;
    return l;
  }
  void CreateControls() override {
    using K = ControlKind;
    const auto row = [](int n) { return Twips{100, 100 + 300 * n, 1500, 250}; };
    // clang-format off
    AddControls({
        {.kind = K::kFrame, .id = kFrame, .twips = {100, 2000, 3000, 1500}},
        {.kind = K::kComboList, .id = kRed, .twips = row(0), .tabIndex = 4, .container = kFrame},
        {.kind = K::kOptionButton, .id = kC, .twips = row(1), .tabIndex = 5, .container = kFrame},
        {.kind = K::kCheckBox, .id = kCheck, .twips = row(0), .tabIndex = 0},
        {.kind = K::kOptionButton, .id = kA, .twips = row(1), .tabIndex = 1},
        {.kind = K::kOptionButton, .id = kB, .twips = row(2), .tabIndex = 2},
        {.kind = K::kLabel, .id = kLabel, .caption = L"Label", .twips = row(3), .font = {L"Arial"}},
        {.kind = K::kPushButton, .id = kOK, .twips = {3300, 100, 1000, 345}, .tabIndex = 10},
        {.kind = K::kPushButton, .id = kCancel, .twips = {3300, 600, 1000, 345}, .tabIndex = 11},
    });
    // clang-format on
    for (int i = 0; i < 3; ++i) AddListItem(kRed, std::to_wstring(i));
  }
  void Control_Click(int id) override { events.push_back(L"Click " + std::to_wstring(id)); }
  void Control_MouseMove(int id, int button, int, int, int) override {
    events.push_back(L"Move " + std::to_wstring(id) + L" " + std::to_wstring(button));
  }
  void Control_MouseDown(int id, int button, int, int, int) override {
    events.push_back(L"Down " + std::to_wstring(id) + L" " + std::to_wstring(button));
  }
};

using Events = std::vector<std::wstring>;

TEST(Controls, ListsAndOptionsRaiseTheirClickFromCodeAsFromTheUser) {
  ControlsForm form;
  form.Show();
  // A list: any index from -1 to count - 1 raises the click, others are refused.
  EXPECT_TRUE(form.SetListIndex(kRed, 2));
  EXPECT_TRUE(form.SetListIndex(kRed, -1));
  EXPECT_FALSE(form.SetListIndex(kRed, 3));
  EXPECT_FALSE(form.SetListIndex(kRed, -2));
  EXPECT_EQ(form.ListIndex(kRed), -1);
  form.SetListIndex(kRed, 0);
  SendMessageW(form.Control(kRed), WM_KEYDOWN, VK_DOWN, 0);  // a user's pick
  EXPECT_EQ(form.ListIndex(kRed), 1);
  EXPECT_EQ(form.events, Events(4, L"Click 11"));
  // Options: a click only when one becomes selected; the group ends at the container.
  form.events.clear();
  form.SetOptionValue(kC, true);
  form.SetOptionValue(kA, true);
  form.SetOptionValue(kA, true);
  SendMessageW(form.Control(kB), BM_CLICK, 0, 0);
  EXPECT_EQ(form.events, (Events{L"Click 15", L"Click 13", L"Click 14"}));
  EXPECT_FALSE(form.OptionValue(kA));
  EXPECT_TRUE(form.OptionValue(kB));
  EXPECT_TRUE(form.OptionValue(kC)) << "another container, another group";
  form.SetCheckValue(kCheck, 1);
  EXPECT_EQ(form.CheckValue(kCheck), 1);
  form.Unload();
}

TEST(Controls, TabOrderFollowsTheIndexAndEnterAndEscPressTheirButtons) {
  ControlsForm form;
  form.Show();
  std::vector<int> order;
  for (HWND w = GetWindow(form.hWnd(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
    order.push_back(GetDlgCtrlID(w));
  // The frame takes the place of the list it holds (tab index 4), after the options.
  EXPECT_EQ(order, (std::vector<int>{kCheck, kA, kB, kFrame, kOK, kCancel, kLabel}));
  for (WORD key : {VK_RETURN, VK_ESCAPE}) {
    SetFocus(form.Control(kCheck));
    PostMessageW(form.Control(kCheck), WM_KEYDOWN, key, 0);
    ProcessPendingMessages();
  }
  EXPECT_EQ(form.events, (Events{L"Click 17", L"Click 18"}));
  form.Unload();
}

TEST(Controls, LabelsReportTheMouseShowTheirPointerAndSwitchUnderlineWithoutLeaks) {
  ControlsForm form;
  form.Show();
  HWND label = form.Control(kLabel);
  SendMessageW(label, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(2, 2));
  SendMessageW(label, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(2, 2));
  EXPECT_EQ(form.events, (Events{L"Move 16 1", L"Down 16 2"}));
  HCURSOR hand = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND));
  form.SetMousePointer(kLabel, hand);
  SendMessageW(label, WM_SETCURSOR, reinterpret_cast<WPARAM>(label), HTCLIENT);
  EXPECT_EQ(GetCursor(), hand);
  auto fontOf = [&] { return reinterpret_cast<HGDIOBJ>(SendMessageW(label, WM_GETFONT, 0, 0)); };
  for (int i = 0; i < 1000; ++i) {
    HGDIOBJ old = fontOf();
    form.SetFontUnderline(kLabel, i % 2 == 0);
    ASSERT_EQ(form.FontUnderline(kLabel), i % 2 == 0);
    ASSERT_EQ(GetObjectType(old), 0u) << "the old font goes at once, " << i;
  }
  HGDIOBJ last = fontOf();
  form.Unload();
  EXPECT_EQ(GetObjectType(last), 0u) << "the label's font goes with the form";
}

}  // namespace
}  // namespace vorlux::test
