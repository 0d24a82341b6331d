// The setup dialog of the real SSVorlux.scr, driven from outside with clicks and keys as a user
// does: what it shows for stored settings, what OK stores and the other ways out store nothing,
// the colour chooser, the system menu's About, and the settings dialog that asked for it.
#include <cstdio>
#include <map>
#include <sstream>

#include "../../tools/vorlux_settings_host.h"
#include "about/system_menu.win32.h"
#include "setup/setup_window.win32.h"
#include "ui/window_utils.win32.h"
#include "vorlux_test.h"

namespace vorlux::test {
namespace {

constexpr std::wstring_view kKeys[] = {L"ColorFixed", L"ColorRandom", L"BlackScreen", L"MouseMove"};

std::wstring Stored() {
  std::wstring all;
  for (auto key : kKeys) all += (all.empty() ? L"" : L"|") + ReadSaverSetting(key);
  return all;
}

void ClickAt(HWND control) {
  RECT r;
  GetWindowRect(control, &r);
  SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  ClickMouse(MOUSEEVENTF_LEFTDOWN);
  Sleep(250);
}

void Keys(std::initializer_list<WORD> held, WORD key, int times = 1) {
  PressKey(key, held, times);
  Sleep(250);
}

class Setup : public SaverTest {
 protected:
  // Starts the saver with these arguments (none: something else starts it); true once its
  // dialog is up and has settled: input sent before is partly lost.
  bool Open(std::optional<std::wstring_view> args = {}) {
    if (args) saver_ = Process::StartSaver(*args);
    const auto up = [&] { return (dialog_ = FindWindowW(kFormClassName, L"Vorlux Screen Saver")); };
    return WaitUntil(up, 10s) && (Sleep(300), true);
  }
  HWND Item(int id) const {
    const bool inFrame = id > kIdFrame1 && id != IDOK && id != IDCANCEL;
    return GetDlgItem(inFrame ? GetDlgItem(dialog_, kIdFrame1) : dialog_, id);
  }
  int Index(int id) const { return static_cast<int>(SendMessageW(Item(id), CB_GETCURSEL, 0, 0)); }
  bool Checked(int id) const { return SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
  // The option selected (F, R or -), the three lists (" off" when disabled), the swatch's
  // colour, and the switches ticked.
  std::string Shown() const {
    RECT r;
    GetWindowRect(Item(kIdLblColor), &r);
    const char* option = Checked(kIdOptFisso) ? "F" : Checked(kIdOptRandom) ? "R" : "-";
    char text[96];
    std::snprintf(text, sizeof text, "%s %d,%d,%d%s #%06x%s%s", option, Index(kIdCboRed),
                  Index(kIdCboGreen), Index(kIdCboBlue),
                  IsWindowEnabled(Item(kIdCboRed)) ? "" : " off",
                  Screenshot::CaptureRect(r).At((r.right - r.left) / 2, (r.bottom - r.top) / 2),
                  Checked(kIdChkBlack) ? " black" : "", Checked(kIdChkMouse) ? " mouse" : "");
    return text;
  }
  // Carries out steps separated by blanks; "green=N" picks entry N of the list with keys.
  void Do(const std::string& steps) {
    // clang-format off
    const std::map<std::string, std::function<void()>> step = {
        {"random", [&] { ClickAt(Item(kIdOptRandom)); }}, {"fixed", [&] { ClickAt(Item(kIdOptFisso)); }},
        {"black", [] { Keys({VK_MENU}, 'D'); }},           {"mouse", [] { Keys({VK_MENU}, 'M'); }},
        {"ok", [&] { ClickAt(Item(IDOK)); }},              {"cancel", [&] { ClickAt(Item(IDCANCEL)); }},
        {"enter", [] { Keys({}, VK_RETURN); }},            {"esc", [] { Keys({}, VK_ESCAPE); }},
        {"alt+f4", [] { Keys({VK_MENU}, VK_F4); }},        {"closebox", [&] { ClickCloseBox(); }}};
    // clang-format on
    std::istringstream in(steps);
    for (std::string s; in >> s;)
      if (s.starts_with("green="))
        Keys({VK_MENU}, 'G'), Keys({}, VK_HOME), Keys({}, VK_DOWN, std::stoi(s.substr(6)));
      else
        step.at(s)();  // an unknown step throws, which fails the test
  }
  void ClickCloseBox() {
    RECT r;
    GetWindowRect(dialog_, &r);
    const int y = r.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
    int x = r.right - 1;
    while (x > r.left && SendMessageW(dialog_, WM_NCHITTEST, 0, MAKELPARAM(x, y)) != HTCLOSE) --x;
    SetCursorPos(x - 3, y);
    ClickMouse(MOUSEEVENTF_LEFTDOWN);
  }
  HWND dialog_ = nullptr;
};

TEST_F(Setup, ShowsTheStoredChoicesAndOnlyOkStoresWhatItShows) {
  // clang-format off
  const struct {
    const wchar_t* args; const wchar_t* stored[4]; const char *steps, *shown, *end; const wchar_t* after;
  } cases[] = {
      {L"", {}, "", "R -1,-1,-1 off #ffffff black", "esc", nullptr},
      {L"/c:99999999999999999999", {L"10,20,30", L"0"}, "", "F 10,20,30 #0a141e black", "enter",
       L"10,20,30|0|1|0"},
      {L"word", {}, "fixed mouse", "F 0,0,0 #000000 black mouse", "ok", L"0,0,0|0|1|1"},
      // Back to a stored colour: the lists and the switches as stored.
      {L"/C:0", {L"10,20,30", L"0", L"1", L"0"}, "green=99 black random fixed",
       "F 10,20,30 #0a141e black", "cancel", nullptr},
      // A fixed colour beside random colours selects no option: the dialog as it was drawn.
      {L"/C", {L"255,0,0", L"1"}, "", "F -1,-1,-1 #ffffff black", "ok", L"-1,-1,-1|0|1|0"},
      {L"/c:-1", {L"255,0,0", L"1"}, "green=5", "F 0,5,0 #000500 black", "alt+f4", nullptr},
      {L"/c:123", {L"99999999999999999999,x,-5", L"0", L"maybe", L"-1e400000"}, "",
       "F -1,0,-1 #ffffff", "closebox", nullptr},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "case " << &c - cases);
    ClearSaverSettings();
    for (int k = 0; k < 4; ++k)
      if (c.stored[k]) WriteSaverSetting(kKeys[k], c.stored[k]);
    const std::wstring before = Stored();
    ASSERT_TRUE(Open(c.args));
    Do(c.steps);
    EXPECT_EQ(Shown(), c.shown);
    Do(c.end);
    EXPECT_EQ(saver_.WaitExit(5s), 0u);
    EXPECT_EQ(Stored(), c.after ? c.after : before);
  }
}

TEST_F(Setup, TheOptionsAreOneTabStopTheSelectedOneAndTheArrowKeysPickTheOther) {
  const auto focus = [&] {  // and which option is a tab stop, if the two are one group
    GUITHREADINFO info{.cbSize = sizeof info};
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog_, nullptr), &info);
    const auto style = [&](int id) { return GetWindowLongW(Item(id), GWL_STYLE); };
    const bool group = style(kIdOptRandom) & WS_GROUP && !(style(kIdOptFisso) & WS_GROUP) &&
                       style(kIdFrame1) & WS_GROUP;  // the frame is next
    return std::to_string(GetDlgCtrlID(info.hwndFocus)) + (group ? "" : " no group") +
           (style(kIdOptRandom) & WS_TABSTOP ? " R" : "") +
           (style(kIdOptFisso) & WS_TABSTOP ? " F" : "");
  };
  const char *random = "R -1,-1,-1 off #ffffff black", *stored = "F 10,20,30 #0a141e black";
  for (const bool fixed : {true, false}) {
    WriteSaverSetting(L"ColorFixed", fixed ? L"10,20,30" : L"");
    WriteSaverSetting(L"ColorRandom", fixed ? L"0" : L"1");
    ASSERT_TRUE(Open(L"/c"));
    const auto tab = [&](int times) { return Keys({}, VK_TAB, times), focus(); };
    EXPECT_EQ(tab(2), fixed ? "104 F" : "103 R");  // from "&Delete Screen" past "&Mouse ..."
    EXPECT_EQ(tab(1), fixed ? "107 F" : "1 R") << "one stop for the two options";
    Keys({VK_SHIFT}, VK_TAB), Keys({}, fixed ? VK_UP : VK_DOWN);
    EXPECT_EQ(Shown() + " @" + focus(),
              fixed ? random + std::string(" @103 R") : "F 0,0,0 #000000 black @104 F");
    Keys({}, VK_RIGHT);  // round the group and back
    EXPECT_EQ(Shown(), fixed ? stored : random);
    Do("esc");
    EXPECT_EQ(saver_.WaitExit(5s), 0u);
  }
}

TEST_F(Setup, TheSwatchOpensTheChooserAtItsColourAndTheSystemMenuOpensAboutWhoseLinksEndTheRun) {
  WriteSaverSetting(L"ColorRandom", L"0");
  WriteSaverSetting(L"ColorFixed", L"10,20,30");
  const std::wstring before = Stored();
  UseLinkRecorder();
  ASSERT_TRUE(Open(L"-c"));
  // A pick in the colour chooser sets the lists; Cancel leaves them. A custom colour added at
  // one opening is offered again at the next, and a new run starts with the sixteen black.
  const auto chooser = [&] { return FindWindowW(L"#32770", L"Set Color"); };
  const auto open = [&] { return ClickAt(Item(kIdLblColor)), WaitUntil(chooser, 5s); };
  const auto field = [&](int id) { return GetDlgItemInt(chooser(), id, nullptr, FALSE); };
  const auto custom = [&](const std::vector<uint32_t>& expected) {  // once the chooser is drawn
    return WaitUntil(
        [&] {
          RECT r;
          GetWindowRect(GetDlgItem(chooser(), 721), &r);  // the sixteen wells, in two rows
          const Screenshot shot = Screenshot::CaptureRect(r);
          std::vector<uint32_t> wells;
          for (int i = 0; i < 16; ++i)
            wells.push_back(
                shot.At((i % 8 * 2 + 1) * shot.Width() / 16, (i / 8 * 2 + 1) * shot.Height() / 4));
          return wells == expected;
        },
        3s);
  };
  std::vector<uint32_t> black(16, 0), added = black;
  added[0] = 0x010203;
  for (int opening = 0; opening < 3; ++opening) {
    const bool pick = opening == 1;
    const unsigned start = opening < 2 ? 10 : 1;  // 10,20,30 then 1,2,3
    ASSERT_TRUE(open());
    EXPECT_TRUE(field(706) == start && field(707) == 2 * start && field(708) == 3 * start);
    EXPECT_TRUE(custom(opening < 2 ? black : added)) << "a colour added is offered again";
    if (pick) {
      ClickAt(GetDlgItem(chooser(), 719));  // "Define Custom Colors >>" shows the fields
      for (int id : {706, 707, 708}) {
        ClickAt(GetDlgItem(chooser(), id));
        Keys({}, VK_END), Keys({}, VK_BACK, 3), Keys({}, static_cast<WORD>('0' + id - 705));
      }
      ClickAt(GetDlgItem(chooser(), 712));  // "Add to Custom Colors"
    }
    ClickAt(GetDlgItem(chooser(), pick ? IDOK : IDCANCEL));
    ASSERT_TRUE(WaitUntil([&] { return !chooser(); }, 5s));
    EXPECT_EQ(Shown(), opening ? "F 1,2,3 #010203 black" : "F 10,20,30 #0a141e black");
  }
  // The system menu's last entry opens About; the About command restores a minimized dialog.
  const auto about = [] { return IsWindowVisible(FindWindowW(kFormClassName, L"About")); };
  Keys({VK_MENU}, VK_SPACE), Keys({}, VK_END), Keys({}, VK_RETURN);
  ASSERT_TRUE(WaitUntil(about, 5s));
  EXPECT_FALSE(IsWindowEnabled(dialog_));
  Keys({}, VK_RETURN);  // OK
  ASSERT_TRUE(WaitUntil([&] { return !FindWindowW(kFormClassName, L"About"); }, 5s));
  EXPECT_TRUE(IsWindowEnabled(dialog_));
  PostMessageW(dialog_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(WaitUntil([&] { return IsIconic(dialog_); }, 5s));
  PostMessageW(dialog_, WM_SYSCOMMAND, kAboutCommandId, 0);
  ASSERT_TRUE(WaitUntil(about, 5s));
  EXPECT_FALSE(IsIconic(dialog_));
  // A link ends the run as Cancel would: the colour picked is not stored.
  FollowAboutLink(L"https://www.example.org/vorlux/", MOUSEEVENTF_LEFTDOWN,
                  "https://www.example.org/vorlux/\n");
  EXPECT_EQ(saver_.WaitExit(3s), 0u);
  EXPECT_EQ(Stored(), before);
  ASSERT_TRUE(Open(L"-c") && open());
  EXPECT_TRUE(custom(black)) << "a new run starts with the sixteen black";
  Keys({}, VK_ESCAPE), Keys({}, VK_ESCAPE);
  EXPECT_EQ(saver_.WaitExit(5s), 0u);
}

TEST_F(Setup, TheSettingsDialogThatAskedStaysDisabledWhileItIsOpenAndComesBackToTheFront) {
  Process host = Process::Start(BuildDir() + L"vorlux_settings_host.exe", L"--no-preview");
  HWND settings = nullptr, button = nullptr;
  const auto up = [&] {  // the dialog on the screen
    settings = FindWindowW(host::kHostClass, nullptr);
    button = GetDlgItem(FindWindowExW(settings, 0, L"#32770", 0), host::kSettingsButton);
    return button && IsWindowVisible(settings);
  };
  ASSERT_TRUE(WaitUntil(up, 10s));
  PostMessageW(button, BM_CLICK, 0, 0);
  ASSERT_TRUE(Open());
  const auto id = static_cast<DWORD>(GetWindowLongPtrW(button, GWLP_USERDATA));
  saver_ = Process(OpenProcess(PROCESS_ALL_ACCESS, FALSE, id));
  EXPECT_FALSE(IsWindowEnabled(settings));
  // Another window just below the dialog: the one that asked takes the front back all the same.
  const ColouredWindow between(0x808080, {0, 0, 99, 99});
  SetWindowPos(between.hwnd, dialog_, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Do("cancel");
  EXPECT_EQ(saver_.WaitExit(5s), 0u);
  EXPECT_TRUE(IsWindowEnabled(settings) && GetForegroundWindow() == settings);
}

}  // namespace
}  // namespace vorlux::test
