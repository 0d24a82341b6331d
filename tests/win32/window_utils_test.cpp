#include "ui/window_utils.win32.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <limits>
#include <thread>

#include "ui/forms.win32.h"

namespace vorlux {
namespace {

using Clock = std::chrono::steady_clock;

// A plain window whose procedure counts what it receives.
struct CountingWindow {
  static inline std::atomic<int> posted{0};
  static inline std::atomic<int> timers{0};
  static inline std::atomic<int> sent{0};
  static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_APP) return ++posted, 0;
    if (m == WM_TIMER) return ++timers, 0;
    if (m == WM_APP + 1) return ++sent, 42;
    return DefWindowProcW(h, m, w, l);
  }
  CountingWindow() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VorluxTestCounting";
    RegisterClassW(&wc);
    hwnd = CreateWindowW(L"VorluxTestCounting", L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                         wc.hInstance, nullptr);
    posted = timers = sent = 0;
  }
  ~CountingWindow() { DestroyWindow(hwnd); }
  HWND hwnd;
};

double SecondsOf(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

TEST(Pause, WaitsTheGivenTimeWhileHandlingMessages) {
  CountingWindow w;
  SetTimer(w.hwnd, 1, 20, nullptr);
  const auto t0 = Clock::now();
  Pause(0.3f);
  const double took = SecondsOf(Clock::now() - t0);
  KillTimer(w.hwnd, 1);
  EXPECT_GE(took, 0.295);
  EXPECT_LT(took, 1.5);  // generous: the figure itself belongs to the benchmark
  EXPECT_GE(w.timers.load(), 5) << "timer messages must be dispatched during the wait";
}

TEST(Pause, ProcessesMessagesAtLeastOnceEvenForZeroOrBadDurations) {
  CountingWindow w;
  for (float seconds : {0.0f, -1.0f, std::numeric_limits<float>::quiet_NaN()}) {
    PostMessageW(w.hwnd, WM_APP, 0, 0);
    const auto t0 = Clock::now();
    Pause(seconds);
    EXPECT_LT(SecondsOf(Clock::now() - t0), 0.5) << seconds;
  }
  EXPECT_EQ(w.posted.load(), 3);
}

TEST(Pause, AnswersMessagesSentFromAnotherThreadWhileWaiting) {
  CountingWindow w;
  std::atomic<double> answeredAfter{-1};
  const auto t0 = Clock::now();
  std::thread sender([&] {
    Sleep(50);
    DWORD_PTR result = 0;
    if (SendMessageTimeoutW(w.hwnd, WM_APP + 1, 0, 0, SMTO_NORMAL, 2000, &result) && result == 42)
      answeredAfter = SecondsOf(Clock::now() - t0);
  });
  Pause(0.5f);
  sender.join();
  EXPECT_EQ(w.sent.load(), 1);
  EXPECT_GT(answeredAfter.load(), 0.0);
  EXPECT_LT(answeredAfter.load(), 0.4) << "a sent message must not wait for the pause to end";
}

TEST(Pause, SleepsInsteadOfSpinning) {
  FILETIME created, exited, kernel0, user0, kernel1, user1;
  GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel0, &user0);
  Pause(0.5f);
  GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel1, &user1);
  auto ticks = [](FILETIME f) { return (static_cast<uint64_t>(f.dwHighDateTime) << 32) | f.dwLowDateTime; };
  const double cpu = (ticks(kernel1) - ticks(kernel0) + ticks(user1) - ticks(user0)) / 1e7;
  EXPECT_LT(cpu, 0.2) << "the wait burned " << cpu << " s of CPU in 0.5 s";
}

// The display count is probed by one step up and back down.
int CursorCount() {
  const int count = ShowCursor(TRUE) - 1;
  ShowCursor(FALSE);
  return count;
}

TEST(MouseCursor, HideAndShowEndInTheirStateFromAnyCount) {
  const int original = CursorCount();
  for (int extra : {-3, -1, 0, 2, 5}) {
    while (CursorCount() < extra) ShowCursor(TRUE);
    while (CursorCount() > extra) ShowCursor(FALSE);
    HideMouseCursor();
    const int hidden = CursorCount();
    EXPECT_LT(hidden, 0) << "from " << extra;
    EXPECT_LT(hidden, extra) << "at least one call from " << extra;
    ShowMouseCursor();
    EXPECT_GE(CursorCount(), 0) << "from " << extra;
  }
  while (CursorCount() < original) ShowCursor(TRUE);
  while (CursorCount() > original) ShowCursor(FALSE);
}

LRESULT CALLBACK OriginalProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_APP) return 1;
  return DefWindowProcW(h, m, w, l);
}

LRESULT CALLBACK HookProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_APP) return 10 + CallWindowProcW(SavedWndProc(), h, m, w, l);
  return CallWindowProcW(SavedWndProc(), h, m, w, l);
}

TEST(WindowHook, HookRoutesThroughTheNewProcedureAndUnhookRestoresTheOld) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = OriginalProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"VorluxTestHook";
  RegisterClassW(&wc);
  HWND w = CreateWindowW(L"VorluxTestHook", L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                         wc.hInstance, nullptr);
  ASSERT_TRUE(w);
  const auto original = GetWindowLongPtrW(w, GWLP_WNDPROC);

  UnhookWindow(w);  // without a hook: nothing changes
  EXPECT_EQ(GetWindowLongPtrW(w, GWLP_WNDPROC), original);

  HookWindow(w, HookProc);
  EXPECT_EQ(SendMessageW(w, WM_APP, 0, 0), 11);
  EXPECT_NE(SavedWndProc(), nullptr);

  UnhookWindow(w);
  EXPECT_EQ(GetWindowLongPtrW(w, GWLP_WNDPROC), original);
  EXPECT_EQ(SendMessageW(w, WM_APP, 0, 0), 1);
  EXPECT_EQ(SavedWndProc(), nullptr);
  UnhookWindow(w);  // twice in a row: still the original
  EXPECT_EQ(GetWindowLongPtrW(w, GWLP_WNDPROC), original);
  DestroyWindow(w);
}

class TitledForm : public Form {};

TEST(FindAppWindow, FindsTheProgramsFormByExactTitleOnly) {
  TitledForm form;
  form.SetCaption(L"Vorlux find test 7781");
  EXPECT_EQ(FindAppWindow(L"Vorlux find test 7781", L""), form.hWnd());
  EXPECT_EQ(FindAppWindow(L"Vorlux find test", L""), nullptr) << "whole title, not a prefix";
  EXPECT_EQ(FindAppWindow(L"Vorlux find test 7781", L"Static"), nullptr) << "another class";
  EXPECT_EQ(FindAppWindow(L"no window has this title", L""), nullptr);
  form.Unload();
  EXPECT_EQ(FindAppWindow(L"Vorlux find test 7781", L""), nullptr);
}

TEST(MakeTopMost, PutsTheWindowInTheTopMostBandWithoutMovingIt) {
  TitledForm form;
  form.Move(1500, 1500, 3000, 2000);
  form.Show();
  RECT before, after;
  GetWindowRect(form.hWnd(), &before);
  MakeTopMost(form.hWnd());
  GetWindowRect(form.hWnd(), &after);
  EXPECT_TRUE(GetWindowLongW(form.hWnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_TRUE(EqualRect(&before, &after));
  form.Unload();
}

}  // namespace
}  // namespace vorlux
