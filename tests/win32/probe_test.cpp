// The probe of the settings dialog, on window trees of this process and on a hung dialog of
// another; the saver's list name from its file.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "../../tools/vorlux_settings_host.h"
#include "saver/list_name.win32.h"
#include "saver/probe.win32.h"
#include "vorlux_test.h"

namespace vorlux::test {
namespace {

// The windows are never shown: other tests may be taking screenshots of the same display.
HWND NewWindow(const wchar_t* cls, const std::wstring& title, HWND parent, DWORD style = 0) {
  return CreateWindowW(cls, title.c_str(), (parent ? WS_CHILD | WS_VISIBLE : 0) | style, 0, 0, 300,
                       200, parent, nullptr, nullptr, nullptr);
}

// A drop-down list with the given items and current item (-1: none).
HWND NewList(HWND parent, const std::vector<std::wstring>& items, int current) {
  HWND list = NewWindow(L"ComboBox", L"", parent, CBS_DROPDOWNLIST | WS_VSCROLL);
  for (const std::wstring& item : items)
    SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(current), 0);
  return list;
}

// A top-level dialog window, destroyed with everything in it at the end of the case.
struct Dialog {
  HWND window = NewWindow(L"Static", L"Display Properties", nullptr);
  ~Dialog() { DestroyWindow(window); }
  HWND Page(const std::wstring& title) { return NewWindow(L"#32770", title, window); }
};

const std::vector<std::wstring> kSavers = {L"(None)", L"Blank", L"Vorlux", L"Marquee"};

TEST(Probe, MatchesOnlyTheWholeCurrentItemOfAListOnTheScreenSaverPage) {
  const std::wstring longest = L"Vorlux" + std::wstring(kProbeMaxItemLength - 6, L'x');
  const struct {
    std::wstring page;  // empty: the list is the dialog's own
    std::vector<std::wstring> items;
    int current;
    std::wstring name;
    bool match;
  } cases[] = {
      {L"SCREEN SAVER", kSavers, 2, L"Vorlux", true},
      {L"Display: screen saver settings", {L"VORLUX"}, 0, L"Vorlux", true},
      {L"Screen Saver" + std::wstring(5000, L'-'), kSavers, 2, L"vorlux", true},
      {L"", kSavers, 2, L"Vorlux", true},
      {L"Screen Saver", {longest}, 0, longest, true},
      {L"Screen Saver", {longest + L"x"}, 0, longest + L"x", false},  // too long to be read
      {L"Screen Saver", kSavers, 3, L"Vorlux", false},
      {L"Screen Saver", kSavers, -1, L"Vorlux", false},
      {L"Screen Saver", {}, -1, L"Vorlux", false},
      {L"Screen Saver", {L"Vorlux 2"}, 0, L"Vorlux", false},
      {L"Screen Saver", {L"SSVorlux"}, 0, L"Vorlux", false},
      {L"Screen Saver", {L"Vor"}, 0, L"Vorlux", false},
      {L"Screen Saver", {L""}, 0, L"", false},
  };
  for (const auto& c : cases) {
    Dialog d;
    NewList(c.page.empty() ? d.window : d.Page(c.page), c.items, c.current);
    EXPECT_EQ(IsSaverSelected(d.window, c.name), c.match)
        << c.page.substr(0, 30) << ", " << c.current;
  }
}

TEST(Probe, SearchesEveryListDirectlyOnTheScreenSaverPageOnlyAndAnswersAnyHandle) {
  Dialog d;
  EXPECT_FALSE(IsSaverSelected(d.window, L"Vorlux")) << "no page, no list";
  NewList(d.Page(L"Appearance"), kSavers, 2);  // another page shows the name
  NewList(NewWindow(L"Static", L"Screen Saver", d.window), kSavers, 2);  // a page's title only
  const HWND page = d.Page(L"Screen Saver");
  NewList(d.window, kSavers, 2);  // with a page, the dialog's own list does not count
  NewList(NewWindow(L"Static", L"", page), kSavers, 2);  // nor one inside a control
  EXPECT_FALSE(IsSaverSelected(d.window, L"Vorlux"));
  NewList(page, {L"1 minute", L"10 minutes"}, 1);
  NewList(page, kSavers, 2);  // the second list of the page
  EXPECT_TRUE(IsSaverSelected(d.window, L"Vorlux") && IsSaverSelected(page, L"Vorlux"));
  // No window: the top-level windows are searched (the name is this process's own).
  const std::wstring name = L"Vorlux" + std::to_wstring(GetCurrentProcessId());
  const HWND topPage = NewWindow(L"#32770", L"Screen Saver", nullptr);
  NewList(topPage, {L"Blank", name}, 1);
  EXPECT_TRUE(IsSaverSelected(nullptr, name));
  DestroyWindow(topPage);
  for (HWND w : {HWND{}, topPage, HWND(0x12345678), HWND(-1), HWND_BROADCAST, HWND_MESSAGE,
                 GetDesktopWindow()})
    EXPECT_FALSE(IsSaverSelected(w, name)) << "handle " << w;
}

TEST(Probe, GivesUpOnAHungDialogOfAnotherProcessAfterOneWait) {
  Process p = Process::Start(BuildDir() + L"vorlux_settings_host.exe", L"--no-saver --hidden");
  HWND dialog = nullptr;
  const auto chosen = [&] { return IsSaverSelected(dialog, L"VORLUX"); };
  ASSERT_TRUE(
      WaitUntil([&] { return (dialog = FindWindowW(host::kHostClass, 0)) && chosen(); }, 10s))
      << "the settings host did not start";
  // One unanswered question ends the probe: not one wait per list or per message.
  PostMessageW(dialog, RegisterWindowMessageW(host::kHangMessage), kProbeReplyTimeoutMs + 2000, 0);
  Sleep(200);  // the host is now inside its hang
  const auto t0 = std::chrono::steady_clock::now();
  EXPECT_FALSE(IsSaverSelected(dialog, L"Vorlux"));
  EXPECT_LT(std::chrono::steady_clock::now() - t0, kProbeReplyTimeoutMs * 1ms + 1s);
  EXPECT_TRUE(WaitUntil(chosen, 10s));
  PostMessageW(dialog, WM_CLOSE, 0, 0);
  EXPECT_EQ(p.WaitExit(5s), 0u);
}

TEST(ListName, IsTakenFromTheLongFileNameEvenWhenTheProgramRunsUnderItsShortOne) {
  wchar_t dir[MAX_PATH] = {}, shortPath[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, dir);
  const std::wstring path = std::wstring(dir) + L"SSVorluxLongerName.scr";
  CloseHandle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  const std::wstring shortName(shortPath, GetShortPathNameW(path.c_str(), shortPath, MAX_PATH));
  const std::wstring fromShort = ListNameOfPath(shortName);
  DeleteFileW(path.c_str());
  if (shortName.empty() || shortName == path) GTEST_SKIP() << "this file system has no short names";
  EXPECT_EQ(fromShort, L"VorluxLongerName") << "short path " << shortName;
}

}  // namespace
}  // namespace vorlux::test
