// The preview: the animation at half the show's step size inside the small window that the
// screen-saver settings dialog provides, over a stretched copy of the screen unless the user
// chose black. It owns no window and watches no input: it ends when that window is gone or the
// dialog no longer shows this saver as its choice.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "config/run_state.h"
#include "saver/saver_state.win32.h"

namespace vorlux {

inline constexpr int16_t kPreviewStep = 3;
inline constexpr float kPreviewFrameDelay = 0.1f;

// What the preview keeps from its start to its end.
struct PreviewState {
  HWND TargetWindow = nullptr;  // the dialog's preview window, from the command line
  HWND HostDialog = nullptr;    // its third ancestor, where the probe looks; 0 if missing
  HDC drawDC = nullptr;         // stays empty without a window to draw on
  bool desktopPainted = false;
  std::wstring listName;  // the saver's item in the dialog's list
};

// The handle of the command line as a window: the 32-bit value, sign and all.
HWND PreviewWindowFromHandle(int32_t handle);

// Three parents up, each asked only while the one before exists; 0 when one is missing.
HWND ThirdAncestor(HWND window);

// Stretches the whole screen over the window's client area, drawing through dc.
void PaintDesktopPreview(const RunState& run, HWND window, HDC dc);

// For a non-zero TargetWindow: HostDialog, the announcement in ActiveSetup, the drawing area
// and its centre, the figure set for one figure at steps of 3, the first pen colour and the
// drawing context. The frame delay in any case. Each of these is a step of its own.
void StartPreview(PreviewState& preview, SaverState& saver);

// The preview's test after each engine call: the window still exists and the dialog still
// shows the saver as its choice.
bool PreviewGoesOn(const PreviewState& preview);

// The desktop picture once (unless ClearToBlack), then engine calls until goOn, asked after
// every call, answers false. A failing call goes on with the test.
void AnimatePreview(PreviewState& preview, SaverState& saver, const std::function<bool()>& goOn);

// ActiveSetup back to "0", the drawing context released.
void EndPreview(PreviewState& preview, SaverState& saver);

// The whole preview job, in the window whose handle the command line gave.
void RunPreviewJob(SaverState& saver, int32_t handle);

}  // namespace vorlux
