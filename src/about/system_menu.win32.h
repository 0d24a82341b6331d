// The "About..." entry at the end of a window's system menu, and the window procedure that
// opens the About box when it is chosen.
#pragma once

#include <windows.h>

#include <string_view>

#include "about/about_window.win32.h"

namespace vorlux {

inline constexpr UINT kAboutCommandId = 2001;

// Appends (after a separator, when asked) an entry with the command id to the window's own
// system menu. Nothing for a window handle of 0.
void AddAboutMenuItem(HWND window, UINT commandId, std::wstring_view caption, bool withSeparator);

// Puts SystemMenuWndProc in front of the window's procedure, opening box for "About...". A
// window already hooked is left as it is.
void HookSystemMenu(HWND window, fabout& box);
// Gives the window its own procedure back; nothing when it is not hooked.
void UnhookSystemMenu(HWND window);

// "About..." restores a minimised window, then shows the box modal. Other system commands take
// the default handling (closing comes back as WM_CLOSE); other messages go to the window's own
// procedure.
LRESULT CALLBACK SystemMenuWndProc(HWND window, UINT msg, WPARAM wp, LPARAM lp);

}  // namespace vorlux
