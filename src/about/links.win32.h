// Opening the About box's links through the shell, and the hand pointer over a link.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "ui/form.win32.h"

namespace vorlux {

// The pointing hand, its hot spot at the tip of the index finger (12, 1).
inline constexpr int kHandCursorResource = 101;

// Hands the target to the shell's default action for its kind; returns the error text (empty on
// success).
std::wstring OpenLink(HWND owner, std::wstring_view target);

// The hand (from the form's resources), or the default pointer, over one of its controls.
void SetHandCursor(Form& form, int control);
void SetDefaultCursor(Form& form, int control);

}  // namespace vorlux
