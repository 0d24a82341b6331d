// The full-screen show is not part of the program yet: its job ends the run at once.
#include "app/bas_vorlux.win32.h"

namespace vorlux {

void RunShowJob(bool) {}

}  // namespace vorlux
