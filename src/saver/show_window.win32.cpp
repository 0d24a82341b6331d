// frmSS, the show's full-screen window, and its copy of the desktop.
#include "saver/show_window.win32.h"

#include "saver/input_watch.win32.h"
#include "ui/screen_units.win32.h"

namespace vorlux {

void PictureBox::Resize(int width, int height) {
  const WindowDc screen;
  image_.Reset(CreateCompatibleBitmap(screen.Get(), width, height));
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
  if (area_) {
    Move(PixelsToTwipsX(area_->left), PixelsToTwipsY(area_->top),
         PixelsToTwipsX(area_->right - area_->left), PixelsToTwipsY(area_->bottom - area_->top));
    return;
  }
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
  if (!saver) return;
  POINT at{0, 0};
  GetCursorPos(&at);
  AnswerShowInput(
      *saver, {.kind = ShowInput::kButton, .button = button, .shift = shift, .at = {at.x, at.y}});
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
    case WM_DISPLAYCHANGE:
      if (displayChanged) *displayChanged = true;
      return false;
    case WM_GETMINMAXINFO: {
      if (area_) return false;
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

void CaptureDesktop(frmSS& form) {
  RECT r{};
  GetWindowRect(form.hWnd(), &r);
  const int width = r.right - r.left;
  const int height = r.bottom - r.top;
  form.pic.Resize(width, height);
  {
    const WindowDc screen;
    const MemoryDc picDC(screen.Get());
    const Selection image(picDC.Get(), form.pic.Image());
    BitBlt(picDC.Get(), 0, 0, width, height, screen.Get(), r.left, r.top, SRCCOPY);
  }
  form.SetBackgroundPicture(form.pic.Image());
}

}  // namespace vorlux
