// The setup job. The dialog is not part of the program yet: the job ends the run at once.
#include "setup/setup.win32.h"

namespace vorlux {

void RunSetupJob(SetupState&, int32_t) {}

}  // namespace vorlux
