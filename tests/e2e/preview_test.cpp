// The preview's life across processes: the stand-in settings dialog starts SSVorlux.scr with
// "/p <its preview window>", as Windows does, and the test watches the saver and ActiveSetup.
#include <gtest/gtest.h>

#include "../../tools/vorlux_settings_host.h"
#include "config/settings_store.h"
#include "vorlux_test.h"

namespace vorlux::test {
namespace {

using PreviewLifecycle = SaverTest;

std::wstring Decimal(HWND window) {
  return std::to_wstring(static_cast<int32_t>(reinterpret_cast<INT_PTR>(window)));
}

// The stand-in dialog, kept off the screen, with the saver it started in its preview window.
struct HostedPreview {
  HostedPreview() {
    WaitUntil([&] { return (dialog = FindWindowW(host::kHostClass, nullptr)) != nullptr; }, 10s);
    preview = reinterpret_cast<HWND>(Send(host::kQueryMessage, host::kQueryPreview));
    saver =
        Process::Open(static_cast<DWORD>(Send(host::kQueryMessage, host::kQuerySaverProcessId)));
  }
  ~HostedPreview() {
    PostMessageW(dialog, WM_CLOSE, 0, 0);
    host.WaitExit(5s);
    // A saver that outlives its dialog would hold the instance rule for the next test: the
    // wait gives it time to end by itself, and letting go of it ends it otherwise.
    saver.WaitExit(5s);
  }
  // The saver has started and announced its window.
  bool Announced() {
    return preview && saver.Running() &&
           WaitUntil([&] { return ReadSaverSetting(kKeyActiveSetup) == Decimal(preview); }, 10s);
  }
  LRESULT Send(const wchar_t* hook, WPARAM wParam = 0) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(dialog, RegisterWindowMessageW(hook), wParam, 0, SMTO_NORMAL, 5000,
                        &result);
    return static_cast<LRESULT>(result);
  }

  Process host = Process::Start(BuildDir() + L"vorlux_settings_host.exe", L"--hidden");
  HWND dialog = nullptr, preview = nullptr;
  Process saver;
};

TEST_F(PreviewLifecycle, RunsAnnouncedWhileChosenAndEndsLeavingZeroWhenTheDialogChanges) {
  for (const bool destroyWindow : {false, true}) {
    SCOPED_TRACE(destroyWindow ? "preview window destroyed" : "another saver chosen");
    HostedPreview h;
    ASSERT_TRUE(h.Announced()) << "ActiveSetup: " << ReadSaverSetting(kKeyActiveSetup);
    // Several engine calls later it is still there: the dialog's choice is read correctly.
    EXPECT_FALSE(h.saver.WaitExit(1000ms));
    EXPECT_EQ(ReadSaverSetting(kKeyActiveSetup), Decimal(h.preview));

    if (destroyWindow)
      EXPECT_EQ(h.Send(host::kDestroyPreviewMessage), 1);
    else
      EXPECT_EQ(h.Send(host::kSelectMessage, host::kItemMarquee), host::kItemMarquee);
    // One engine call is a tenth of a second plus its drawing; the rest is room for slowness.
    EXPECT_EQ(h.saver.WaitExit(3s), 0u);
    EXPECT_EQ(ReadSaverSetting(kKeyActiveSetup), L"0");
  }
}

TEST_F(PreviewLifecycle, WithoutAWindowToDrawInItEndsAfterOnePassLeavingZero) {
  ASSERT_FALSE(IsWindow(reinterpret_cast<HWND>(12345)));
  // The desktop is a window, but no dialog around it shows the saver.
  for (const std::wstring& args :
       {std::wstring(L"/P"), std::wstring(L"/p 12345"), L"/p " + Decimal(GetDesktopWindow())}) {
    SCOPED_TRACE(testing::PrintToString(args));
    WriteSaverSetting(kKeyActiveSetup, L"777");
    EXPECT_EQ(Process::StartSaver(args).WaitExit(5s), 0u) << "not within one pass";
    EXPECT_EQ(ReadSaverSetting(kKeyActiveSetup), L"0");
  }
}

TEST_F(PreviewLifecycle, ASecondPreviewEndsAtOnceAndAShowGoesAheadLeavingTheAnnouncement) {
  HostedPreview h;
  ASSERT_TRUE(h.Announced());
  // Another window than the running preview's: a second preview that went ahead would announce
  // it, or leave "0" behind.
  EXPECT_EQ(Process::StartSaver(L"/p " + Decimal(h.dialog)).WaitExit(10s), 0u);
  EXPECT_EQ(ReadSaverSetting(kKeyActiveSetup), Decimal(h.preview));

  Process show = Process::StartSaver(L"/S");
  EXPECT_TRUE(WaitUntil([&] { return !show.Windows().empty(); }, 10s)) << "no show";
  Sleep(300);  // input sent at once after the window appears is partly lost
  PressKey(VK_SHIFT);
  EXPECT_EQ(show.WaitExit(10s), 0u);
  EXPECT_EQ(ReadSaverSetting(kKeyActiveSetup), Decimal(h.preview));
  EXPECT_TRUE(h.saver.Running()) << "the preview goes on behind the show";
}

}  // namespace
}  // namespace vorlux::test
