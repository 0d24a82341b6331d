#include "saver/engine_host.win32.h"

#include "app/globals.win32.h"
#include "app/window_utils.win32.h"

namespace vorlux {

WindowsEngineHost::WindowsEngineHost(BackgroundRestorer restore)
    : restore_(std::move(restore)), origin_(MonotonicSeconds()) {}

void WindowsEngineHost::ProcessMessages() { ProcessPendingMessages(); }

void WindowsEngineHost::Pause(float seconds) { vorlux::Pause(seconds); }

// Counted from the host's creation, so that a 32-bit float keeps millisecond resolution for
// days of running.
double WindowsEngineHost::Now() { return MonotonicSeconds() - origin_; }

void WindowsEngineHost::RestoreBackground(int32_t runMode, Surface& drawDC) {
  if (restore_) restore_(runMode, drawDC);
}

const RunState& WindowsEngineHost::Run() const { return vorlux::Run(); }

}  // namespace vorlux
