// The watch on keyboard and mouse that ends the show: every input rule of the show is here.
#pragma once

#include <windows.h>

#include "about/links.win32.h"
#include "config/run_state.h"
#include "saver/saver_state.win32.h"

namespace vorlux {

// Installed on the show's window with HookWindow; reaches the show through the window's frmSS.
// Ignores the system's request to start a screen saver, sends other system commands to the
// default procedure, and (when MouseMoveEnds is set) ends the show on a move of more than
// 2 pixels from the first position.
LRESULT CALLBACK SaverWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

// Any key ends the show.
void SaverKeyDown(SaverState& saver);

// A plain right click opens the About box for 10 seconds; any other click ends the show.
void SaverMouseDown(SaverState& saver, int button, int shift);

}  // namespace vorlux
