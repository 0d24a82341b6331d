// The monitors besides the primary during the show: a window, an animation and a pen each,
// drawn in the show's frame tick after the primary's rules (the tick's pause and the cycle's end
// are the primary's, once for all).
#pragma once

#include <windows.h>

#include <array>
#include <optional>
#include <span>

#include "engine/engine.h"
#include "engine/gdi_surface.win32.h"
#include "saver/monitor_layout.h"
#include "saver/saver_state.win32.h"
#include "saver/show_window.win32.h"

namespace vorlux {

// The areas to cover, the primary screen's first, from the monitors the system reports now.
MonitorAreas AskMonitorAreas();

// The show's windows, the primary's first.
struct ShowForms {
  std::array<frmSS*, kMaxMonitorAreas> form{};
  size_t count = 0;
  std::span<frmSS* const> All() const { return {form.data(), count}; }
};

// The host of the other monitors' animations: the show's own, but their pauses and cycle ends
// are left to the primary's animation, which comes last in each tick.
class FollowingHost final : public EngineHost {
 public:
  explicit FollowingHost(EngineHost& leader) : leader_(leader) {}
  void ProcessMessages() override { leader_.ProcessMessages(); }
  void Pause(float) override { leader_.ProcessMessages(); }
  double Now() override { return leader_.Now(); }
  void EndCycle(Surface&) override {}
  bool StopRequested() const override { return leader_.StopRequested(); }

 private:
  EngineHost& leader_;
};

class OtherMonitors {
 public:
  // displayChanged: raised by any of the windows when the system reports new monitors.
  OtherMonitors(SaverState& saver, bool& displayChanged)
      : saver_(saver), displayChanged_(displayChanged) {}
  ~OtherMonitors() { Close(); }
  OtherMonitors(const OtherMonitors&) = delete;
  OtherMonitors& operator=(const OtherMonitors&) = delete;

  // Loads a hidden window over each area but the first (the primary's), with a copy of the
  // desktop under it unless the screen is cleared to black.
  void Open(std::span<const Rect> areas);
  // Shows the windows, top-most.
  void Show();
  // Starts each monitor's own animation, centred on it, and the watch of its input.
  void StartDrawing(const ColorChoice& colors, RandomSource& random);
  // One frame of each monitor's animation.
  void Frame(EngineHost& host, RandomSource& random, const ColorChoice& colors);
  // Releases the pens and unloads the windows; a window closed so is no stop of the show.
  void Close();
  // The primary's window followed by the loaded windows of the others.
  ShowForms WithPrimary(frmSS& primary);

 private:
  struct Monitor {
    frmSS form;
    AnimationState animation;
    GraphicsState graphics;
    HWND window = nullptr;  // kept: touching a form's handle would load it again
    HDC dc = nullptr;
  };
  SaverState& saver_;
  bool& displayChanged_;
  std::array<std::optional<Monitor>, kMaxMonitorAreas - 1> monitors_;
  size_t count_ = 0;
  std::span<std::optional<Monitor>> Opened() { return {monitors_.data(), count_}; }
};

// The animation draws on the window's client area, one frame per call (the show's tick takes
// one frame of each monitor in turn).
void DrawOnClientArea(AnimationState& animation, HWND window);
// Sets up a new animation (in its start phase, 0.1 s a frame) on a window: steps of 6, one
// figure, drawn on its client area and centred in it.
void StartAnimation(AnimationState& animation, HWND window);

}  // namespace vorlux
