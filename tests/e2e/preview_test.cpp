// The preview's life across processes: the stand-in settings dialog starts SSVorlux.scr with
// "/p <its preview window>", as Windows does, and the test watches the saver and ActiveSetup.
#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>

#include "../../tools/vorlux_settings_host.h"
#include "app/bas_vorlux.win32.h"
#include "config/settings_store.h"
#include "vorlux_test.h"

namespace vorlux {
namespace {

using namespace test;
using Clock = std::chrono::steady_clock;

std::wstring Decimal(HWND window) {
  return std::to_wstring(static_cast<int32_t>(reinterpret_cast<INT_PTR>(window)));
}

// The stand-in dialog, kept off the screen, with the saver it started in its preview window.
class HostedPreview {
 public:
  HostedPreview() : host_(Process::Start(BuildDir() + L"vorlux_settings_host.exe", L"--hidden")) {
    WaitUntil(
        [&] {
          for (HWND w : host_.Windows(false))
            if (ClassNameOf(w) == host::kHostClass) dialog_ = w;
          return dialog_ != nullptr;
        },
        10s);
    if (!dialog_) return;
    preview_ = reinterpret_cast<HWND>(Ask(host::kQueryPreview));
    const auto id = static_cast<DWORD>(Ask(host::kQuerySaverProcessId));
    if (id)
      saver_ = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE,
                           FALSE, id);
  }
  ~HostedPreview() {
    if (dialog_) PostMessageW(dialog_, WM_CLOSE, 0, 0);
    host_.WaitExit(5s);
    // A saver that outlives its dialog would hold the instance rule for the next test.
    if (saver_ && !SaverExit(5s)) TerminateProcess(saver_, 9);
    if (saver_) CloseHandle(saver_);
  }
  HostedPreview(const HostedPreview&) = delete;
  HostedPreview& operator=(const HostedPreview&) = delete;

  bool Started() const { return dialog_ && preview_ && saver_; }
  HWND Dialog() const { return dialog_; }
  HWND Preview() const { return preview_; }

  LRESULT Send(const wchar_t* hook, WPARAM wParam = 0) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(dialog_, RegisterWindowMessageW(hook), wParam, 0, SMTO_NORMAL, 5000,
                        &result);
    return static_cast<LRESULT>(result);
  }
  LRESULT Ask(host::Query what) { return Send(host::kQueryMessage, what); }

  // The saver's exit code once it has ended within the timeout.
  std::optional<DWORD> SaverExit(Millis timeout) {
    if (!saver_ ||
        WaitForSingleObject(saver_, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0)
      return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(saver_, &code);
    return code;
  }
  bool SaverRunning() { return saver_ && WaitForSingleObject(saver_, 0) == WAIT_TIMEOUT; }

  // The saver has announced its window.
  bool WaitAnnounced() {
    return WaitUntil([&] { return ReadSaverSetting(kKeyActiveSetup) == Decimal(preview_); }, 10s);
  }

 private:
  Process host_;
  HWND dialog_ = nullptr, preview_ = nullptr;
  HANDLE saver_ = nullptr;
};

class PreviewLifecycle : public ::testing::Test {
 protected:
  void SetUp() override { ClearSaverSettings(); }
  void TearDown() override { ClearSaverSettings(); }
};

// How long a preview may take to notice a change: one engine call is a tenth of a second plus
// its drawing; the rest is room for a slow machine.
constexpr auto kNoticeBound = 3s;

TEST_F(PreviewLifecycle, RunsWhileChosenAndEndsWhenAnotherChoiceIsMade) {
  struct Case {
    const char* what;
    int item;
  };
  for (const Case c : {Case{"another saver", host::kItemMarquee}, Case{"no saver", host::kItemNone},
                       Case{"nothing chosen", -1}}) {
    SCOPED_TRACE(c.what);
    HostedPreview h;
    ASSERT_TRUE(h.Started()) << "the settings host or its saver did not start";
    ASSERT_TRUE(h.WaitAnnounced())
        << "ActiveSetup: " << testing::PrintToString(ReadSaverSetting(kKeyActiveSetup));
    // Several engine calls later it is still there: the dialog's choice is read correctly.
    Sleep(1000);
    EXPECT_TRUE(h.SaverRunning());
    EXPECT_EQ(ReadSaverSetting(kKeyActiveSetup), Decimal(h.Preview()));

    const auto t0 = Clock::now();
    EXPECT_EQ(h.Send(host::kSelectMessage, static_cast<WPARAM>(c.item)), c.item);
    EXPECT_EQ(h.SaverExit(10s), 0u);
    EXPECT_LT(Clock::now() - t0, kNoticeBound);
    EXPECT_EQ(ReadSaverSetting(kKeyActiveSetup), L"0");
    EXPECT_TRUE(IsWindow(h.Preview())) << "the preview window is the dialog's; it stays";
  }
}

TEST_F(PreviewLifecycle, EndsWhenItsWindowGoes) {
  for (const bool closeDialog : {false, true}) {
    SCOPED_TRACE(closeDialog ? "dialog closed" : "preview window destroyed");
    HostedPreview h;
    ASSERT_TRUE(h.Started()) << "the settings host or its saver did not start";
    ASSERT_TRUE(h.WaitAnnounced());
    const auto t0 = Clock::now();
    if (closeDialog) {
      PostMessageW(h.Dialog(), WM_CLOSE, 0, 0);
    } else {
      EXPECT_EQ(h.Send(host::kDestroyPreviewMessage), 1);
    }
    EXPECT_EQ(h.SaverExit(10s), 0u);
    EXPECT_LT(Clock::now() - t0, kNoticeBound);
    EXPECT_FALSE(IsWindow(h.Preview()));
    EXPECT_EQ(ReadSaverSetting(kKeyActiveSetup), L"0");
  }
}

TEST_F(PreviewLifecycle, WithoutAWindowToDrawInItEndsAfterOnePassLeavingZero) {
  HWND gone =
      CreateWindowW(L"Static", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  DestroyWindow(gone);
  ASSERT_FALSE(IsWindow(reinterpret_cast<HWND>(12345)));
  const std::wstring desktop = Decimal(GetDesktopWindow());
  // The desktop is a window, but no dialog around it shows the saver.
  for (const std::wstring& args :
       {std::wstring(L"/P"), std::wstring(L"/P:123"), std::wstring(L"/p 0"),
        std::wstring(L"/p garbage"), std::wstring(L"/p 99999999999"), std::wstring(L"/p -1"),
        std::wstring(L"/p 12345"), L"/p " + Decimal(gone), std::wstring(L"/p 65535"),
        L"/p " + desktop, std::wstring(L"/p ") + std::wstring(5000, L'9')}) {
    SCOPED_TRACE(testing::PrintToString(args.substr(0, 40)));
    WriteSaverSetting(kKeyActiveSetup, L"777");
    const auto t0 = Clock::now();
    Process p = Process::StartSaver(args);
    ASSERT_TRUE(p.Valid());
    EXPECT_EQ(p.WaitExit(10s), 0u);
    EXPECT_LT(Clock::now() - t0, 5s) << "far slower than one pass";
    EXPECT_EQ(ReadSaverSetting(kKeyActiveSetup), L"0");
  }
}

TEST_F(PreviewLifecycle, ASecondPreviewEndsAtOnceAndLeavesTheFirstOneAnnounced) {
  HostedPreview h;
  ASSERT_TRUE(h.Started()) << "the settings host or its saver did not start";
  ASSERT_TRUE(h.WaitAnnounced());
  for (const std::wstring& args :
       {L"/p " + Decimal(h.Preview()), std::wstring(L"/P 123"), std::wstring(L"/p")}) {
    Process second = Process::StartSaver(args);
    EXPECT_EQ(second.WaitExit(10s), 0u) << testing::PrintToString(args);
    EXPECT_EQ(ReadSaverSetting(kKeyActiveSetup), Decimal(h.Preview()))
        << testing::PrintToString(args);
  }
  EXPECT_TRUE(h.SaverRunning());
}

TEST_F(PreviewLifecycle, AShowStartedMeanwhileGoesAheadAndLeavesTheAnnouncement) {
  HostedPreview h;
  ASSERT_TRUE(h.Started()) << "the settings host or its saver did not start";
  ASSERT_TRUE(h.WaitAnnounced());

  Process show = Process::StartSaver(L"/S");
  ASSERT_TRUE(show.Valid());
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  EXPECT_TRUE(WaitUntil(
      [&] {
        for (HWND w : show.Windows()) {
          RECT r{};
          GetWindowRect(w, &r);
          if (r.right - r.left >= screenWidth) return true;
        }
        return false;
      },
      10s))
      << "the show did not cover the screen";
  EXPECT_EQ(ReadSaverSetting(kKeyActiveSetup), Decimal(h.Preview()));
  Sleep(300);  // input sent at once after the window appears is partly lost
  PressKey(VK_SHIFT);
  EXPECT_EQ(show.WaitExit(10s), 0u);
  EXPECT_EQ(ReadSaverSetting(kKeyActiveSetup), Decimal(h.Preview()));
  EXPECT_TRUE(h.SaverRunning()) << "the preview goes on behind the show";
}

}  // namespace
}  // namespace vorlux
