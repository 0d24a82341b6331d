// Starting SSVorlux.scr as Windows does while a password request or an open setup dialog
// decides that it ends at once.
#include <gtest/gtest.h>

#include "config/run_state.h"
#include "ui/window_utils.win32.h"
#include "vorlux_test.h"

namespace vorlux::test {
namespace {

using Instance = SaverTest;

TEST_F(Instance, PasswordRequestBeepsAndEndsAtOnce) {
  for (const wchar_t* args : {L"/A", L"/a 1234"}) {
    Process p = Process::StartSaver(args);
    EXPECT_EQ(p.WaitExit(5s), 0u) << args;
    EXPECT_TRUE(p.Windows(false).empty());
  }
}

// A minimized window of this class and title, owned by the test.
HWND MinimizedWindow(const wchar_t* className, std::wstring_view title) {
  WNDCLASSW wc{.lpfnWndProc = DefWindowProcW,
               .hInstance = GetModuleHandleW(nullptr),
               .lpszClassName = kFormClassName};
  RegisterClassW(&wc);
  HWND w = CreateWindowW(className, std::wstring(title).c_str(), WS_OVERLAPPEDWINDOW, 100, 100, 300,
                         200, nullptr, nullptr, wc.hInstance, nullptr);
  ShowWindow(w, SW_MINIMIZE);
  return w;
}

TEST_F(Instance, AnyModeBringsAnOpenSetupDialogForwardAndEnds) {
  // The open setup dialog is a form titled with the application title.
  for (const wchar_t* args : {L"/S", L"/p 123", L"/C", L"", L"/c:456", L"/A", L"word"}) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(args)));
    HWND dialog = MinimizedWindow(kFormClassName, kAppTitle);
    EXPECT_EQ(Process::StartSaver(args).WaitExit(10s), 0u);
    EXPECT_TRUE(WaitUntil([&] { return !IsIconic(dialog); }, 2s)) << "not restored";
    EXPECT_TRUE(IsWindowVisible(dialog));
    DestroyWindow(dialog);
  }
}

TEST_F(Instance, AWindowWithAnotherTitleOrClassIsLeftAlone) {
  for (const auto& [cls, title] : {std::pair{L"Static", std::wstring(kAppTitle)},
                                   {kFormClassName, std::wstring(kAppTitle) + L" Setup"}}) {
    HWND other = MinimizedWindow(cls, title);
    EXPECT_EQ(Process::StartSaver(L"/A").WaitExit(10s), 0u);
    EXPECT_TRUE(IsIconic(other)) << testing::PrintToString(title);
    DestroyWindow(other);
  }
}

}  // namespace
}  // namespace vorlux::test
