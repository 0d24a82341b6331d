#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "../../tools/vorlux_settings_host.h"
#include "saver/probe.win32.h"
#include "vorlux_test.h"

namespace vorlux {
namespace {

using namespace std::chrono_literals;

// The windows are never shown: other tests may be taking screenshots of the same display.
HWND NewWindow(const wchar_t* cls, const std::wstring& title, HWND parent, DWORD style = 0) {
  const DWORD kind = parent ? WS_CHILD | WS_VISIBLE : WS_OVERLAPPED;
  return CreateWindowExW(0, cls, title.c_str(), kind | style, 0, 0, 300, 200, parent, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
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
constexpr int kVorlux = 2, kBlank = 1;

TEST(Probe, MatchesOnlyTheWholeCurrentItemOfAListOnTheScreenSaverPage) {
  struct Case {
    std::wstring page;  // empty: the list is the dialog's own
    std::vector<std::wstring> items;
    int current;
    const wchar_t* name;
    bool match;
  };
  const Case cases[] = {
      {L"SCREEN SAVER", kSavers, kVorlux, L"Vorlux", true},
      {L"Display: screen saver settings", {L"VORLUX"}, 0, L"Vorlux", true},
      {L"Screen Saver" + std::wstring(5000, L'-'), kSavers, kVorlux, L"vorlux", true},
      {L"", kSavers, kVorlux, L"Vorlux", true},          // no page: the window itself is searched
      {L"Screen Saver", kSavers, 3, L"Vorlux", false},   // another saver chosen
      {L"Screen Saver", kSavers, -1, L"Vorlux", false},  // nothing chosen
      {L"Screen Saver", {}, -1, L"Vorlux", false},       // an empty list
      {L"Screen Saver", {L"Vorlux 2"}, 0, L"Vorlux", false},  // only the start of the item
      {L"Screen Saver", {L"SSVorlux"}, 0, L"Vorlux", false},  // only its end
      {L"Screen Saver", {L"Vor"}, 0, L"Vorlux", false},       // only the start of the name
      {L"Screen Saver", {L""}, 0, L"", false},                // an empty item matches nothing
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "page '" << c.page.substr(0, 30) << "', item " << c.current);
    Dialog d;
    NewList(c.page.empty() ? d.window : d.Page(c.page), c.items, c.current);
    EXPECT_EQ(IsSaverSelected(d.window, c.name), c.match);
  }
}

TEST(Probe, SearchesTheScreenSaverPageOnlyAndEveryListDirectlyOnIt) {
  {
    Dialog d;  // no page, no list; then a page without a list
    EXPECT_FALSE(IsSaverSelected(d.window, L"Vorlux"));
    HWND page = d.Page(L"Screen Saver");
    EXPECT_FALSE(IsSaverSelected(d.window, L"Vorlux"));
    NewList(d.window, kSavers, kVorlux);  // the dialog's own list does not count with a page
    NewList(NewWindow(L"Static", L"", page), kSavers, kVorlux);  // nor one inside a control
    EXPECT_FALSE(IsSaverSelected(d.window, L"Vorlux"));
    NewList(page, {L"1 minute", L"10 minutes"}, 1);
    NewList(page, kSavers, kVorlux);  // the second list of the page
    EXPECT_TRUE(IsSaverSelected(d.window, L"Vorlux"));
    EXPECT_TRUE(IsSaverSelected(page, L"Vorlux")) << "the page itself given";
  }
  {
    Dialog d;  // another page shows the name, a window titled like the page is no page
    NewList(d.Page(L"Appearance"), kSavers, kVorlux);
    NewList(NewWindow(L"Static", L"Screen Saver", d.window), kSavers, kVorlux);
    NewList(d.Page(L"Screen Saver"), kSavers, kBlank);
    EXPECT_FALSE(IsSaverSelected(d.window, L"Vorlux"));
  }
}

// Counts a list's text requests, to see that no text is asked for without room for it.
WNDPROC g_listProc;
int g_reads;
LRESULT CALLBACK CountingProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  g_reads += m == CB_GETLBTEXT;
  return CallWindowProcW(g_listProc, w, m, wp, lp);
}

TEST(Probe, LongItemsAreNeitherReadNorMatched) {
  for (const size_t length : {255u, 256u, 1000u}) {
    SCOPED_TRACE(testing::Message() << "item of " << length << " characters");
    const std::wstring item = L"Vorlux" + std::wstring(length - 6, L'x');
    Dialog d;
    HWND list = NewList(d.Page(L"Screen Saver"), {item}, 0);
    g_reads = 0;
    g_listProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingProc)));
    EXPECT_EQ(IsSaverSelected(d.window, item), length <= 255);
    EXPECT_EQ(g_reads, length <= 255 ? 1 : 0);
    EXPECT_FALSE(IsSaverSelected(d.window, L"Vorlux"));
  }
}

TEST(Probe, AnyWindowHandleIsAnsweredSafelyAndNoneSearchesTheTopLevelWindows) {
  HWND destroyed = NewWindow(L"Static", L"gone", nullptr);
  NewList(destroyed, kSavers, kVorlux);
  DestroyWindow(destroyed);
  for (HWND w : {destroyed, reinterpret_cast<HWND>(0x12345678), reinterpret_cast<HWND>(-1),
                 HWND_BROADCAST, HWND_MESSAGE, GetDesktopWindow()}) {
    EXPECT_FALSE(IsSaverSelected(w, L"NoSaverHasThisName")) << "handle " << w;
  }
  // A name of this process only, so that other tests' windows cannot answer for it.
  const std::wstring name = L"Vorlux" + std::to_wstring(GetCurrentProcessId());
  HWND page = NewWindow(L"#32770", L"Screen Saver", nullptr);
  NewList(page, {L"Blank", name}, 1);
  EXPECT_TRUE(IsSaverSelected(nullptr, name));
  DestroyWindow(page);
  EXPECT_FALSE(IsSaverSelected(nullptr, name));
}

TEST(Probe, ReadsTheStandInDialogOfAnotherProcessAndGivesUpOnAHungOne) {
  test::Process p =
      test::Process::Start(test::BuildDir() + L"vorlux_settings_host.exe", L"--no-saver --hidden");
  HWND dialog = nullptr;
  test::WaitUntil(
      [&] {
        for (HWND w : p.Windows(false))
          if (test::ClassNameOf(w) == host::kHostClass) dialog = w;
        return dialog != nullptr;
      },
      10s);
  ASSERT_NE(dialog, nullptr) << "the settings host did not start";
  auto send = [&](const wchar_t* hook, WPARAM wParam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(dialog, RegisterWindowMessageW(hook), wParam, 0, SMTO_NORMAL, 5000,
                        &result);
    return static_cast<LRESULT>(result);
  };
  // The layout a preview sees: its third ancestor is the dialog.
  HWND preview = reinterpret_cast<HWND>(send(host::kQueryMessage, host::kQueryPreview));
  EXPECT_EQ(GetParent(GetParent(GetParent(preview))), dialog);
  EXPECT_TRUE(IsSaverSelected(dialog, L"VORLUX"));
  EXPECT_EQ(send(host::kSelectMessage, host::kItemMarquee), host::kItemMarquee);
  EXPECT_FALSE(IsSaverSelected(dialog, L"Vorlux"));
  EXPECT_TRUE(IsSaverSelected(dialog, L"Marquee"));
  EXPECT_EQ(send(host::kSelectMessage, host::kItemSaver), host::kItemSaver);

  // One unanswered question ends the probe: not one wait per list or per message.
  PostMessageW(dialog, RegisterWindowMessageW(host::kHangMessage), kProbeReplyTimeoutMs + 2000, 0);
  Sleep(200);  // the host is now inside its hang
  const auto t0 = std::chrono::steady_clock::now();
  EXPECT_FALSE(IsSaverSelected(dialog, L"Vorlux"));
  EXPECT_LT(std::chrono::steady_clock::now() - t0, kProbeReplyTimeoutMs * 1ms + 1s);
  EXPECT_TRUE(test::WaitUntil([&] { return IsSaverSelected(dialog, L"Vorlux"); }, 10s));
  PostMessageW(dialog, WM_CLOSE, 0, 0);
  EXPECT_EQ(p.WaitExit(5s), 0u);
}

TEST(Probe, ListNameIsTheLongFileNameOfTheProgram) {
  EXPECT_EQ(ProgramListName(), L"rlux_win32_tests");
  EXPECT_EQ(ListNameOfPath(L"C:\\nowhere\\SSNoSuch.scr"), L"NoSuch");  // taken as it is
  wchar_t dir[MAX_PATH] = {}, shortPath[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, dir);
  const std::wstring path = std::wstring(dir) + L"SSVorluxLongerName.scr";
  CloseHandle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  const std::wstring shortName(shortPath, GetShortPathNameW(path.c_str(), shortPath, MAX_PATH));
  const std::wstring fromLong = ListNameOfPath(path), fromShort = ListNameOfPath(shortName);
  DeleteFileW(path.c_str());
  EXPECT_EQ(fromLong, L"VorluxLongerName");
  if (shortName.empty() || shortName == path) GTEST_SKIP() << "this file system has no short names";
  EXPECT_EQ(fromShort, L"VorluxLongerName") << "short path " << shortName;
}

}  // namespace
}  // namespace vorlux
