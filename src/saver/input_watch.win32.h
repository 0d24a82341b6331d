// The watch on keyboard and mouse that ends the show.
#pragma once

#include <windows.h>

namespace vorlux {

// Module state of the watch: the reference position of the mouse.
struct InputWatchState {
  bool CursorPosRecorded = false;
  POINT FirstCursorPos{0, 0};
};
InputWatchState& InputWatch();

// Shows the cursor again and raises StopRequested.
void StopSaver();

// Installed on the show's window with HookWindow: ignores the system's request to start a
// screen saver, sends other system commands to the default procedure, and (when MouseMoveEnds
// is set) ends the show on a move of more than 2 pixels from the first position.
LRESULT CALLBACK SaverWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

// The show's mouse-down rule: a plain right click opens the About box for 10 seconds; any
// other click ends the show.
void SaverMouseDown(int button, int shift);

}  // namespace vorlux
