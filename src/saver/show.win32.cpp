// The full-screen show: frmSS over the whole screen, the engine drawing on it until the input
// watch raises StopRequested, then everything put back.
#include "saver/show.win32.h"

#include <windows.h>

#include "base/numeric.h"
#include "base/steps.h"
#include "engine/gdi_surface.win32.h"
#include "saver/input_watch.win32.h"
#include "saver/show_window.win32.h"
#include "ui/forms.win32.h"
#include "ui/window_utils.win32.h"

namespace vorlux {

namespace {

// The end of a cycle over the desktop: a fresh copy of the real desktop, without the lines.
void PutDesktopBack(frmSS& form, const RunState& run) {
  MakeTopMost(form.hWnd());
  form.Hide();
  ProcessPendingMessages();
  // Without a compositor the windows that hiding uncovers repaint themselves only now, each in
  // its own time: give them a moment, or the copy shows the black of the show instead.
  Pause(0.25f);
  CaptureDesktop(form, run);
  ProcessPendingMessages();
  form.Show();
  MakeTopMost(form.hWnd());
  // Hiding gave the activation to another window; the keys must come back to the show.
  SetForegroundWindow(form.hWnd());
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

  RunStep([&] {
    if (!previewActive) saver.settings.Write(s.AppTitle, kSettingSection, kKeyActiveSetup, L"0");
  });
  RunStep([&] { form.Load(); });
  RunStep([&] { target = form.hWnd(); });
  RunStep([&] {
    f.CenterX = ToInt32(ScreenWidthTwips() / 2.0 / s.TwipsPerPixelX).value_or(0);
    f.CenterY = ToInt32(ScreenHeightTwips() / 2.0 / s.TwipsPerPixelY).value_or(0);
  });
  RunStep([&] {
    f.LineStep = 6;
    f.ArcStep = 6;
    f.LastFigure = 0;
    f.Resize(0);
  });
  RunStep([&] { firstColor = s.UseRandomColors ? RandomColor(random) : s.FixedColor; });
  RunStep([&] {
    if (!s.ClearToBlack) CaptureDesktop(form, s);
  });
  RunStep([&] {
    form.Show();
    ProcessPendingMessages();
    MakeTopMost(target);
    // Keys go to the window that has the focus: the show's.
    SetForegroundWindow(target);
  });
  RunStep([&] { SystemParametersInfoW(SPI_SETSCREENSAVERRUNNING, TRUE, nullptr, 0); });
  RunStep([&] { HookWindow(target, SaverWindowProc); });
  RunStep([&] { HideMouseCursor(); });
  RunStep([&] { GraphicsSetup(saver.graphics, target, 0, firstColor, 1, drawDC); });
  RunStep([&] {
    RECT r{};
    GetClientRect(target, &r);
    a.DrawRect = {r.left, r.top, r.right, r.bottom};
  });
  RunStep([&] { a.FrameDelay = 0.1f; });

  WindowsEngineHost host(s, [&](Surface&) {
    if (!s.ClearToBlack) PutDesktopBack(form, s);
  });
  GdiSurface surface(saver.graphics, drawDC);
  while (!s.StopRequested) RunStep([&] { AnimateFigures(surface, a, host, random, ColorsOf(s)); });

  RunStep([&] { SystemParametersInfoW(SPI_SETSCREENSAVERRUNNING, FALSE, nullptr, 0); });
  RunStep([&] { UnhookWindow(target); });
  RunStep([&] { GraphicsRelease(saver.graphics, target, drawDC); });
  RunStep([&] { form.Unload(); });
}

}  // namespace vorlux
