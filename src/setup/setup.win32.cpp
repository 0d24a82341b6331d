// The setup job: the dialog, modeless, with the program's message loop waiting for its end.
#include "setup/setup.win32.h"

#include "base/steps.h"
#include "setup/setup_window.win32.h"
#include "ui/message_loop.win32.h"

namespace vorlux {

void RunSetupJob(SetupState& setup, int32_t askerHandle) {
  fsetup form(setup);
  HWND dialog = nullptr;
  // The window that asked (a page of the settings dialog) is not the one to disable: its
  // parent is. A handle that names no window gives none.
  HWND owner = nullptr;
  RunStep([&] {
    if (askerHandle != 0)
      owner = GetParent(reinterpret_cast<HWND>(static_cast<intptr_t>(askerHandle)));
  });
  if (owner) EnableWindow(owner, FALSE);
  RunStep([&] {
    form.Load();
    dialog = form.hWnd();
    form.Show(false);
  });
  // The handlers raise the stop flag. A dialog that is gone without raising it ends the wait
  // too.
  RunMessageLoop([&] { return !setup.run.StopRequested && form.IsLoaded(); }, dialog);
  if (owner) {
    EnableWindow(owner, TRUE);
    SetForegroundWindow(owner);
  }
  RunStep([&] { form.Unload(); });
}

}  // namespace vorlux
