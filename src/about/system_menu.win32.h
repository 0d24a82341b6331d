// The "About..." entry at the end of a window's system menu, and what choosing it does.
#pragma once

#include <windows.h>

#include <string_view>

#include "about/about_window.win32.h"

namespace vorlux {

inline constexpr UINT kAboutCommandId = 2001;

// Appends (after a separator, when asked) an entry with the command id to the window's own
// system menu. Nothing for a window handle of 0.
void AddAboutMenuItem(HWND window, UINT commandId, std::wstring_view caption, bool withSeparator);

// A WM_SYSCOMMAND of a window with the entry: "About..." restores a minimised window, then shows
// the box modal, and answers true; any other command answers false and takes the window's
// default handling (closing comes back as WM_CLOSE).
bool SystemMenuCommand(fabout& box, HWND window, WPARAM command);

}  // namespace vorlux
