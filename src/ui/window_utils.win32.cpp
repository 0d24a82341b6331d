// Window utilities: finding and raising windows, the cursor, waiting, hooks and the clocks.
#include "ui/window_utils.win32.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace vorlux {

namespace {

// Every window of the program reaches its C++ object, and a subclassed window its displaced
// procedure, through a property of its own.
constexpr wchar_t kObjectProperty[] = L"Vorlux.Object";
constexpr wchar_t kSavedProcProperty[] = L"Vorlux.SavedProc";

std::vector<HWND>& DialogWindows() {
  static std::vector<HWND> windows;
  return windows;
}

bool RouteToDialog(MSG& msg) {
  if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
  for (HWND dialog : DialogWindows()) {
    if (msg.hwnd != dialog && !IsChild(dialog, msg.hwnd)) continue;
    // Alt+F4 closes the dialog whichever control has the focus (some lists keep every system
    // key to themselves).
    if (msg.message == WM_SYSKEYDOWN && msg.wParam == VK_F4) {
      PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
      return true;
    }
    return IsDialogMessageW(dialog, &msg) != 0;
  }
  return false;
}

}  // namespace

HWND FindAppWindow(std::wstring_view title, std::wstring_view className) {
  const std::wstring cls =
      className.empty() ? std::wstring(kFormClassName) : std::wstring(className);
  const std::wstring text(title);
  return FindWindowW(cls.c_str(), text.c_str());
}

void RestoreAppWindow(HWND window) {
  ShowWindow(window, SW_RESTORE);
  SetForegroundWindow(window);
}

void MakeTopMost(HWND window) {
  SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void HideMouseCursor() {
  while (ShowCursor(FALSE) >= 0) {
  }
}

void ShowMouseCursor() {
  while (ShowCursor(TRUE) < 0) {
  }
}

void ProcessPendingMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) continue;  // the program ends through its own loops only
    if (RouteToDialog(msg)) continue;
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

void SetWindowObject(HWND window, void* object) {
  if (object)
    SetPropW(window, kObjectProperty, object);
  else
    RemovePropW(window, kObjectProperty);
}

void* WindowObject(HWND window) { return window ? GetPropW(window, kObjectProperty) : nullptr; }

void HookWindow(HWND window, WNDPROC procedure) {
  if (!IsWindow(window) || SavedWndProc(window)) return;  // one hook per window
  const auto displaced = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
  if (displaced) SetPropW(window, kSavedProcProperty, reinterpret_cast<HANDLE>(displaced));
}

void UnhookWindow(HWND window) {
  const WNDPROC saved = SavedWndProc(window);
  if (!saved) return;
  SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(saved));
  RemovePropW(window, kSavedProcProperty);
}

WNDPROC SavedWndProc(HWND window) {
  return window ? reinterpret_cast<WNDPROC>(GetPropW(window, kSavedProcProperty)) : nullptr;
}

LRESULT CallSavedWndProc(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
  const WNDPROC saved = SavedWndProc(window);
  if (!saved) return DefWindowProcW(window, msg, wp, lp);
  // The window is going: its hook goes with it, after the displaced procedure's last word.
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(saved));
    RemovePropW(window, kSavedProcProperty);
  }
  return CallWindowProcW(saved, window, msg, wp, lp);
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

void RegisterDialogWindow(HWND window) {
  auto& w = DialogWindows();
  if (std::find(w.begin(), w.end(), window) == w.end()) w.push_back(window);
}

void UnregisterDialogWindow(HWND window) {
  auto& w = DialogWindows();
  w.erase(std::remove(w.begin(), w.end(), window), w.end());
}

}  // namespace vorlux
