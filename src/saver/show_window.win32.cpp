// frmSS, the show's full-screen window, and its copy of the desktop.
#include "saver/show_window.win32.h"

#include "saver/input_watch.win32.h"

namespace vorlux {

void PictureBox::Resize(int widthTwips, int heightTwips) {
  HDC screen = GetDC(nullptr);
  image_.Reset(
      CreateCompatibleBitmap(screen, TwipsToPixelsX(widthTwips), TwipsToPixelsY(heightTwips)));
  ReleaseDC(nullptr, screen);
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
  if (saver) SaverKeyDown(*saver);
}

void frmSS::Form_MouseDown(int button, int shift, int, int) {
  if (saver) SaverMouseDown(*saver, button, shift);
}

bool frmSS::OnMessage(UINT msg, WPARAM, LPARAM lp, LRESULT* result) {
  // A window destroyed under the show, however it went, ends it.
  if (msg == WM_DESTROY && saver && !saver->run.StopRequested) StopSaver(saver->run);
  if (msg == WM_GETMINMAXINFO) {
    // Maximised means the whole screen, taskbar included, not the work area.
    auto* info = reinterpret_cast<MINMAXINFO*>(lp);
    info->ptMaxPosition = {0, 0};
    info->ptMaxSize = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    info->ptMaxTrackSize = info->ptMaxSize;
    *result = 0;
    return true;
  }
  return false;
}

void CaptureDesktop(frmSS& form, const RunState& run) {
  HDC screen = GetDC(nullptr);
  form.pic.Resize(form.Width(), form.Height());
  const int width = form.Width() / run.TwipsPerPixelX;
  const int height = form.Height() / run.TwipsPerPixelY;
  HDC picDC = CreateCompatibleDC(screen);
  HGDIOBJ displaced = SelectObject(picDC, form.pic.Image());
  BitBlt(picDC, 0, 0, width, height, screen, 0, 0, SRCCOPY);
  SelectObject(picDC, displaced);
  DeleteDC(picDC);
  ReleaseDC(nullptr, screen);
  form.SetBackgroundPicture(form.pic.Image());
}

}  // namespace vorlux
