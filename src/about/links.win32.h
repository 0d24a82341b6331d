// Opening the About box's links through the shell, the hand pointer over a link, and the end of
// the run that follows a link.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "config/run_state.h"
#include "ui/forms.win32.h"

namespace vorlux {

// The pointing hand, its hot spot at the tip of the index finger (12, 1).
inline constexpr int kHandCursorResource = 101;

// Hands the target to the shell's default action for its kind; returns the error text (empty on
// success).
std::wstring OpenLink(HWND owner, std::wstring_view target);

// The hand, or the default pointer, over one of the form's controls.
void SetHandCursor(Form& form, int control);
void SetDefaultCursor(Form& form, int control);

// Shows the mouse pointer again and raises StopRequested: the show or the setup dialog ends.
void StopSaver(RunState& run);

}  // namespace vorlux
