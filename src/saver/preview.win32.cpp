// The preview inside the settings dialog's window.
#include "saver/preview.win32.h"

#include <string>

#include "base/numeric.h"
#include "base/steps.h"
#include "engine/gdi_surface.win32.h"
#include "saver/list_name.win32.h"
#include "saver/probe.win32.h"
#include "ui/gdi.win32.h"
#include "ui/message_loop.win32.h"
#include "ui/screen_units.win32.h"

namespace vorlux {
namespace {

// The desktop window's DC is the whole screen. Its handle may come in any of its forms (the
// low word alone names it too), so it is known by its class.
bool IsDesktopWindow(HWND window) {
  wchar_t name[16] = {};
  return window && GetClassNameW(window, name, 16) > 0 && std::wstring_view(name) == L"#32769";
}

int32_t ScreenPixels(int twips, int16_t twipsPerPixel) {
  if (twipsPerPixel == 0) throw Error("no twips per pixel");
  return twips / twipsPerPixel;
}

int32_t HalfOf(int32_t low, int32_t high) {
  const auto half = ToInt32((static_cast<double>(high) - low) / 2.0);
  if (!half) throw OverflowError("centre outside the 32-bit range");
  return *half;
}

}  // namespace

HWND PreviewWindowFromHandle(int32_t handle) {
  return reinterpret_cast<HWND>(static_cast<INT_PTR>(handle));
}

HWND ThirdAncestor(HWND window) {
  HWND ancestor = window;
  for (int i = 0; i < 3 && ancestor; ++i) ancestor = GetParent(ancestor);
  return ancestor;
}

void PaintDesktopPreview(const RunState& run, HWND window, HDC dc) {
  const WindowDc screen;
  const int32_t width = ScreenPixels(ScreenWidthTwips(), run.TwipsPerPixelX);
  const int32_t height = ScreenPixels(ScreenHeightTwips(), run.TwipsPerPixelY);
  RECT client{};
  GetClientRect(window, &client);
  // A thumbnail about a sixth of the screen's size: averaging keeps it readable, where the
  // device context's own mode would AND whole rows of pixels into one. Both the mode and the
  // brush origin (which HALFTONE moves) are put back for the engine.
  const int oldMode = SetStretchBltMode(dc, HALFTONE);
  POINT oldOrigin{};
  const bool originSaved = SetBrushOrgEx(dc, 0, 0, &oldOrigin) != FALSE;
  StretchBlt(dc, 0, 0, client.right - client.left, client.bottom - client.top, screen.Get(), 0, 0,
             width, height, SRCCOPY);
  if (originSaved) SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
  if (oldMode != 0) SetStretchBltMode(dc, oldMode);
}

void StartPreview(PreviewState& p, SaverState& saver) {
  AnimationState& animation = saver.animation;
  const RunState& run = saver.run;
  FigureSet& f = animation.Figures;
  if (p.TargetWindow) {
    RunStep([&] { p.HostDialog = ThirdAncestor(p.TargetWindow); });
    RunStep([&] {
      const auto handle = static_cast<int32_t>(reinterpret_cast<INT_PTR>(p.TargetWindow));
      WriteActiveSetup(saver, DecimalText(handle));
    });
    RunStep([&] {
      RECT r{};
      GetClientRect(p.TargetWindow, &r);
      animation.DrawRect = {r.left, r.top, r.right, r.bottom};
    });
    RunStep([&] { f.CenterX = HalfOf(animation.DrawRect.left, animation.DrawRect.right); });
    RunStep([&] { f.CenterY = HalfOf(animation.DrawRect.top, animation.DrawRect.bottom); });
    RunStep([&] { ResetFigures(f, kPreviewStep); });
    uint32_t firstColor = 0;
    RunStep([&] {
      UniformRandomSource random(saver.random);
      firstColor = FirstColor(ColorsOf(run), random);
    });
    RunStep([&] {
      // Whatever the command line says, the preview never draws over the whole screen.
      if (IsDesktopWindow(p.TargetWindow)) return;
      GraphicsSetup(saver.graphics, p.TargetWindow, 0, firstColor, 1, p.drawDC);
    });
  }
  RunStep([&] { animation.FrameDelay = kPreviewFrameDelay; });
}

bool PreviewGoesOn(const PreviewState& p) {
  // Both are asked every time, as the dialog may have changed either.
  const bool exists = IsWindow(p.TargetWindow) != FALSE;
  const bool chosen = IsSaverSelected(p.HostDialog, p.listName);
  return exists && chosen;
}

void AnimatePreview(PreviewState& p, SaverState& saver, const std::function<bool()>& goOn) {
  const RunState& run = saver.run;
  GdiSurface surface(saver.graphics, p.drawDC);
  // The window's end or the dialog's new choice ends the preview inside an engine call too, as
  // often as the engine asks: the window at most every 20 ms, the choice (some questions to
  // the dialog) at most every quarter of a second.
  // A window once gone stays gone; the choice is asked again after each call that goes on.
  double windowAsked = -1, choiceAsked = -1;
  bool windowGone = false, unchosen = false;
  const auto ends = [&] {
    const double now = MonotonicSeconds();
    if (!windowGone && now - windowAsked >= 0.02)
      windowAsked = now, windowGone = !IsWindow(p.TargetWindow);
    if (!windowGone && !unchosen && now - choiceAsked >= 0.25)
      choiceAsked = now, unchosen = !IsSaverSelected(p.HostDialog, p.listName);
    return windowGone || unchosen;
  };
  WindowsEngineHost host(
      run,
      [&](Surface&) {
        if (!run.ClearToBlack) PaintDesktopPreview(run, p.TargetWindow, surface.Dc());
      },
      ends);
  UniformRandomSource random(saver.random);
  for (;;) {
    RunStep([&] {
      if (run.ClearToBlack || p.desktopPainted) return;
      ProcessPendingMessages();
      p.desktopPainted = true;
      PaintDesktopPreview(run, p.TargetWindow, surface.Dc());
    });
    RunStep([&] { AnimateFigures(surface, saver.animation, host, random, ColorsOf(run)); });
    bool again = false;
    RunStep([&] { again = goOn(); });
    if (!again) return;
    unchosen = false;  // the test after the call has just asked
    choiceAsked = MonotonicSeconds();
  }
}

void EndPreview(PreviewState& p, SaverState& saver) {
  RunStep([&] { WriteActiveSetup(saver, L"0"); });
  RunStep([&] {
    GraphicsRelease(saver.graphics, p.TargetWindow, p.drawDC);
    p.drawDC = nullptr;
  });
}

void RunPreviewJob(SaverState& saver, int32_t handle) {
  PreviewState p;
  RunStep([&] { p.listName = ProgramListName(); });
  RunStep([&] { p.TargetWindow = PreviewWindowFromHandle(handle); });
  StartPreview(p, saver);
  AnimatePreview(p, saver, [&] { return PreviewGoesOn(p); });
  EndPreview(p, saver);
}

}  // namespace vorlux
