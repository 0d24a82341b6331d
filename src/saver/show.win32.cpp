// The full-screen show: frmSS over the whole screen, the engine drawing on it until the input
// watch raises StopRequested, then everything put back.
#include "saver/show.win32.h"

#include <windows.h>

#include <cstdint>

#include "base/numeric.h"
#include "base/steps.h"
#include "engine/gdi_surface.win32.h"
#include "saver/input_watch.win32.h"
#include "saver/show_window.win32.h"
#include "ui/forms.win32.h"
#include "ui/window_utils.win32.h"

namespace vorlux {

namespace {

// Answers from an earlier round may still come in: only this round's are counted.
uintptr_t g_answerRound = 0;
int g_answersPending = 0;

void CALLBACK Answered(HWND, UINT, ULONG_PTR round, LRESULT) {
  if (round == g_answerRound) --g_answersPending;
}

BOOL CALLBACK AskToAnswer(HWND w, LPARAM) {
  if (IsWindowVisible(w) && GetWindowThreadProcessId(w, nullptr) != GetCurrentThreadId() &&
      SendMessageCallbackW(w, WM_NULL, 0, 0, Answered, g_answerRound))
    ++g_answersPending;
  return TRUE;
}

// Asks every visible top-level window of other threads to answer once, and waits until they all
// have, for at most the given seconds (a hung one never answers). A window that has answered
// since the show was hidden has had its turn to repaint what the show uncovered: its thread
// paints as soon as it has nothing else to do.
void WaitForOtherWindowsToAnswer(double seconds) {
  ++g_answerRound;
  g_answersPending = 0;
  EnumWindows(AskToAnswer, 0);
  const double end = MonotonicSeconds() + seconds;
  while (g_answersPending > 0 && MonotonicSeconds() < end) Pause(0.002f);
}

// Keys and buttons pressed while the show is hidden, which go to other windows: the show's own
// rules answer them once it is back.
struct HiddenInput {
  int keys = 0;
  int button = 0;  // the first button pressed (kLeftButton, ...), 0 for none
  int shift = 0;
};
HiddenInput g_hiddenInput;

LRESULT CALLBACK KeyWhileHidden(int code, WPARAM wp, LPARAM lp) {
  if (code == HC_ACTION && (wp == WM_KEYDOWN || wp == WM_SYSKEYDOWN)) ++g_hiddenInput.keys;
  return CallNextHookEx(nullptr, code, wp, lp);
}

LRESULT CALLBACK MouseWhileHidden(int code, WPARAM wp, LPARAM lp) {
  const int button = ButtonPressed(static_cast<UINT>(wp));
  if (code == HC_ACTION && button && !g_hiddenInput.button)
    g_hiddenInput.button = button, g_hiddenInput.shift = CurrentModifiers();
  return CallNextHookEx(nullptr, code, wp, lp);
}

// The end of a cycle over the desktop: a fresh copy of the real desktop, without the lines. The
// show is hidden only until the windows it uncovers have repainted, a quarter of a second at
// most; a key or a click meanwhile is answered as if the show had had it.
void PutDesktopBack(frmSS& form, SaverState& saver) {
  g_hiddenInput = {};
  HHOOK keys = SetWindowsHookExW(WH_KEYBOARD_LL, KeyWhileHidden, GetModuleHandleW(nullptr), 0);
  HHOOK mouse = SetWindowsHookExW(WH_MOUSE_LL, MouseWhileHidden, GetModuleHandleW(nullptr), 0);
  MakeTopMost(form.hWnd());
  form.Hide();
  // Twice: the first answer may come before a window has learnt what to repaint.
  for (int round = 0; round < 2; ++round) WaitForOtherWindowsToAnswer(0.12);
  Pause(0.01f);  // the paint that follows an answer
  if (keys) UnhookWindowsHookEx(keys);
  if (mouse) UnhookWindowsHookEx(mouse);
  // Closed meanwhile: nothing loads the form again.
  if (!form.IsLoaded() || saver.run.StopRequested) return;
  CaptureDesktop(form, saver.run);
  form.Show();
  MakeTopMost(form.hWnd());
  // Hiding gave the activation to another window; the keys must come back to the show.
  SetForegroundWindow(form.hWnd());
  if (g_hiddenInput.keys)
    SaverKeyDown(saver);
  else if (g_hiddenInput.button)
    SaverMouseDown(saver, g_hiddenInput.button, g_hiddenInput.shift);
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
    // The reference of the mouse watch: where the pointer is as the show appears, whenever the
    // system's own first mouse move reaches the window.
    GetCursorPos(&saver.watch.FirstCursorPos);
    saver.watch.CursorPosRecorded = true;
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

  // Nothing loads the form again once its window is gone.
  WindowsEngineHost host(s, [&](Surface&) {
    if (!s.ClearToBlack && !s.StopRequested && form.IsLoaded()) PutDesktopBack(form, saver);
  });
  GdiSurface surface(saver.graphics, drawDC);
  while (!s.StopRequested) RunStep([&] { AnimateFigures(surface, a, host, random, ColorsOf(s)); });

  RunStep([&] { SystemParametersInfoW(SPI_SETSCREENSAVERRUNNING, FALSE, nullptr, 0); });
  RunStep([&] { UnhookWindow(target); });
  RunStep([&] { GraphicsRelease(saver.graphics, target, drawDC); });
  RunStep([&] { form.Unload(); });
}

}  // namespace vorlux
