// The show's input rules carried out.
#include "saver/input_watch.win32.h"

#include "about/about_window.win32.h"
#include "ui/window_utils.win32.h"

namespace vorlux {

namespace {

Point CursorNow() {
  POINT p{0, 0};
  GetCursorPos(&p);
  return {p.x, p.y};
}

}  // namespace

ShowInput PointerInput() { return {.kind = ShowInput::kPointer, .at = CursorNow()}; }

void AnswerShowInput(SaverState& saver, const ShowInput& input) {
  switch (DecideShowInput(input, saver.watch, saver.run.MouseMoveEnds)) {
    case ShowAnswer::kStop:
      StopSaver(saver.run);
      break;
    case ShowAnswer::kAbout:
      ShowMouseCursor();
      ShowAboutTimed(saver.about, true, kAboutBitmapResource, L"");
      if (saver.run.StopRequested) return;
      HideMouseCursor();
      // The pointer moved to close the box: the watch starts again from where it is now.
      saver.watch.FirstCursorPos = CursorNow();
      saver.watch.CursorPosRecorded = true;
      break;
    case ShowAnswer::kNothing:
      break;
  }
}

}  // namespace vorlux
