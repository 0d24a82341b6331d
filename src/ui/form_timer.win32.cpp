// A form's timer.
#include "ui/form_timer.win32.h"

namespace vorlux {

void FormTimer::Attach(HWND window, UINT_PTR id, int intervalMs, bool enabled) {
  Detach();
  window_ = window;
  id_ = id;
  interval_ = intervalMs;
  enabled_ = enabled;
  Apply();
}

void FormTimer::Detach() {
  if (window_) KillTimer(window_, id_);
  window_ = nullptr;
  enabled_ = false;
}

void FormTimer::SetInterval(int milliseconds) {
  interval_ = milliseconds;
  Apply();
}

void FormTimer::SetEnabled(bool enabled) {
  enabled_ = enabled;
  Apply();
}

void FormTimer::Apply() {
  if (!window_) return;
  // Setting the timer again restarts the count, as a change of interval does.
  if (enabled_ && interval_ > 0)
    SetTimer(window_, id_, static_cast<UINT>(interval_), nullptr);
  else
    KillTimer(window_, id_);
}

}  // namespace vorlux
