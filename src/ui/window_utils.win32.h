// Small routines around windows, the mouse cursor and system functions loaded late.
#pragma once

#include <windows.h>

#include <string_view>

namespace vorlux {

// Window class shared by all of the program's top-level forms.
inline constexpr wchar_t kFormClassName[] = L"VorluxScreenSaverForm";

// A top-level window with this exact title, of the given class or (when empty) of the
// program's form class; nullptr when there is none.
HWND FindAppWindow(std::wstring_view title, std::wstring_view className);
void RestoreAppWindow(HWND window);

void MakeTopMost(HWND window);

// Draws the control without the visual styles the manifest turns on, so that it takes the colours
// its parent gives it (a themed drop-down list ignores them); nothing where the themes library
// is not there.
void DrawUnthemed(HWND control);

// Both end in a definite state whatever the display count was, and call ShowCursor at least once.
void HideMouseCursor();
void ShowMouseCursor();

// A function of a system library, loaded when first asked for (so that the library is not
// loaded at every start of the program); nullptr when it cannot be found.
template <class Function>
Function LoadSystemFunction(const wchar_t* library, const char* name) {
  HMODULE module = LoadLibraryW(library);
  return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                : nullptr;
}

}  // namespace vorlux
