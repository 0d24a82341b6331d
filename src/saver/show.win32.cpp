// The full-screen show: frmSS over the whole screen, the engine drawing on it until the input
// watch raises StopRequested, then everything put back.
#include <windows.h>

#include "app/bas_vorlux.win32.h"
#include "app/command_line.h"
#include "app/forms.win32.h"
#include "app/globals.win32.h"
#include "app/numeric.h"
#include "app/steps.h"
#include "app/window_utils.win32.h"
#include "config/registry_store.win32.h"
#include "engine/animation.win32.h"
#include "engine/bas_graphical.win32.h"
#include "saver/engine_host.win32.h"
#include "saver/frmss.win32.h"
#include "saver/input_watch.win32.h"

namespace vorlux {

namespace {

// The end of a cycle over the desktop: a fresh copy of the real desktop, without the lines.
void PutDesktopBack(frmSS& form) {
  MakeTopMost(form.hWnd());
  form.Hide();
  ProcessPendingMessages();
  // Without a compositor the windows that hiding uncovers repaint themselves only now, each in
  // its own time: give them a moment, or the copy shows the black of the show instead.
  Pause(0.25f);
  CaptureDesktop(form);
  ProcessPendingMessages();
  form.Show();
  MakeTopMost(form.hWnd());
  // Hiding gave the activation to another window; the keys must come back to the show.
  SetForegroundWindow(form.hWnd());
}

}  // namespace

void RunShowJob(bool previewActive) {
  RunState& s = Run();
  AnimationState& a = Animation();
  FigureSet& f = a.Figures;
  UniformRandomSource random(Random());
  frmSS& form = FormInstance<frmSS>();
  HWND target = nullptr;
  HDC drawDC = nullptr;
  uint32_t firstColor = 0;

  RunStep([&] {
    if (!previewActive) WriteSetting(s.AppTitle, kSettingSection, kKeyActiveSetup, L"0");
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
    if (!s.ClearToBlack) CaptureDesktop(form);
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
  RunStep([&] { GraphicsSetup(Graphics(), target, 0, firstColor, 1, drawDC); });
  RunStep([&] {
    RECT r{};
    GetClientRect(target, &r);
    a.DrawRect = {r.left, r.top, r.right, r.bottom};
  });
  RunStep([&] { a.FrameDelay = 0.1f; });

  WindowsEngineHost host([&form](int32_t runMode, Surface&) {
    if (runMode == kRunModeShow) PutDesktopBack(form);
  });
  GdiSurface surface(Graphics(), drawDC);
  while (!s.StopRequested) RunStep([&] { AnimateFigures(surface, a, host, random); });

  RunStep([&] { SystemParametersInfoW(SPI_SETSCREENSAVERRUNNING, FALSE, nullptr, 0); });
  RunStep([&] { UnhookWindow(target); });
  RunStep([&] { GraphicsRelease(Graphics(), target, drawDC); });
  RunStep([&] { form.Unload(); });
}

}  // namespace vorlux
