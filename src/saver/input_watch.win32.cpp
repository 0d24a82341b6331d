// The show's input rules: keys, clicks, mouse moves and the system's screen-saver request.
#include "saver/input_watch.win32.h"

#include "saver/show_window.win32.h"
#include "ui/forms.win32.h"
#include "ui/window_utils.win32.h"

namespace vorlux {

namespace {

void WatchMouseMove(SaverState& saver) {
  if (!saver.run.MouseMoveEnds) return;
  InputWatchState& watch = saver.watch;
  if (!watch.CursorPosRecorded) {
    GetCursorPos(&watch.FirstCursorPos);
    watch.CursorPosRecorded = true;
    return;
  }
  POINT now;
  GetCursorPos(&now);
  const POINT& first = watch.FirstCursorPos;
  // Screen positions are far from the 32-bit limits, so the bounds cannot overflow.
  if (now.x >= first.x - 2 && now.x <= first.x + 2 && now.y >= first.y - 2 && now.y <= first.y + 2)
    return;
  watch.CursorPosRecorded = false;
  StopSaver(saver.run);
}

}  // namespace

LRESULT CALLBACK SaverWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_SYSCOMMAND) {
    if ((wp & 0xFFF0) == SC_SCREENSAVE) return 0;
    return DefWindowProcW(hwnd, msg, wp, lp);
  }
  const LRESULT result = CallSavedWndProc(hwnd, msg, wp, lp);
  if (msg == WM_MOUSEMOVE) {
    auto* form = static_cast<frmSS*>(static_cast<Form*>(WindowObject(hwnd)));
    if (form && form->saver) WatchMouseMove(*form->saver);
  }
  return result;
}

void SaverKeyDown(SaverState& saver) { StopSaver(saver.run); }

void SaverMouseDown(SaverState& saver, int button, int shift) {
  if (button != kRightButton || shift != 0) {
    StopSaver(saver.run);
    return;
  }
  ShowMouseCursor();
  ShowAboutTimed(saver.about, true, kAboutBitmapResource, L"");
  if (saver.run.StopRequested) return;
  HideMouseCursor();
  // The pointer moved to close the box: the watch starts again from where it is now.
  GetCursorPos(&saver.watch.FirstCursorPos);
  saver.watch.CursorPosRecorded = true;
}

}  // namespace vorlux
