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

constexpr wchar_t kDialogClass[] = L"VorluxProbeTestDialog";

// The windows are never shown: other tests may be taking screenshots of the same display.
HWND NewWindow(const wchar_t* cls, const std::wstring& title, HWND parent, DWORD style = 0) {
  static const bool registered = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kDialogClass;
    return RegisterClassW(&wc) != 0;
  }();
  (void)registered;
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

// A top-level dialog window, destroyed with everything in it at the end of the test.
struct Dialog {
  HWND window = NewWindow(kDialogClass, L"Display Properties", nullptr);
  ~Dialog() { DestroyWindow(window); }
  HWND AddPage(const std::wstring& title) { return NewWindow(L"#32770", title, window); }
};

const std::vector<std::wstring> kSavers = {L"(None)", L"Blank", L"Vorlux", L"Marquee"};
constexpr int kVorluxItem = 2;

TEST(ProbeLayout, FindsThePageAndTheItemWhateverTheirLetterCase) {
  for (const wchar_t* title :
       {L"Screen Saver", L"SCREEN SAVER", L"screen saver", L"Display: Screen saver settings"}) {
    for (const wchar_t* item : {L"Vorlux", L"VORLUX", L"vorlux"}) {
      SCOPED_TRACE(testing::Message() << "page '" << title << "', item '" << item << "'");
      Dialog d;
      NewList(d.AddPage(title), {L"(None)", item}, 1);
      EXPECT_TRUE(IsSaverSelected(d.window, L"Vorlux"));
      EXPECT_TRUE(IsSaverSelected(d.window, L"VoRLuX"));
    }
  }
}

TEST(ProbeLayout, OnlyTheWholeCurrentItemOfTheSaverListMatches) {
  struct Case {
    std::vector<std::wstring> items;
    int current;
    const wchar_t* name;
  };
  const Case cases[] = {
      {kSavers, 3, L"Vorlux"},        // another saver chosen
      {kSavers, -1, L"Vorlux"},       // nothing chosen
      {{}, -1, L"Vorlux"},            // an empty list
      {kSavers, 0, L"Vorlux"},        // the name is in the list but not chosen
      {{L"Vorlux 2"}, 0, L"Vorlux"},  // the item only starts with the name
      {{L"SSVorlux"}, 0, L"Vorlux"},  // the item only ends with the name
      {{L"Vor"}, 0, L"Vorlux"},       // the item is the start of the name
      {{L""}, 0, L""},                // an empty item matches nothing, not even ""
      {{L"Vorlux"}, 0, L""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "current " << c.current << ", name '" << c.name << "'");
    Dialog d;
    NewList(d.AddPage(L"Screen Saver"), c.items, c.current);
    EXPECT_FALSE(IsSaverSelected(d.window, c.name));
  }
}

TEST(ProbeLayout, EveryListDirectlyOnThePageIsAsked) {
  Dialog d;
  HWND page = d.AddPage(L"Screen Saver");
  NewList(page, {L"1 minute", L"10 minutes"}, 1);
  EXPECT_FALSE(IsSaverSelected(d.window, L"Vorlux"));
  NewList(page, kSavers, kVorluxItem);
  EXPECT_TRUE(IsSaverSelected(d.window, L"Vorlux"));

  // A list inside another control of the page is not on the page.
  Dialog nested;
  HWND box = NewWindow(L"Static", L"", nested.AddPage(L"Screen Saver"));
  NewList(box, kSavers, kVorluxItem);
  EXPECT_FALSE(IsSaverSelected(nested.window, L"Vorlux"));
}

TEST(ProbeLayout, OnlyTheScreenSaverPageIsSearched) {
  {
    // The first page showing the name is not the screen-saver page.
    Dialog d;
    NewList(d.AddPage(L"Appearance"), kSavers, kVorluxItem);
    NewList(d.AddPage(L"Screen Saver"), kSavers, 1);
    EXPECT_FALSE(IsSaverSelected(d.window, L"Vorlux"));
  }
  {
    Dialog d;
    NewList(d.AddPage(L"Appearance"), kSavers, 1);
    NewList(d.AddPage(L"Screen Saver"), kSavers, kVorluxItem);
    EXPECT_TRUE(IsSaverSelected(d.window, L"Vorlux"));
  }
  {
    // With a page found, lists of the dialog itself do not count.
    Dialog d;
    d.AddPage(L"Screen Saver");
    NewList(d.window, kSavers, kVorluxItem);
    EXPECT_FALSE(IsSaverSelected(d.window, L"Vorlux"));
  }
  {
    // A window titled like the page but of another class is no page.
    Dialog d;
    NewList(NewWindow(L"Static", L"Screen Saver", d.window), kSavers, kVorluxItem);
    EXPECT_FALSE(IsSaverSelected(d.window, L"Vorlux"));
  }
}

TEST(ProbeLayout, WithoutAScreenSaverPageTheWindowItselfIsThePage) {
  {
    Dialog d;
    NewList(d.window, kSavers, kVorluxItem);
    EXPECT_TRUE(IsSaverSelected(d.window, L"Vorlux"));
  }
  {
    Dialog d;
    NewList(d.AddPage(L"Settings"), kSavers, 1);
    NewList(d.window, kSavers, kVorluxItem);
    EXPECT_TRUE(IsSaverSelected(d.window, L"Vorlux"));
  }
  {
    // The page may also be given directly, as when the preview's ancestry is one level short.
    Dialog d;
    HWND page = d.AddPage(L"Screen Saver");
    NewList(page, kSavers, kVorluxItem);
    EXPECT_TRUE(IsSaverSelected(page, L"Vorlux"));
  }
  {
    Dialog d;  // no page, no list
    EXPECT_FALSE(IsSaverSelected(d.window, L"Vorlux"));
    d.AddPage(L"Screen Saver");  // a page without a list
    EXPECT_FALSE(IsSaverSelected(d.window, L"Vorlux"));
  }
}

// Counts the text requests a list receives, to see that the probe never asks for a text it
// has no room for.
struct TextRequests {
  static inline WNDPROC original = nullptr;
  static inline int count = 0;
  static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == CB_GETLBTEXT) ++count;
    return CallWindowProcW(original, w, m, wp, lp);
  }
  explicit TextRequests(HWND list) {
    count = 0;
    original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc)));
  }
};

TEST(ProbeBadInput, LongItemsAreNotReadAndDoNotMatch) {
  struct Case {
    size_t length;
    bool readAndMatched;
  };
  for (const Case c : {Case{254, true}, Case{255, true}, Case{256, false}, Case{1000, false},
                       Case{100000, false}}) {
    SCOPED_TRACE(testing::Message() << "item of " << c.length << " characters");
    const std::wstring item = L"Vorlux" + std::wstring(c.length - 6, L'x');
    Dialog d;
    HWND list = NewList(d.AddPage(L"Screen Saver"), {item}, 0);
    ASSERT_EQ(SendMessageW(list, CB_GETLBTEXTLEN, 0, 0), static_cast<LRESULT>(c.length));
    TextRequests requests(list);
    EXPECT_EQ(IsSaverSelected(d.window, item), c.readAndMatched);
    EXPECT_EQ(requests.count, c.readAndMatched ? 1 : 0);
    EXPECT_FALSE(IsSaverSelected(d.window, L"Vorlux"));
  }
}

TEST(ProbeBadInput, LongPageTitlesAreReadUpToTheirFirst255Characters) {
  const std::wstring filler(5000, L'-');
  {
    Dialog d;
    NewList(d.AddPage(L"Screen Saver" + filler), kSavers, kVorluxItem);
    EXPECT_TRUE(IsSaverSelected(d.window, L"Vorlux"));
  }
  {
    Dialog d;
    NewList(d.AddPage(std::wstring(243, L'-') + L"Screen Saver"), kSavers, kVorluxItem);
    EXPECT_TRUE(IsSaverSelected(d.window, L"Vorlux"));
  }
  {
    // The title's end lies beyond the buffer: no page, and the dialog has no list of its own.
    Dialog d;
    NewList(d.AddPage(std::wstring(244, L'-') + L"Screen Saver"), kSavers, kVorluxItem);
    EXPECT_FALSE(IsSaverSelected(d.window, L"Vorlux"));
  }
}

TEST(ProbeBadInput, AnyWindowHandleIsAnsweredSafely) {
  HWND destroyed = NewWindow(kDialogClass, L"gone", nullptr);
  NewList(destroyed, kSavers, kVorluxItem);
  DestroyWindow(destroyed);
  // A name that no list of this or any other test shows, so only a fault could match it.
  const std::wstring name = L"NoSaverHasThisName";
  for (HWND w : {destroyed, reinterpret_cast<HWND>(1), reinterpret_cast<HWND>(0x12345678),
                 reinterpret_cast<HWND>(~static_cast<UINT_PTR>(0)), HWND_BROADCAST, HWND_MESSAGE,
                 HWND_NOTOPMOST, GetDesktopWindow()}) {
    SCOPED_TRACE(testing::Message() << "handle " << w);
    EXPECT_FALSE(IsSaverSelected(w, name));
  }
  // A destroyed dialog whose page and list are gone too.
  EXPECT_FALSE(IsSaverSelected(destroyed, L"Vorlux"));
}

TEST(ProbeTopLevel, NoWindowMeansTheTopLevelWindowsAreSearched) {
  // A name of this process only, so that other tests' windows cannot answer for it.
  const std::wstring name = L"Vorlux" + std::to_wstring(GetCurrentProcessId());
  HWND page = NewWindow(L"#32770", L"Screen Saver", nullptr);
  ASSERT_NE(page, nullptr);
  NewList(page, {L"Blank", name}, 1);
  EXPECT_TRUE(IsSaverSelected(nullptr, name));
  DestroyWindow(page);
  EXPECT_FALSE(IsSaverSelected(nullptr, name));
}

// The stand-in settings dialog, run as its own process.
class SettingsHost {
 public:
  explicit SettingsHost(std::wstring_view arguments)
      : process_(test::Process::Start(test::BuildDir() + L"vorlux_settings_host.exe",
                                      std::wstring(arguments) + L" --no-saver --hidden")) {
    test::WaitUntil(
        [&] {
          for (HWND w : process_.Windows(false))
            if (test::ClassNameOf(w) == host::kHostClass) dialog_ = w;
          return dialog_ != nullptr;
        },
        10s);
  }
  ~SettingsHost() {
    if (dialog_) PostMessageW(dialog_, WM_CLOSE, 0, 0);
    process_.WaitExit(5s);
  }
  HWND Dialog() const { return dialog_; }
  test::Process& Process() { return process_; }
  LRESULT Send(const wchar_t* hook, WPARAM wParam = 0) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(dialog_, RegisterWindowMessageW(hook), wParam, 0, SMTO_NORMAL, 5000,
                        &result);
    return static_cast<LRESULT>(result);
  }
  LRESULT Select(int item) { return Send(host::kSelectMessage, static_cast<WPARAM>(item)); }

 private:
  test::Process process_;
  HWND dialog_ = nullptr;
};

TEST(ProbeOtherProcess, ReadsTheSettingsDialogOfAnotherProcess) {
  SettingsHost h(L"");
  ASSERT_NE(h.Dialog(), nullptr) << "the settings host did not start";

  // The layout a preview sees: its third ancestor is the dialog.
  HWND preview = reinterpret_cast<HWND>(h.Send(host::kQueryMessage, host::kQueryPreview));
  ASSERT_TRUE(IsWindow(preview));
  const HWND third = GetParent(GetParent(GetParent(preview)));
  EXPECT_EQ(third, h.Dialog());

  EXPECT_TRUE(IsSaverSelected(third, L"Vorlux"));
  EXPECT_TRUE(IsSaverSelected(third, L"VORLUX"));
  EXPECT_FALSE(IsSaverSelected(third, L"Marquee"));

  EXPECT_EQ(h.Select(host::kItemMarquee), host::kItemMarquee);
  EXPECT_FALSE(IsSaverSelected(third, L"Vorlux"));
  EXPECT_TRUE(IsSaverSelected(third, L"Marquee"));
  EXPECT_EQ(h.Select(-1), -1);
  EXPECT_FALSE(IsSaverSelected(third, L"Vorlux"));
  EXPECT_EQ(h.Select(host::kItemSaver), host::kItemSaver);
  EXPECT_TRUE(IsSaverSelected(third, L"Vorlux"));

  // Closing the dialog ends the host and takes the preview window along.
  preview = reinterpret_cast<HWND>(h.Send(host::kQueryMessage, host::kQueryPreview));
  EXPECT_EQ(GetParent(GetParent(GetParent(preview))), third);
  PostMessageW(h.Dialog(), WM_CLOSE, 0, 0);
  EXPECT_EQ(h.Process().WaitExit(5s), 0u);
  EXPECT_FALSE(IsWindow(preview));
  EXPECT_FALSE(IsSaverSelected(third, L"Vorlux"));
}

TEST(ProbeOtherProcess, ADialogThatDoesNotAnswerCountsAsNotShowingTheSaver) {
  SettingsHost h(L"");
  ASSERT_NE(h.Dialog(), nullptr) << "the settings host did not start";
  EXPECT_TRUE(IsSaverSelected(h.Dialog(), L"Vorlux"));

  const DWORD hungMs = kProbeReplyTimeoutMs + 2000;
  PostMessageW(h.Dialog(), RegisterWindowMessageW(host::kHangMessage), hungMs, 0);
  Sleep(200);  // the host is now inside its hang
  const auto t0 = std::chrono::steady_clock::now();
  EXPECT_FALSE(IsSaverSelected(h.Dialog(), L"Vorlux"));
  const auto took = std::chrono::steady_clock::now() - t0;
  // One unanswered question ends the probe: not one wait per list or per message.
  EXPECT_LT(took, std::chrono::milliseconds(kProbeReplyTimeoutMs) + 1000ms);

  // Once the dialog answers again, so does the probe.
  EXPECT_TRUE(test::WaitUntil([&] { return IsSaverSelected(h.Dialog(), L"Vorlux"); }, 10s));
}

TEST(ProbeOtherProcess, LongItemsOfAnotherProcessAreNotReadAndDoNotMatch) {
  const std::wstring exact = L"Vorlux" + std::wstring(249, L'x');  // 255 characters
  const std::wstring longer = exact + L"y";
  const std::wstring huge = L"Vorlux" + std::wstring(4000, L'z');
  SettingsHost h(L"--add-item " + exact + L" --add-item " + longer + L" --add-item " + huge);
  ASSERT_NE(h.Dialog(), nullptr) << "the settings host did not start";

  EXPECT_EQ(h.Select(host::kItemExtra), host::kItemExtra);
  EXPECT_TRUE(IsSaverSelected(h.Dialog(), exact));
  EXPECT_EQ(h.Select(host::kItemExtra + 1), host::kItemExtra + 1);
  EXPECT_FALSE(IsSaverSelected(h.Dialog(), longer));
  EXPECT_FALSE(IsSaverSelected(h.Dialog(), exact));
  EXPECT_EQ(h.Select(host::kItemExtra + 2), host::kItemExtra + 2);
  EXPECT_FALSE(IsSaverSelected(h.Dialog(), huge));
  EXPECT_FALSE(IsSaverSelected(h.Dialog(), L"Vorlux"));
  // The host is still well and answering.
  EXPECT_EQ(h.Select(host::kItemSaver), host::kItemSaver);
  EXPECT_TRUE(IsSaverSelected(h.Dialog(), L"Vorlux"));
}

TEST(ProbeListName, IsTakenFromTheProgramsFileName) {
  EXPECT_EQ(ProgramListName(), L"rlux_win32_tests");
  // A path that does not exist is taken as it is.
  EXPECT_EQ(ListNameOfPath(L"C:\\nowhere\\SSNoSuch.scr"), L"NoSuch");
  EXPECT_EQ(ListNameOfPath(L""), L"");
}

TEST(ProbeListName, ShortPathsGiveTheLongName) {
  wchar_t dir[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, dir);
  const std::wstring path = std::wstring(dir) + L"SSVorluxLongerName.scr";
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  CloseHandle(file);
  wchar_t shortPath[MAX_PATH] = {};
  const std::wstring shortName(shortPath, GetShortPathNameW(path.c_str(), shortPath, MAX_PATH));
  const std::wstring fromLong = ListNameOfPath(path), fromShort = ListNameOfPath(shortName);
  DeleteFileW(path.c_str());
  EXPECT_EQ(fromLong, L"VorluxLongerName");
  if (shortName.empty() || shortName == path) GTEST_SKIP() << "this file system has no short names";
  EXPECT_EQ(fromShort, L"VorluxLongerName") << "short path " << shortName;
}

}  // namespace
}  // namespace vorlux
