// The engine's host in the program: window messages, the sleeping pause, the monotonic clock
// and the run state of the process; the show and the preview each say how the background
// comes back at the end of a cycle.
#pragma once

#include <functional>

#include "engine/engine.h"

namespace vorlux {

class WindowsEngineHost final : public EngineHost {
 public:
  using BackgroundRestorer = std::function<void(int32_t runMode, Surface& drawDC)>;

  explicit WindowsEngineHost(BackgroundRestorer restore);

  void ProcessMessages() override;
  void Pause(float seconds) override;
  double Now() override;
  void RestoreBackground(int32_t runMode, Surface& drawDC) override;
  const RunState& Run() const override;

 private:
  BackgroundRestorer restore_;
  double origin_;
};

}  // namespace vorlux
