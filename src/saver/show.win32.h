// The full-screen show job.
#pragma once

#include "saver/saver_state.win32.h"

namespace vorlux {

// frmSS over the whole screen, the engine drawing on it until the input watch raises
// StopRequested, then everything put back. previewActive: a preview has announced itself in
// ActiveSetup, which the show then leaves as it is.
void RunShowJob(SaverState& saver, bool previewActive);

}  // namespace vorlux
