// Small routines around windows, the mouse cursor, waiting and the clocks.
#pragma once

#include <windows.h>

#include <string_view>

namespace vorlux {

// Window class shared by all of the program's top-level forms.
inline constexpr wchar_t kFormClassName[] = L"VorluxScreenSaverForm";

// --- bas_RestoreApp ---
// A top-level window with this exact title, of the given class or (when empty) of the
// program's form class; nullptr when there is none.
HWND FindAppWindow(std::wstring_view title, std::wstring_view className);
void RestoreAppWindow(HWND window);

// --- bas_TopMost ---
void MakeTopMost(HWND window);

// --- bas_SCR ---
// Both end in a definite state whatever the display count was, and call ShowCursor at least once.
void HideMouseCursor();
void ShowMouseCursor();

// Dispatches every message waiting in the thread's queue, then returns.
void ProcessPendingMessages();

// Processes messages until the given seconds have passed on the monotonic clock; messages
// are processed at least once. Between messages the thread sleeps on its queue.
void Pause(float seconds);

// The C++ object of a window (a form, or what a hook works for): set by its creator or at
// subclassing, cleared when the window goes; nullptr when it has none.
void SetWindowObject(HWND window, void* object);
void* WindowObject(HWND window);

// Replaces the window's procedure and keeps the displaced one with the window (SavedWndProc).
// A window that is already hooked, or no window, is left alone.
void HookWindow(HWND window, WNDPROC procedure);
// Puts the window's displaced procedure back if it has one; otherwise does nothing.
void UnhookWindow(HWND window);
WNDPROC SavedWndProc(HWND window);
// For a hook procedure: hands the message on to the displaced procedure (the default one when
// there is none). On WM_NCDESTROY the hook is removed first.
LRESULT CallSavedWndProc(HWND window, UINT msg, WPARAM wp, LPARAM lp);

// A function of a system library, loaded when first asked for (so that the library is not
// loaded at every start of the program); nullptr when it cannot be found.
template <class Function>
Function LoadSystemFunction(const wchar_t* library, const char* name) {
  HMODULE module = LoadLibraryW(library);
  return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                : nullptr;
}

// Seconds on a clock that never goes back (not the time of day).
double MonotonicSeconds();
// Seconds since local midnight.
float TimeOfDaySeconds();

// Routes messages of a modeless dialog-like window through IsDialogMessage (Tab, Enter, Esc).
void RegisterDialogWindow(HWND window);
void UnregisterDialogWindow(HWND window);

}  // namespace vorlux
