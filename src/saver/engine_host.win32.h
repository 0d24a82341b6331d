// The engine's host in the program: window messages, the sleeping pause, the monotonic clock and
// the stop flag of the run state; the show and the preview each say what ends a cycle.
#pragma once

#include <functional>

#include "config/run_state.h"
#include "engine/engine_host.h"

namespace vorlux {

class WindowsEngineHost final : public EngineHost {
 public:
  using CycleEnd = std::function<void(Surface& drawDC)>;

  WindowsEngineHost(const RunState& run, CycleEnd endCycle);

  void ProcessMessages() override;
  void Pause(float seconds) override;
  double Now() override;
  void EndCycle(Surface& drawDC) override;
  bool StopRequested() const override { return run_.StopRequested; }

 private:
  const RunState& run_;
  CycleEnd endCycle_;
  double origin_;
};

}  // namespace vorlux
