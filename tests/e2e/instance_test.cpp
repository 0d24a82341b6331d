// Starting SSVorlux.scr as Windows does while a password request or an open setup dialog
// decides that it ends at once.
#include "config/run_state.h"
#include "ui/window_utils.win32.h"
#include "vorlux_test.h"

namespace vorlux::test {
namespace {

using Instance = SaverTest;

TEST_F(Instance, AnyModeBringsAnOpenSetupDialogForwardAndEndsAsThePasswordRequestDoes) {
  const WNDCLASSW wc{.lpfnWndProc = DefWindowProcW,
                     .hInstance = GetModuleHandleW(nullptr),
                     .lpszClassName = kFormClassName};
  RegisterClassW(&wc);
  // A minimized window of this class and title while the saver runs with these arguments:
  // whether the saver ended with 0 and the window came forward.
  const auto comesForward = [&](const wchar_t* cls, const std::wstring& title,
                                const wchar_t* args) {
    HWND w = CreateWindowW(cls, title.c_str(), WS_OVERLAPPEDWINDOW, 100, 100, 300, 200, nullptr,
                           nullptr, wc.hInstance, nullptr);
    ShowWindow(w, SW_MINIMIZE);
    EXPECT_EQ(Process::StartSaver(args).WaitExit(10s), 0u) << testing::PrintToString(args);
    const bool forward = WaitUntil([&] { return !IsIconic(w) && IsWindowVisible(w); }, 500ms);
    DestroyWindow(w);
    return forward;
  };
  // The open setup dialog is a form titled with the application title.
  const std::wstring app(kAppTitle);
  for (const wchar_t* args : {L"/S", L"/p 123", L"/C", L"", L"/c:456", L"/A", L"word"})
    EXPECT_TRUE(comesForward(kFormClassName, app, args)) << testing::PrintToString(args);
  // The password request beeps and ends; windows of another class or title are left alone.
  EXPECT_FALSE(comesForward(L"Static", app, L"/A"));
  EXPECT_FALSE(comesForward(kFormClassName, app + L" Setup", L"/a 1234"));
}

}  // namespace
}  // namespace vorlux::test
