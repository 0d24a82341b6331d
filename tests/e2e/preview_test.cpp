// The preview's life across processes: the stand-in settings dialog starts SSVorlux.scr with
// "/p <its preview window>", as Windows does, and the test watches the saver and ActiveSetup.
#include "../../tools/vorlux_settings_host.h"
#include "config/settings_store.h"
#include "vorlux_test.h"

namespace vorlux::test {
namespace {

using PreviewLifecycle = SaverTest;

std::wstring Decimal(HWND window) { return std::to_wstring(int32_t(INT_PTR(window))); }

// The stand-in dialog, kept off the screen, with the saver it started in its preview window.
struct HostedPreview {
  HostedPreview() {
    WaitUntil([&] { return (dialog = FindWindowW(host::kHostClass, nullptr)) && SaverId(); }, 10s);
    page = FindWindowExW(dialog, nullptr, L"#32770", nullptr);
    Follow();
  }
  // A saver that outlives its dialog would hold the instance rule for the next test: the wait
  // gives it time to end by itself, and letting go of it ends it otherwise.
  ~HostedPreview() {
    PostMessageW(dialog, WM_CLOSE, 0, 0);
    saver.WaitExit(5s);
  }
  DWORD SaverId() const { return static_cast<DWORD>(GetWindowLongPtrW(dialog, GWLP_USERDATA)); }
  HWND Preview() const { return GetWindow(FindWindowExW(page, 0, L"Static", 0), GW_CHILD); }
  // Watches the saver the dialog started last, in the preview window it has now.
  void Follow() {
    saver = Process(OpenProcess(PROCESS_ALL_ACCESS, FALSE, SaverId()));
    preview = Preview();
  }
  // The saver runs and has announced its window.
  bool Announced() {
    return preview && saver.Running() &&
           WaitUntil([&] { return ReadSaverSetting(kKeyActiveSetup) == Decimal(preview); }, 10s);
  }

  Process host = Process::Start(BuildDir() + L"vorlux_settings_host.exe", L"--hidden");
  HWND dialog = nullptr, page = nullptr, preview = nullptr;
  Process saver;
};

TEST_F(PreviewLifecycle, RunsAnnouncedWhileChosenAndEndsLeavingZeroWhenTheDialogChanges) {
  for (const bool destroyWindow : {false, true}) {
    SCOPED_TRACE(destroyWindow ? "preview window destroyed" : "another saver chosen");
    HostedPreview h;
    ASSERT_TRUE(h.Announced()) << "ActiveSetup: " << ReadSaverSetting(kKeyActiveSetup);
    // Several engine calls later it is still there: the dialog's choice is read correctly.
    EXPECT_FALSE(h.saver.WaitExit(1000ms));
    if (destroyWindow)
      SendMessageW(h.preview, WM_CLOSE, 0, 0);
    else  // the preview is left alone: the saver must notice the new choice by itself
      SendMessageW(FindWindowExW(h.page, nullptr, L"ComboBox", nullptr), CB_SETCURSEL,
                   host::kItemMarquee, 0);
    // One engine call is a tenth of a second plus its drawing; the rest is room for slowness.
    EXPECT_EQ(h.saver.WaitExit(3s), 0u);
    EXPECT_EQ(ReadSaverSetting(kKeyActiveSetup), L"0");
  }
}

TEST_F(PreviewLifecycle, ASecondPreviewEndsAtOnceAShowGoesAheadAndQuickRestartsLeaveOneRunning) {
  HostedPreview h;
  ASSERT_TRUE(h.Announced());
  // Another window than the running preview's: a second preview that went ahead would announce
  // it, or leave "0" behind.
  EXPECT_EQ(Process::StartSaver(L"/p " + Decimal(h.dialog)).WaitExit(10s), 0u);
  EXPECT_EQ(ReadSaverSetting(kKeyActiveSetup), Decimal(h.preview));
  ASSERT_TRUE(StartShow());
  PressKey(VK_SHIFT);
  EXPECT_TRUE(EndsCleanly());
  EXPECT_EQ(ReadSaverSetting(kKeyActiveSetup), Decimal(h.preview));
  EXPECT_TRUE(h.saver.Running()) << "the preview goes on behind the show";
  std::vector<Process> earlier;
  // Quick restarts by the dialog: each comes while the preview before is inside an engine call.
  for (int i = 0; i < 20; ++i) {
    earlier.push_back(std::move(h.saver));
    PostMessageW(h.dialog, host::kRestartPreview, 0, 0);
    const auto started = [&] {
      return h.Preview() != h.preview && ReadSaverSetting(kKeyActiveSetup) == Decimal(h.Preview());
    };
    ASSERT_TRUE(WaitUntil(started, 5s)) << "restart " << i;
    h.Follow();
  }
  for (Process& p : earlier) EXPECT_EQ(p.WaitExit(1s), 0u) << "an earlier preview still runs";
  EXPECT_TRUE(h.saver.Running());
}

}  // namespace
}  // namespace vorlux::test
