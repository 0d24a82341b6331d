// The wait, the cursor count and window hooks of the window utilities.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <limits>
#include <thread>

#include "ui/window_utils.win32.h"

namespace vorlux::test {
namespace {

// A window of this thread with the given procedure.
HWND PlainWindow(WNDPROC proc) {
  HWND w = CreateWindowW(L"Static", L"", WS_POPUP, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr);
  SetWindowLongPtrW(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
  return w;
}

std::atomic<int> g_posted, g_timers;
LRESULT CALLBACK CountingProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_APP || m == WM_TIMER) return ++(m == WM_APP ? g_posted : g_timers);
  return DefWindowProcW(h, m, w, l);
}

TEST(Pause, WaitsItsTimeAsleepWhileDispatchingAndAnsweringMessages) {
  HWND w = PlainWindow(CountingProc);
  SetTimer(w, 1, 20, nullptr);
  FILETIME t[8];
  GetThreadTimes(GetCurrentThread(), &t[0], &t[1], &t[2], &t[3]);
  const double t0 = MonotonicSeconds();
  std::atomic<double> answered{-1};
  std::thread sender([&] {
    Sleep(50);
    DWORD_PTR result;
    SendMessageTimeoutW(w, WM_APP + 1, 0, 0, SMTO_NORMAL, 2000, &result);
    answered = MonotonicSeconds() - t0;
  });
  Pause(0.5f);
  const double took = MonotonicSeconds() - t0;
  GetThreadTimes(GetCurrentThread(), &t[4], &t[5], &t[6], &t[7]);
  sender.join();
  auto s = [&](int i) {
    return ((uint64_t{t[i].dwHighDateTime} << 32) | t[i].dwLowDateTime) / 1e7;
  };
  const double cpu = s(6) + s(7) - s(2) - s(3);
  EXPECT_TRUE(took >= 0.495 && took < 2.0) << took;  // generous: the figure is the benchmark's
  EXPECT_GE(g_timers.load(), 5) << "timer messages are dispatched during the wait";
  EXPECT_LT(answered.load(), 0.4) << "a sent message must not wait for the pause to end";
  EXPECT_LT(cpu, 0.2) << "the wait burned " << cpu << " s of CPU in 0.5 s";

  for (float seconds : {0.0f, -1.0f, std::numeric_limits<float>::quiet_NaN()}) {
    PostMessageW(w, WM_APP, 0, 0);
    const double t1 = MonotonicSeconds();
    Pause(seconds);
    EXPECT_LT(MonotonicSeconds() - t1, 0.5) << seconds;
  }
  EXPECT_EQ(g_posted.load(), 3) << "messages are processed at least once";
  DestroyWindow(w);
}

// The display count, probed by one step up and back down.
int CursorCount() {
  ShowCursor(TRUE);
  return ShowCursor(FALSE);
}

void SetCursorCount(int count) {
  while (CursorCount() < count) ShowCursor(TRUE);
  while (CursorCount() > count) ShowCursor(FALSE);
}

TEST(MouseCursor, HideAndShowEndInTheirStateFromAnyCount) {
  const int original = CursorCount();
  for (int start : {-3, -1, 0, 2, 5}) {
    SetCursorCount(start);
    HideMouseCursor();
    const int hidden = CursorCount();
    EXPECT_TRUE(hidden < 0 && hidden < start) << "at least one call from " << start;
    ShowMouseCursor();
    EXPECT_GE(CursorCount(), 0) << "from " << start;
  }
  SetCursorCount(original);
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
  EXPECT_EQ(SendMessageW(a, WM_APP, 0, 0), 11);
  EXPECT_EQ(SendMessageW(b, WM_APP, 0, 0), 12);
  UnhookWindow(a);
  EXPECT_EQ(GetWindowLongPtrW(a, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(Original<1>));
  EXPECT_EQ(SavedWndProc(a), nullptr);
  EXPECT_EQ(SendMessageW(b, WM_APP, 0, 0), 12) << "the other window is still hooked";
  UnhookWindow(b);
  UnhookWindow(b);  // twice in a row: still the original
  EXPECT_EQ(GetWindowLongPtrW(b, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(Original<2>));
  DestroyWindow(a);
  DestroyWindow(b);
}

}  // namespace
}  // namespace vorlux::test
