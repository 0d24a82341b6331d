// The engine's host on Windows, and the announcement of a preview.
#include "saver/saver_state.win32.h"

#include <algorithm>
#include <cmath>

#include "ui/message_loop.win32.h"

namespace vorlux {

WindowsEngineHost::WindowsEngineHost(const RunState& run, CycleEnd endCycle, StopTest stopWhen)
    : run_(run),
      endCycle_(std::move(endCycle)),
      stopWhen_(std::move(stopWhen)),
      origin_(MonotonicSeconds()) {}

void WindowsEngineHost::ProcessMessages() {
  // Between figures the queue is looked at every 10 ms at most: under Wine each look is a round
  // trip to the server. A pause still looks every time.
  const double now = MonotonicSeconds();
  if (now - lastMessages_ < 0.01) return;
  lastMessages_ = now;
  ProcessPendingMessages();
}

void WindowsEngineHost::Pause(float seconds) {
  constexpr double kSlice = 0.05;
  const double end = MonotonicSeconds() + (std::isfinite(seconds) && seconds > 0 ? seconds : 0.0);
  do {
    vorlux::Pause(static_cast<float>(std::clamp(end - MonotonicSeconds(), 0.0, kSlice)));
  } while (!StopRequested() && MonotonicSeconds() < end);
}

// Counted from the host's creation, so that a 32-bit float keeps millisecond resolution for
// days of running.
double WindowsEngineHost::Now() { return tick_ ? *tick_ : MonotonicSeconds() - origin_; }

void WindowsEngineHost::StartFrameTick() { tick_ = MonotonicSeconds() - origin_; }

void WriteActiveSetup(SaverState& saver, std::wstring_view value) {
  saver.settings.Write(saver.run.AppTitle, kSettingSection, kKeyActiveSetup, value);
}

void WindowsEngineHost::EndCycle(Surface& drawDC) {
  if (endCycle_) endCycle_(drawDC);
}

}  // namespace vorlux
