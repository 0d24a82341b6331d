// Window utilities: finding and raising windows, the top-most band, the cursor.
#include "ui/window_utils.win32.h"

#include <string>

namespace vorlux {

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

void DrawUnthemed(HWND control) {
  using SetTheme = HRESULT(WINAPI*)(HWND, const wchar_t*, const wchar_t*);
  // Looked up where a control asks for it (the show never loads the library).
  if (const auto setTheme = LoadSystemFunction<SetTheme>(L"uxtheme.dll", "SetWindowTheme"))
    setTheme(control, L"", L"");
}

void HideMouseCursor() {
  while (ShowCursor(FALSE) >= 0) {
  }
}

void ShowMouseCursor() {
  while (ShowCursor(TRUE) < 0) {
  }
}

}  // namespace vorlux
