// The wait, the cursor count and window hooks of the window utilities.
#include <gtest/gtest.h>

#include <atomic>
#include <limits>
#include <thread>

#include "ui/window_utils.win32.h"

namespace vorlux::test {
namespace {

// A window of this thread with the given procedure.
HWND PlainWindow(WNDPROC proc) {
  HWND w = CreateWindowW(L"Static", L"", WS_POPUP, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr);
  SetWindowLongPtrW(w, GWLP_WNDPROC, LONG_PTR(proc));
  return w;
}

int g_messages;  // posted messages and timer ticks dispatched
LRESULT CALLBACK CountingProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  return m == WM_APP || m == WM_TIMER ? ++g_messages : DefWindowProcW(h, m, w, l);
}

double CpuSeconds() {
  FILETIME t[4];
  GetThreadTimes(GetCurrentThread(), &t[0], &t[1], &t[2], &t[3]);
  return (ULARGE_INTEGER{{t[2].dwLowDateTime, t[2].dwHighDateTime}}.QuadPart +
          ULARGE_INTEGER{{t[3].dwLowDateTime, t[3].dwHighDateTime}}.QuadPart) /
         1e7;
}

TEST(Pause, WaitsItsTimeAsleepWhileDispatchingAndAnsweringMessages) {
  HWND w = PlainWindow(CountingProc);
  g_messages = 0;
  for (float seconds : {0.0f, -1.0f, std::numeric_limits<float>::quiet_NaN()}) {
    PostMessageW(w, WM_APP, 0, 0);
    const double start = MonotonicSeconds();
    Pause(seconds);
    EXPECT_LT(MonotonicSeconds() - start, 0.5) << seconds;
  }
  EXPECT_EQ(g_messages, 3) << "messages are processed at least once";

  const double start = MonotonicSeconds(), cpu = CpuSeconds();
  std::atomic<double> answered{-1};
  std::thread sender([&] {
    Sleep(50);
    DWORD_PTR result;
    SendMessageTimeoutW(w, WM_APP + 1, 0, 0, SMTO_NORMAL, 2000, &result);
    answered = MonotonicSeconds() - start;
  });
  Pause(0.5f);
  const double took = MonotonicSeconds() - start, busy = CpuSeconds() - cpu;
  sender.join();
  EXPECT_TRUE(took >= 0.495 && took < 2.0) << took;  // generous: the figure is the benchmark's
  EXPECT_LT(answered.load(), 0.4) << "a sent message must not wait for the pause to end";
  EXPECT_LT(busy, 0.1) << "the wait burned " << busy << " s of CPU in 0.5 s";
  SetTimer(w, 1, 20, nullptr);
  Pause(0.3f);
  EXPECT_GE(g_messages, 3 + 5) << "timer messages are dispatched during the wait";
  DestroyWindow(w);
}

TEST(MouseCursor, HideAndShowEndInTheirStateFromAnyCount) {
  const auto count = [] {  // the display count, read by a step up and back down
    ShowCursor(TRUE);
    return ShowCursor(FALSE);
  };
  const auto set = [&](int c) {
    while (count() != c) ShowCursor(count() < c);
  };
  const int original = count();
  for (int start : {-3, -1, 0, 2, 5}) {
    set(start);
    HideMouseCursor();
    EXPECT_TRUE(count() < 0 && count() < start) << "at least one call from " << start;
    ShowMouseCursor();
    EXPECT_GE(count(), 0) << "from " << start;
  }
  set(original);
}

template <int N>
LRESULT CALLBACK Original(HWND h, UINT m, WPARAM w, LPARAM l) {
  return m == WM_APP ? N : DefWindowProcW(h, m, w, l);
}

LRESULT CALLBACK Hook(HWND h, UINT m, WPARAM w, LPARAM l) {
  return (m == WM_APP ? 10 : 0) + CallSavedWndProc(h, m, w, l);
}

TEST(WindowHook, EachWindowKeepsItsOwnDisplacedProcedureUntilUnhooked) {
  HWND a = PlainWindow(Original<1>), b = PlainWindow(Original<2>);
  UnhookWindow(a);  // without a hook: nothing changes
  EXPECT_EQ(SendMessageW(a, WM_APP, 0, 0), 1);
  HookWindow(a, Hook);
  HookWindow(b, Hook);
  HookWindow(a, Hook);  // hooked already: a second hook would call itself for ever
  EXPECT_TRUE(SendMessageW(a, WM_APP, 0, 0) == 11 && SendMessageW(b, WM_APP, 0, 0) == 12);
  UnhookWindow(a);
  EXPECT_TRUE(GetWindowLongPtrW(a, GWLP_WNDPROC) == LONG_PTR(Original<1>) && !SavedWndProc(a));
  EXPECT_EQ(SendMessageW(b, WM_APP, 0, 0), 12) << "the other window is still hooked";
  UnhookWindow(b);
  UnhookWindow(b);  // twice in a row: still the original
  EXPECT_EQ(GetWindowLongPtrW(b, GWLP_WNDPROC), LONG_PTR(Original<2>));
  DestroyWindow(a);
  DestroyWindow(b);
}

}  // namespace
}  // namespace vorlux::test
