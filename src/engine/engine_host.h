// What the animation engine asks of the platform: window messages, a pause, a monotonic clock,
// the end of a cycle, and the stop flag. The program's host wraps the window utilities and the
// show or preview; tests use a fake clock.
#pragma once

#include "engine/surface.h"

namespace vorlux {

class EngineHost {
 public:
  virtual ~EngineHost() = default;

  // Dispatches every message waiting in the thread's queue, then returns.
  virtual void ProcessMessages() = 0;
  // Waits the given seconds while processing messages (at least once, also for 0).
  virtual void Pause(float seconds) = 0;
  // Seconds on a clock that never goes back, from an origin near the start of the process so
  // that a 32-bit float still resolves milliseconds after hours.
  virtual double Now() = 0;
  // A cycle has ended: the area was cleared and the pause is over. The show puts a fresh copy
  // of the desktop back behind the animation, the preview the stretched screen, unless the
  // user chose a black screen.
  virtual void EndCycle(Surface& drawDC) = 0;
  // Raised by the handlers that run inside any of the calls above; never cleared.
  virtual bool StopRequested() const = 0;
};

// The engine's check between figures: the handlers run first, so a key pressed meanwhile counts.
inline bool Stopped(EngineHost& host) {
  host.ProcessMessages();
  return host.StopRequested();
}

}  // namespace vorlux
