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
  HWND w =
      CreateWindowW(L"Static", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  SetWindowLongPtrW(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
  return w;
}

std::atomic<int> g_posted, g_timers, g_sent;
LRESULT CALLBACK CountingProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_APP) return ++g_posted, 0;
  if (m == WM_TIMER) return ++g_timers, 0;
  if (m == WM_APP + 1) return ++g_sent, 42;
  return DefWindowProcW(h, m, w, l);
}

double CpuSeconds() {
  FILETIME t[4];
  GetThreadTimes(GetCurrentThread(), &t[0], &t[1], &t[2], &t[3]);
  auto s = [](FILETIME f) { return ((uint64_t{f.dwHighDateTime} << 32) | f.dwLowDateTime) / 1e7; };
  return s(t[2]) + s(t[3]);
}

TEST(Pause, WaitsItsTimeAsleepWhileDispatchingAndAnsweringMessages) {
  HWND w = PlainWindow(CountingProc);
  g_timers = g_sent = 0;
  SetTimer(w, 1, 20, nullptr);
  std::atomic<double> answeredAfter{-1};
  const double t0 = MonotonicSeconds(), cpu0 = CpuSeconds();
  std::thread sender([&] {
    Sleep(50);
    DWORD_PTR result = 0;
    if (SendMessageTimeoutW(w, WM_APP + 1, 0, 0, SMTO_NORMAL, 2000, &result) && result == 42)
      answeredAfter = MonotonicSeconds() - t0;
  });
  Pause(0.5f);
  const double took = MonotonicSeconds() - t0, cpu = CpuSeconds() - cpu0;
  sender.join();
  DestroyWindow(w);
  EXPECT_GE(took, 0.495);
  EXPECT_LT(took, 2.0);  // generous: the figure itself belongs to the benchmark
  EXPECT_GE(g_timers.load(), 5) << "timer messages are dispatched during the wait";
  EXPECT_GT(answeredAfter.load(), 0.0);
  EXPECT_LT(answeredAfter.load(), 0.4) << "a sent message must not wait for the pause to end";
  EXPECT_LT(cpu, 0.2) << "the wait burned " << cpu << " s of CPU in 0.5 s";
}

TEST(Pause, ProcessesMessagesOnceEvenForZeroOrBadDurations) {
  HWND w = PlainWindow(CountingProc);
  g_posted = 0;
  for (float seconds : {0.0f, -1.0f, std::numeric_limits<float>::quiet_NaN()}) {
    PostMessageW(w, WM_APP, 0, 0);
    const double t0 = MonotonicSeconds();
    Pause(seconds);
    EXPECT_LT(MonotonicSeconds() - t0, 0.5) << seconds;
  }
  EXPECT_EQ(g_posted.load(), 3);
  DestroyWindow(w);
}

// The display count, probed by one step up and back down.
int CursorCount() {
  const int count = ShowCursor(TRUE) - 1;
  ShowCursor(FALSE);
  return count;
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
    EXPECT_LT(hidden, 0) << "from " << start;
    EXPECT_LT(hidden, start) << "at least one call from " << start;
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
