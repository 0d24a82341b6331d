// The show's input rules carried out.
#include "saver/input_watch.win32.h"

#include "about/about_window.win32.h"
#include "ui/dpi_awareness.win32.h"
#include "ui/window_utils.win32.h"

namespace vorlux {

ShowInput PointerInput() {
  POINT p{0, 0};
  GetCursorPos(&p);
  return {.kind = ShowInput::kPointer, .at = {p.x, p.y}};
}

void RecordPointerReference(InputWatchState& watch) {
  if (POINT p; GetCursorPos(&p)) watch.FirstCursorPos = {p.x, p.y};
  watch.CursorPosRecorded = true;
}

void AnswerShowInput(SaverState& saver, const ShowInput& input) {
  switch (DecideShowInput(input, saver.watch, saver.run.MouseMoveEnds)) {
    case ShowAnswer::kStop:
      StopSaver(saver.run);
      break;
    case ShowAnswer::kAbout: {
      ShowMouseCursor();
      const HMONITOR monitor = MonitorFromPoint({input.at.x, input.at.y}, MONITOR_DEFAULTTOPRIMARY);
      // The box keeps the layout it has everywhere else, at the system's DPI, whatever the
      // show's own awareness: the system scales it on a monitor of another DPI.
      const ThreadDpiAwareness systemDpi(DpiAwareness::kSystem);
      // Centred on the monitor that was clicked.
      if (MONITORINFO info{.cbSize = sizeof info}; GetMonitorInfoW(monitor, &info)) {
        saver.about.Load();
        saver.about.CenterOnArea(info.rcMonitor);
      }
      ShowAboutTimed(saver.about, true, kAboutBitmapResource, L"");
      if (saver.run.StopRequested) return;
      HideMouseCursor();
      // The pointer moved to close the box: the watch starts again from where it is now.
      RecordPointerReference(saver.watch);
      break;
    }
    case ShowAnswer::kNothing:
      break;
  }
}

}  // namespace vorlux
