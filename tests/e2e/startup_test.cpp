// Starting SSVorlux.scr as Windows does and watching it from outside.
#include <gtest/gtest.h>

#include "app/main.win32.h"
#include "config/run_state.h"
#include "ui/window_utils.win32.h"
#include "config/settings_store.h"
#include "vorlux_test.h"

namespace vorlux {
namespace {

using namespace test;

class Startup : public ::testing::Test {
 protected:
  void SetUp() override { ClearSaverSettings(); }
  void TearDown() override { ClearSaverSettings(); }
};

TEST_F(Startup, PasswordRequestBeepsAndEndsAtOnceInAnyCase) {
  for (const wchar_t* args : {L"/A", L"/a 1234", L"-a", L"/A:55"}) {
    const auto t0 = GetTickCount64();
    Process p = Process::StartSaver(args);
    ASSERT_TRUE(p.Valid());
    const auto code = p.WaitExit(10s);
    ASSERT_TRUE(code.has_value()) << args;
    EXPECT_EQ(*code, 0u) << args;
    EXPECT_LT(GetTickCount64() - t0, 5000u) << args << ": far slower than expected";
    EXPECT_TRUE(p.Windows(false).empty());
  }
}

// A window of the program's form class titled with the application title, as an open setup
// dialog is, created by the test itself.
class AppWindowStandIn {
 public:
  AppWindowStandIn() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kFormClassName;
    RegisterClassW(&wc);
    hwnd_ = CreateWindowW(kFormClassName, std::wstring(kAppTitle).c_str(),
                          WS_OVERLAPPEDWINDOW, 100, 100, 300, 200, nullptr, nullptr,
                          wc.hInstance, nullptr);
  }
  ~AppWindowStandIn() { DestroyWindow(hwnd_); }
  HWND hwnd() const { return hwnd_; }

 private:
  HWND hwnd_;
};

TEST_F(Startup, AnyModeBringsAnOpenSetupDialogForwardAndEnds) {
  AppWindowStandIn dialog;
  ASSERT_TRUE(dialog.hwnd());
  for (const wchar_t* args : {L"/S", L"/p 123", L"/C", L"", L"/c:456", L"/A", L"word"}) {
    ShowWindow(dialog.hwnd(), SW_MINIMIZE);
    WaitUntil([&] { return IsIconic(dialog.hwnd()) != FALSE; }, 2s);
    Process p = Process::StartSaver(args);
    const auto code = p.WaitExit(10s);
    ASSERT_TRUE(code.has_value()) << "'" << testing::PrintToString(std::wstring(args)) << "'";
    EXPECT_EQ(*code, 0u);
    EXPECT_TRUE(WaitUntil([&] { return !IsIconic(dialog.hwnd()); }, 2s))
        << testing::PrintToString(std::wstring(args)) << ": the dialog was not restored";
    EXPECT_TRUE(IsWindowVisible(dialog.hwnd()));
  }
}

TEST_F(Startup, AWindowWithAnotherTitleOrClassDoesNotStopTheStart) {
  // Only the exact title of a window of the program's class counts.
  HWND other = CreateWindowW(L"Static", std::wstring(kAppTitle).c_str(), WS_OVERLAPPED, 0, 0, 50,
                             50, nullptr, nullptr, nullptr, nullptr);
  ShowWindow(other, SW_MINIMIZE);
  Process p = Process::StartSaver(L"/A");
  ASSERT_TRUE(p.WaitExit(10s).has_value());
  EXPECT_TRUE(IsIconic(other)) << "a window of another class is left alone";
  DestroyWindow(other);
}

// Another instance is simulated by holding the program's instance marker.
class WithAnotherInstance : public Startup {
 protected:
  void SetUp() override {
    Startup::SetUp();
    marker_ = CreateMutexW(nullptr, FALSE, kInstanceMutexName);
  }
  void TearDown() override {
    CloseHandle(marker_);
    Startup::TearDown();
  }
  HANDLE marker_ = nullptr;
};

TEST_F(WithAnotherInstance, ASecondPreviewEndsWithoutTouchingActiveSetup) {
  WriteSaverSetting(kKeyActiveSetup, L"777");
  Process p = Process::StartSaver(L"/p 123");
  const auto code = p.WaitExit(10s);
  ASSERT_TRUE(code.has_value());
  EXPECT_EQ(*code, 0u);
  EXPECT_EQ(ReadSaverSetting(kKeyActiveSetup), L"777");
}

TEST_F(WithAnotherInstance, ASecondShowEndsAtOnceUnlessAPreviewIsAnnounced) {
  for (const wchar_t* active : {L"0", L"", L"garbage", L"1e999"}) {
    WriteSaverSetting(kKeyActiveSetup, active);
    Process p = Process::StartSaver(L"/s");
    const auto code = p.WaitExit(10s);
    ASSERT_TRUE(code.has_value()) << testing::PrintToString(std::wstring(active));
    EXPECT_EQ(*code, 0u);
    EXPECT_TRUE(p.Windows().empty());
  }
}

}  // namespace
}  // namespace vorlux
