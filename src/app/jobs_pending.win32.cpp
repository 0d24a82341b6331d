// Jobs whose windows are not part of the program yet: they end the run at once.
#include "app/bas_vorlux.win32.h"

namespace vorlux {

void RunSetupJob(std::wstring_view, bool) {}
void RunShowJob(bool) {}
void RunPreviewJob(std::wstring_view) {}

}  // namespace vorlux
