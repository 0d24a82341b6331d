// A form's timer: WM_TIMER with its id reaches the form while it is enabled with an interval
// above 0.
#pragma once

#include <windows.h>

namespace vorlux {

class FormTimer {
 public:
  // Gives the timer its starting values each time the form loads.
  void Attach(HWND window, UINT_PTR id, int intervalMs = 0, bool enabled = false);
  void Detach();
  int Interval() const { return interval_; }
  void SetInterval(int milliseconds);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  UINT_PTR Id() const { return id_; }

 private:
  void Apply();
  HWND window_ = nullptr;
  UINT_PTR id_ = 0;
  int interval_ = 0;
  bool enabled_ = false;
};

}  // namespace vorlux
