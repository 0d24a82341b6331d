// The preview is not part of the program yet: its job ends the run at once.
#include "app/bas_vorlux.win32.h"

namespace vorlux {

void RunPreviewJob(std::wstring_view) {}

}  // namespace vorlux
