// The full-screen show: frmSS over the primary screen and a window over each other monitor,
// every monitor's animation drawn in one frame tick until the input watch raises
// StopRequested, then everything put back.
#include "saver/show.win32.h"

#include <windows.h>

#include <cstdint>
#include <span>

#include "base/numeric.h"
#include "base/steps.h"
#include "engine/gdi_surface.win32.h"
#include "saver/hidden_moment.win32.h"
#include "saver/input_watch.win32.h"
#include "saver/other_monitors.win32.h"
#include "saver/show_window.win32.h"
#include "ui/dpi_awareness.win32.h"
#include "ui/message_loop.win32.h"
#include "ui/screen_units.win32.h"
#include "ui/window_utils.win32.h"

namespace vorlux {

namespace {

// The end of a cycle over the desktop: a fresh copy of the real desktop, without the lines, on
// every monitor. The windows are hidden together only until the windows they uncover have
// repainted, a quarter of a second at most; a key or a click meanwhile is answered as if the
// show had had it. forms: the primary's first.
void PutDesktopBack(std::span<frmSS* const> forms, SaverState& saver, uintptr_t& answerRounds) {
  HiddenMoment moment(answerRounds);
  for (frmSS* form : forms) MakeTopMost(form->hWnd());
  for (frmSS* form : forms) form->Hide();
  // Twice: the first answer may come before a window has learnt what to repaint.
  for (int round = 0; round < 2; ++round) moment.WaitForOtherWindowsToAnswer(0.12);
  Pause(0.01f);  // the paint that follows an answer
  moment.EndWatch();
  // Closed meanwhile: nothing loads a form again.
  for (frmSS* form : forms)
    if (!form->IsLoaded()) return;
  if (saver.run.StopRequested) return;
  for (frmSS* form : forms) CaptureDesktop(*form);
  for (frmSS* form : forms) {
    form->Show();
    MakeTopMost(form->hWnd());
  }
  // Hiding gave the activation to another window; the keys must come back to the show.
  SetForegroundWindow(forms.front()->hWnd());
  if (const auto input = moment.InputMeanwhile()) AnswerShowInput(saver, *input);
}

}  // namespace

void RunShowJob(SaverState& saver, bool previewActive) {
  RunState& s = saver.run;
  AnimationState& a = saver.animation;
  FigureSet& f = a.Figures;
  UniformRandomSource random(saver.random);
  // Real pixels on every monitor, whatever its scaling: set before any window or measure.
  const ThreadDpiAwareness perMonitor(DpiAwareness::kPerMonitor);
  frmSS form;
  form.saver = &saver;
  bool displayChanged = false;
  form.displayChanged = &displayChanged;
  OtherMonitors others(saver, displayChanged);
  HWND target = nullptr;
  HDC drawDC = nullptr;
  uint32_t firstColor = 0;
  uintptr_t answerRounds = 0;
  const auto centreOnPrimary = [&] {
    f.CenterX = ToInt32(ScreenWidthTwips() / 2.0 / s.TwipsPerPixelX).value_or(0);
    f.CenterY = ToInt32(ScreenHeightTwips() / 2.0 / s.TwipsPerPixelY).value_or(0);
  };
  const auto startDrawing = [&] {
    DrawOnClientArea(a, target);
    a.FrameDelay = 0.1f;
    others.StartDrawing(ColorsOf(s), random);
  };

  RunStep([&] {
    if (!previewActive) WriteActiveSetup(saver, L"0");
  });
  RunStep([&] { form.Load(); });
  RunStep([&] { target = form.hWnd(); });
  RunStep(centreOnPrimary);
  RunStep([&] { ResetFigures(f, 6); });
  RunStep([&] { firstColor = FirstColor(ColorsOf(s), random); });
  // Each monitor's desktop is copied before any window of the show appears.
  RunStep([&] { others.Open(AskMonitorAreas().All()); });
  RunStep([&] {
    if (!s.ClearToBlack) CaptureDesktop(form);
  });
  RunStep([&] {
    form.Show();
    others.Show();
    // The reference of the mouse watch: where the pointer is as the show appears, whenever the
    // system's own first mouse move reaches the window.
    RecordPointerReference(saver.watch);
    ProcessPendingMessages();
    MakeTopMost(target);
    // Keys go to the window that has the focus: the show's.
    SetForegroundWindow(target);
  });
  RunStep([&] { SystemParametersInfoW(SPI_SETSCREENSAVERRUNNING, TRUE, nullptr, 0); });
  RunStep([&] { form.WatchInput(true); });
  RunStep([&] { HideMouseCursor(); });
  RunStep([&] { GraphicsSetup(saver.graphics, target, 0, firstColor, 1, drawDC); });
  RunStep(startDrawing);

  // Nothing loads the form again once its window is gone.
  WindowsEngineHost host(s, [&](Surface&) {
    if (!s.ClearToBlack && !s.StopRequested && form.IsLoaded())
      PutDesktopBack(others.WithPrimary(form).All(), saver, answerRounds);
  });
  FollowingHost following(host);
  // New monitors, or new sizes: every monitor covered again, with animations started afresh.
  const auto coverNewLayout = [&] {
    displayChanged = false;
    others.Close();
    // The window's device context stays; the system gives it the window's new area.
    form.Move(0, 0, ScreenWidthTwips(), ScreenHeightTwips());
    centreOnPrimary();
    ResetFigures(f, 6);
    a.EnginePhase = kPhaseStart;
    a.GoesOn = false;
    others.Open(AskMonitorAreas().All());
    if (s.ClearToBlack) {
      others.Show();
      RedrawWindow(target, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
      SetForegroundWindow(target);
    } else {
      PutDesktopBack(others.WithPrimary(form).All(), saver, answerRounds);
    }
    startDrawing();
  };
  while (!s.StopRequested) {
    if (displayChanged && form.IsLoaded()) RunStep(coverNewLayout);
    // One tick: a frame of every other monitor, then the primary's, whose pause ends it.
    host.StartFrameTick();
    others.Frame(following, random, ColorsOf(s));
    GdiSurface surface(saver.graphics, drawDC);
    RunStep([&] { AnimateFigures(surface, a, host, random, ColorsOf(s)); });
  }

  RunStep([&] { SystemParametersInfoW(SPI_SETSCREENSAVERRUNNING, FALSE, nullptr, 0); });
  RunStep([&] { form.WatchInput(false); });
  RunStep([&] { others.Close(); });
  RunStep([&] { GraphicsRelease(saver.graphics, target, drawDC); });
  RunStep([&] { form.Unload(); });
}

}  // namespace vorlux
