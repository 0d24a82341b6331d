// The engine's host on Windows.
#include "saver/saver_state.win32.h"

#include "ui/window_utils.win32.h"

namespace vorlux {

WindowsEngineHost::WindowsEngineHost(const RunState& run, CycleEnd endCycle)
    : run_(run), endCycle_(std::move(endCycle)), origin_(MonotonicSeconds()) {}

void WindowsEngineHost::ProcessMessages() { ProcessPendingMessages(); }

void WindowsEngineHost::Pause(float seconds) { vorlux::Pause(seconds); }

// Counted from the host's creation, so that a 32-bit float keeps millisecond resolution for
// days of running.
double WindowsEngineHost::Now() { return MonotonicSeconds() - origin_; }

void WindowsEngineHost::EndCycle(Surface& drawDC) {
  if (endCycle_) endCycle_(drawDC);
}

}  // namespace vorlux
