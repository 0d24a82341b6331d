// frmSS, the show's full-screen window, and its copy of the desktop.
#include "saver/show_window.win32.h"

#include "saver/input_watch.win32.h"
#include "ui/screen_units.win32.h"

namespace vorlux {

void PictureBox::Resize(int widthTwips, int heightTwips) {
  const WindowDc screen;
  image_.Reset(CreateCompatibleBitmap(screen.Get(), TwipsToPixelsX(widthTwips),
                                      TwipsToPixelsY(heightTwips)));
}

Form::WindowLayout frmSS::Layout() const {
  WindowLayout s;
  s.style = WS_POPUP;
  s.exStyle = WS_EX_TOOLWINDOW;  // no taskbar button for the show
  s.clientWidth = 0;
  s.clientHeight = 0;
  return s;
}

void frmSS::Form_Load() {
  SetBackColor(RGB(0, 0, 0));
  Move(0, 0, ScreenWidthTwips(), ScreenHeightTwips());
  SetWindowState(kWindowMaximized);
}

void frmSS::Form_QueryUnload(int unloadMode) {
  // Closed from outside (End task, the system ending): the show ends as on a key.
  if (unloadMode != kUnloadCode && saver) StopSaver(saver->run);
}

void frmSS::Form_Unload() {
  SetBackgroundPicture(nullptr);
  pic.Clear();
}

void frmSS::Form_KeyDown(int, int) {
  if (saver) AnswerShowInput(*saver, {.kind = ShowInput::kKey});
}

void frmSS::Form_MouseDown(int button, int shift, int, int) {
  if (saver)
    AnswerShowInput(*saver, {.kind = ShowInput::kButton, .button = button, .shift = shift});
}

void frmSS::Form_MouseMove(int, int, int, int) {
  if (saver && watching_) AnswerShowInput(*saver, PointerInput());
}

bool frmSS::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  switch (msg) {
    case WM_DESTROY:
      // A window destroyed under the show, however it went, ends it.
      if (saver && !saver->run.StopRequested) StopSaver(saver->run);
      return false;
    case WM_SYSCOMMAND:
      if (!watching_ || (wp & 0xFFF0) != SC_SCREENSAVE) return false;
      *result = 0;
      return true;
    case WM_GETMINMAXINFO: {
      // Maximised means the whole screen, taskbar included, not the work area.
      auto* info = reinterpret_cast<MINMAXINFO*>(lp);
      info->ptMaxPosition = {0, 0};
      info->ptMaxSize = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
      info->ptMaxTrackSize = info->ptMaxSize;
      *result = 0;
      return true;
    }
    default:
      return false;
  }
}

void CaptureDesktop(frmSS& form, const RunState& run) {
  const WindowDc screen;
  form.pic.Resize(form.Width(), form.Height());
  const int width = form.Width() / run.TwipsPerPixelX;
  const int height = form.Height() / run.TwipsPerPixelY;
  {
    const MemoryDc picDC(screen.Get());
    const Selection image(picDC.Get(), form.pic.Image());
    BitBlt(picDC.Get(), 0, 0, width, height, screen.Get(), 0, 0, SRCCOPY);
  }
  form.SetBackgroundPicture(form.pic.Image());
}

}  // namespace vorlux
