// The stop of the run.
#include "config/run_state.h"

#include "ui/window_utils.win32.h"

namespace vorlux {

void StopSaver(RunState& run) {
  ShowMouseCursor();
  run.StopRequested = true;
}

}  // namespace vorlux
