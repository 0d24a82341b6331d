// The form: its window and class, its message route, loading and unloading, the modal loop.
#include "ui/form.win32.h"

#include <windowsx.h>

#include <string>

#include "ui/message_loop.win32.h"
#include "ui/screen_units.win32.h"
#include "ui/window_utils.win32.h"

namespace vorlux {

namespace {

void RegisterFormClass() {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExW(GetModuleHandleW(nullptr), kFormClassName, &wc)) return;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = &RoutedWindowProc;
  wc.cbWndExtra = DLGWINDOWEXTRA;  // room for the dialog procedure's data
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hIcon = LoadIconW(wc.hInstance, MAKEINTRESOURCEW(1));
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.lpszClassName = kFormClassName;
  RegisterClassExW(&wc);
}

struct ModalCollect {
  HWND self;
  std::vector<HWND>* out;
};

BOOL CALLBACK DisableForModal(HWND w, LPARAM lp) {
  auto* c = reinterpret_cast<ModalCollect*>(lp);
  if (w != c->self && IsWindowVisible(w) && IsWindowEnabled(w)) {
    EnableWindow(w, FALSE);
    c->out->push_back(w);
  }
  return TRUE;
}

RECT OuterRect(HWND window) {
  RECT r{};
  if (window) GetWindowRect(window, &r);
  return r;
}

}  // namespace

int ButtonPressed(UINT msg) {
  return msg == WM_LBUTTONDOWN   ? kLeftButton
         : msg == WM_RBUTTONDOWN ? kRightButton
         : msg == WM_MBUTTONDOWN ? kMiddleButton
                                 : 0;
}

int ButtonsHeld(WPARAM wp) {
  return (wp & MK_LBUTTON ? kLeftButton : 0) | (wp & MK_RBUTTON ? kRightButton : 0) |
         (wp & MK_MBUTTON ? kMiddleButton : 0);
}

int CurrentModifiers() {
  int shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= kShiftMask;
  if (GetKeyState(VK_CONTROL) < 0) shift |= kCtrlMask;
  if (GetKeyState(VK_MENU) < 0) shift |= kAltMask;
  return shift;
}

Form::~Form() {
  if (hwnd_) {
    // The windows go without their owner: nothing reaches this object any more.
    for (const ControlState& c : controls_) {
      UnhookWindow(c.hwnd);
      ReleaseWindow(c.hwnd);
    }
    ReleaseWindow(hwnd_);
    DestroyWindow(hwnd_);
  }
  if (hiddenOwner_) DestroyWindow(hiddenOwner_);
}

void Form::Load() {
  if (hwnd_) return;
  RegisterFormClass();
  const WindowLayout layout = Layout();
  dialogKeys_ = layout.dialogKeys;
  defaultButton_ = layout.defaultButton;
  cancelButton_ = layout.cancelButton;
  RECT r{0, 0, TwipsToPixelsX(layout.clientWidth), TwipsToPixelsY(layout.clientHeight)};
  AdjustWindowRectEx(&r, layout.style, FALSE, layout.exStyle);
  // Never shown, so never disabled by a modal form.
  if (!layout.showInTaskbar && !IsWindow(hiddenOwner_))
    hiddenOwner_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
  CreateWindowExW(layout.exStyle, kFormClassName, L"", layout.style & ~WS_VISIBLE, CW_USEDEFAULT,
                  CW_USEDEFAULT, r.right - r.left, r.bottom - r.top,
                  layout.showInTaskbar ? nullptr : hiddenOwner_, nullptr, GetModuleHandleW(nullptr),
                  static_cast<WindowOwner*>(this));
  if (!hwnd_) return;
  CreateControls();
  Form_Load();
}

void Form::Unload() { UnloadWith(kUnloadCode); }

void Form::UnloadWith(int unloadMode) {
  if (!hwnd_) return;
  Form_QueryUnload(unloadMode);
  Form_Unload();
  // Give the other windows back their input before this one goes, so that activation
  // returns to them rather than to another program.
  EnableWindowsDisabledByModal();
  DestroyWindow(hwnd_);  // WM_NCDESTROY clears hwnd_
  hwnd_ = nullptr;
  controls_.clear();  // their fonts, now that no window uses them
  background_ = nullptr;
}

void Form::Show(bool modal) {
  Load();
  if (!hwnd_) return;
  const int show = windowState_ == kWindowMaximized   ? SW_SHOWMAXIMIZED
                   : windowState_ == kWindowMinimized ? SW_SHOWMINIMIZED
                                                      : SW_SHOW;
  if (!modal) {
    ShowWindow(hwnd_, show);
    return;
  }
  // A modal form disables the program's other windows until it is unloaded.
  ModalCollect collect{hwnd_, &disabledByModal_};
  EnumThreadWindows(GetCurrentThreadId(), DisableForModal, reinterpret_cast<LPARAM>(&collect));
  ShowWindow(hwnd_, show);
  SetForegroundWindow(hwnd_);
  RunMessageLoop([this] { return hwnd_ != nullptr; }, dialogKeys_ ? hwnd_ : nullptr);
  EnableWindowsDisabledByModal();  // also when the window went other than by unloading
}

void Form::EnableWindowsDisabledByModal() {
  for (HWND w : disabledByModal_)
    if (IsWindow(w)) EnableWindow(w, TRUE);
  disabledByModal_.clear();
}

void Form::Hide() {
  Load();
  if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
}

HWND Form::hWnd() {
  Load();
  return hwnd_;
}

void Form::SetCaption(std::wstring_view caption) {
  Load();
  if (hwnd_) SetWindowTextW(hwnd_, std::wstring(caption).c_str());
}

int Form::Left() const { return PixelsToTwipsX(OuterRect(hwnd_).left); }
int Form::Top() const { return PixelsToTwipsY(OuterRect(hwnd_).top); }
int Form::Width() const {
  const RECT r = OuterRect(hwnd_);
  return PixelsToTwipsX(r.right - r.left);
}
int Form::Height() const {
  const RECT r = OuterRect(hwnd_);
  return PixelsToTwipsY(r.bottom - r.top);
}

void Form::Move(int left, int top, int width, int height) {
  Load();
  if (!hwnd_) return;
  SetWindowPos(hwnd_, nullptr, TwipsToPixelsX(left), TwipsToPixelsY(top), TwipsToPixelsX(width),
               TwipsToPixelsY(height), SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::CenterOnScreen() {
  CenterOnArea({0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
}

void Form::CenterOnArea(const RECT& area) {
  // Integer division truncates toward zero, as the centring rule asks.
  Move(PixelsToTwipsX(area.left) + (PixelsToTwipsX(area.right - area.left) - Width()) / 2,
       PixelsToTwipsY(area.top) + (PixelsToTwipsY(area.bottom - area.top) - Height()) / 2, Width(),
       Height());
}

void Form::SetWindowState(WindowState state) {
  windowState_ = state;
  if (hwnd_ && IsWindowVisible(hwnd_))
    ShowWindow(hwnd_, state == kWindowMaximized   ? SW_MAXIMIZE
                      : state == kWindowMinimized ? SW_MINIMIZE
                                                  : SW_RESTORE);
}

void Form::SetBackgroundPicture(HBITMAP picture) {
  background_ = picture;
  if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void Form::SetBackColor(COLORREF color) {
  backColor_ = color;
  backBrush_.Reset();
  if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void Form::PaintBackground(HDC dc) {
  RECT client;
  GetClientRect(hwnd_, &client);
  if (!backBrush_.Get()) backBrush_.Reset(CreateSolidBrush(backColor_));
  BITMAP bm{};
  if (background_ && GetObjectW(background_, sizeof bm, &bm)) {
    {
      const MemoryDc mem(dc);
      const Selection picture(mem.Get(), background_);
      BitBlt(dc, 0, 0, bm.bmWidth, bm.bmHeight, mem.Get(), 0, 0, SRCCOPY);
    }
    // The part the picture does not cover keeps the background colour.
    RECT right{bm.bmWidth, 0, client.right, client.bottom};
    RECT below{0, bm.bmHeight, bm.bmWidth, client.bottom};
    if (right.left < right.right) FillRect(dc, &right, backBrush_.Get());
    if (below.top < below.bottom) FillRect(dc, &below, backBrush_.Get());
  } else {
    FillRect(dc, &client, backBrush_.Get());
  }
}

LRESULT Form::OnWindowMessage(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
  // The form's own window is the first to be created with this owner.
  if (!hwnd_ && msg == WM_NCCREATE) hwnd_ = window;
  if (window == hwnd_) {
    if (msg != WM_NCDESTROY) return WindowProc(msg, wp, lp);
    const LRESULT result = DefaultProc(msg, wp, lp);
    hwnd_ = nullptr;
    return result;
  }
  if (const ControlState* c = FindWindow(window)) return ControlProc(*c, msg, wp, lp);
  return CallDisplacedProc(window, msg, wp, lp);  // a frame still being created
}

LRESULT Form::DefaultProc(UINT msg, WPARAM wp, LPARAM lp) const {
  return dialogKeys_ ? DefDlgProcW(hwnd_, msg, wp, lp) : DefWindowProcW(hwnd_, msg, wp, lp);
}

LRESULT Form::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  LRESULT result = 0;
  if (OnMessage(msg, wp, lp, &result)) return result;
  switch (msg) {
    case WM_ERASEBKGND:
      PaintBackground(reinterpret_cast<HDC>(wp));
      return 1;
    case WM_KEYDOWN:
      Form_KeyDown(static_cast<int>(wp), CurrentModifiers());
      return 0;
    case WM_SYSKEYDOWN:
      Form_KeyDown(static_cast<int>(wp), CurrentModifiers());
      break;  // the system keys keep their default handling (Alt+F4, Alt+Space)
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      Form_MouseDown(ButtonPressed(msg), CurrentModifiers(), PixelsToTwipsX(GET_X_LPARAM(lp)),
                     PixelsToTwipsY(GET_Y_LPARAM(lp)));
      return 0;
    case WM_MOUSEMOVE:
      Form_MouseMove(ButtonsHeld(wp), CurrentModifiers(), PixelsToTwipsX(GET_X_LPARAM(lp)),
                     PixelsToTwipsY(GET_Y_LPARAM(lp)));
      return 0;
    case WM_COMMAND:
      OnControlCommand(LOWORD(wp), HIWORD(wp));
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLOREDIT:
      if (HBRUSH brush = ControlBrush(msg, reinterpret_cast<HWND>(lp), reinterpret_cast<HDC>(wp)))
        return reinterpret_cast<LRESULT>(brush);
      break;
    case DM_GETDEFID:
      if (!defaultButton_) break;
      return MAKELRESULT(defaultButton_, DC_HASDEFID);
    case WM_CLOSE:
      UnloadWith(kUnloadControlMenu);
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      if (wp) UnloadWith(kUnloadWindowsShutdown);
      return 0;
    default:
      break;
  }
  return DefaultProc(msg, wp, lp);
}

}  // namespace vorlux
