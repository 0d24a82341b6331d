// The full-screen show: frmSS over the whole screen, the engine drawing on it until the input
// watch raises StopRequested, then everything put back.
#include "saver/show.win32.h"

#include <windows.h>

#include <cstdint>

#include "base/numeric.h"
#include "base/steps.h"
#include "engine/gdi_surface.win32.h"
#include "saver/hidden_moment.win32.h"
#include "saver/input_watch.win32.h"
#include "saver/show_window.win32.h"
#include "ui/message_loop.win32.h"
#include "ui/screen_units.win32.h"
#include "ui/window_utils.win32.h"

namespace vorlux {

namespace {

// The end of a cycle over the desktop: a fresh copy of the real desktop, without the lines. The
// show is hidden only until the windows it uncovers have repainted, a quarter of a second at
// most; a key or a click meanwhile is answered as if the show had had it.
void PutDesktopBack(frmSS& form, SaverState& saver, uintptr_t& answerRounds) {
  HiddenMoment moment(answerRounds);
  MakeTopMost(form.hWnd());
  form.Hide();
  // Twice: the first answer may come before a window has learnt what to repaint.
  for (int round = 0; round < 2; ++round) moment.WaitForOtherWindowsToAnswer(0.12);
  Pause(0.01f);  // the paint that follows an answer
  moment.EndWatch();
  // Closed meanwhile: nothing loads the form again.
  if (!form.IsLoaded() || saver.run.StopRequested) return;
  CaptureDesktop(form, saver.run);
  form.Show();
  MakeTopMost(form.hWnd());
  // Hiding gave the activation to another window; the keys must come back to the show.
  SetForegroundWindow(form.hWnd());
  if (const auto input = moment.InputMeanwhile()) AnswerShowInput(saver, *input);
}

}  // namespace

void RunShowJob(SaverState& saver, bool previewActive) {
  RunState& s = saver.run;
  AnimationState& a = saver.animation;
  FigureSet& f = a.Figures;
  UniformRandomSource random(saver.random);
  frmSS form;
  form.saver = &saver;
  HWND target = nullptr;
  HDC drawDC = nullptr;
  uint32_t firstColor = 0;
  uintptr_t answerRounds = 0;

  RunStep([&] {
    if (!previewActive) WriteActiveSetup(saver, L"0");
  });
  RunStep([&] { form.Load(); });
  RunStep([&] { target = form.hWnd(); });
  RunStep([&] {
    f.CenterX = ToInt32(ScreenWidthTwips() / 2.0 / s.TwipsPerPixelX).value_or(0);
    f.CenterY = ToInt32(ScreenHeightTwips() / 2.0 / s.TwipsPerPixelY).value_or(0);
  });
  RunStep([&] { ResetFigures(f, 6); });
  RunStep([&] { firstColor = FirstColor(ColorsOf(s), random); });
  RunStep([&] {
    if (!s.ClearToBlack) CaptureDesktop(form, s);
  });
  RunStep([&] {
    form.Show();
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
  RunStep([&] {
    RECT r{};
    GetClientRect(target, &r);
    a.DrawRect = {r.left, r.top, r.right, r.bottom};
  });
  RunStep([&] { a.FrameDelay = 0.1f; });

  // Nothing loads the form again once its window is gone.
  WindowsEngineHost host(s, [&](Surface&) {
    if (!s.ClearToBlack && !s.StopRequested && form.IsLoaded())
      PutDesktopBack(form, saver, answerRounds);
  });
  GdiSurface surface(saver.graphics, drawDC);
  while (!s.StopRequested) RunStep([&] { AnimateFigures(surface, a, host, random, ColorsOf(s)); });

  RunStep([&] { SystemParametersInfoW(SPI_SETSCREENSAVERRUNNING, FALSE, nullptr, 0); });
  RunStep([&] { form.WatchInput(false); });
  RunStep([&] { GraphicsRelease(saver.graphics, target, drawDC); });
  RunStep([&] { form.Unload(); });
}

}  // namespace vorlux
