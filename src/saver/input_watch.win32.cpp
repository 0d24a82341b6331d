#include "saver/input_watch.win32.h"

#include "about/about_box.win32.h"
#include "app/forms.win32.h"
#include "app/globals.win32.h"
#include "app/window_utils.win32.h"

namespace vorlux {

InputWatchState& InputWatch() {
  static InputWatchState state;
  return state;
}

void StopSaver() {
  ShowMouseCursor();
  Run().StopRequested = true;
}

LRESULT CALLBACK SaverWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_SYSCOMMAND) {
    if ((wp & 0xFFF0) == SC_SCREENSAVE) return 0;
    return DefWindowProcW(hwnd, msg, wp, lp);
  }
  if (msg != WM_MOUSEMOVE) return CallWindowProcW(SavedWndProc(), hwnd, msg, wp, lp);

  const LRESULT result = CallWindowProcW(SavedWndProc(), hwnd, msg, wp, lp);
  if (!Run().MouseMoveEnds) return result;
  InputWatchState& watch = InputWatch();
  if (!watch.CursorPosRecorded) {
    GetCursorPos(&watch.FirstCursorPos);
    watch.CursorPosRecorded = true;
    return result;
  }
  POINT now;
  GetCursorPos(&now);
  const POINT& first = watch.FirstCursorPos;
  // Screen positions are far from the 32-bit limits, so the bounds cannot overflow.
  if (now.x >= first.x - 2 && now.x <= first.x + 2 && now.y >= first.y - 2 && now.y <= first.y + 2)
    return result;
  watch.CursorPosRecorded = false;
  StopSaver();
  return result;
}

void SaverMouseDown(int button, int shift) {
  if (button != kRightButton || shift != 0) {
    StopSaver();
    return;
  }
  ShowMouseCursor();
  InputWatch().CursorPosRecorded = false;
  ShowAboutTimed(true, 364, L"");
  if (!Run().StopRequested) HideMouseCursor();
}

}  // namespace vorlux
