// The message loop, the sleeping pause and the clocks.
#include "ui/message_loop.win32.h"

#include <algorithm>
#include <cmath>

#include "base/steps.h"

namespace vorlux {

namespace {

bool RouteToDialog(HWND dialog, MSG& msg) {
  if (!dialog || msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
  if (msg.hwnd != dialog && !IsChild(dialog, msg.hwnd)) return false;
  // Alt+F4 closes the dialog whichever control has the focus (some lists keep every system
  // key to themselves).
  if (msg.message == WM_SYSKEYDOWN && msg.wParam == VK_F4) {
    PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    return true;
  }
  return IsDialogMessageW(dialog, &msg) != 0;
}

}  // namespace

void ProcessPendingMessages(HWND dialog) {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) continue;  // the program ends through its own loops only
    if (RouteToDialog(dialog, msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void Pause(float seconds) {
  const double end = MonotonicSeconds() + (std::isfinite(seconds) && seconds > 0 ? seconds : 0.0);
  for (;;) {
    ProcessPendingMessages();
    const double left = end - MonotonicSeconds();
    if (left <= 0) return;
    const double ms = std::min(std::ceil(left * 1000.0), 60'000.0);
    MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(ms), QS_ALLINPUT,
                                MWMO_INPUTAVAILABLE);
  }
}

void RunMessageLoop(const std::function<bool()>& goOn, HWND dialog) {
  while (goOn()) {
    MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    RunStep([&] { ProcessPendingMessages(dialog); });
  }
}

double MonotonicSeconds() {
  static const double frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / frequency;
}

float TimeOfDaySeconds() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return static_cast<float>(t.wHour * 3600 + t.wMinute * 60 + t.wSecond + t.wMilliseconds / 1000.0);
}

}  // namespace vorlux
