// The forms toolkit: top-level windows as C++ objects, their events, timers and fonts.
#include "ui/forms.win32.h"

#include <windowsx.h>

#include <algorithm>
#include <climits>
#include <cmath>

#include "ui/window_utils.win32.h"

namespace vorlux {

namespace {

int16_t TwipsPerPixel(int logPixelsIndex) {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, logPixelsIndex);
  ReleaseDC(nullptr, screen);
  return static_cast<int16_t>(dpi > 0 ? (1440 + dpi / 2) / dpi : 15);
}

void RegisterFormClass(WNDPROC procedure) {
  static bool registered = false;
  if (registered) return;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = procedure;
  wc.cbWndExtra = DLGWINDOWEXTRA;  // room for the dialog procedure's data
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hIcon = LoadIconW(wc.hInstance, MAKEINTRESOURCEW(1));
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.lpszClassName = kFormClassName;
  registered = RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
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

HMODULE g_resourceModule = nullptr;

// The buttons held during a mouse move.
int ButtonsHeld(WPARAM wp) {
  return (wp & MK_LBUTTON ? kLeftButton : 0) | (wp & MK_RBUTTON ? kRightButton : 0) |
         (wp & MK_MBUTTON ? kMiddleButton : 0);
}

// The owner of the forms kept out of the taskbar: never shown, so never disabled by a modal form.
HWND HiddenOwnerWindow() {
  static HWND owner = nullptr;
  if (!owner || !IsWindow(owner))
    owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
  return owner;
}

constexpr wchar_t kFrameClassName[] = L"VorluxFrame";

LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      // The controls inside belong to the form, not to the frame.
      return SendMessageW(GetParent(hwnd), msg, wp, lp);
    case WM_SETFONT:  // kept, so that the frame answers WM_GETFONT like other controls
      SetWindowLongPtrW(hwnd, 0, static_cast<LONG_PTR>(wp));
      return 0;
    case WM_GETFONT:
      return GetWindowLongPtrW(hwnd, 0);
    case WM_ERASEBKGND: {
      HDC dc = reinterpret_cast<HDC>(wp);
      auto brush = reinterpret_cast<HBRUSH>(
          SendMessageW(GetParent(hwnd), WM_CTLCOLORSTATIC, wp, reinterpret_cast<LPARAM>(hwnd)));
      RECT r;
      GetClientRect(hwnd, &r);
      FillRect(dc, &r, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
      return 1;
    }
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      RECT r;
      GetClientRect(hwnd, &r);
      DrawEdge(dc, &r, EDGE_ETCHED, BF_RECT);
      EndPaint(hwnd, &ps);
      return 0;
    }
    default:
      return DefWindowProcW(hwnd, msg, wp, lp);
  }
}

void RegisterFrameClass() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = FrameProc;
  wc.cbWndExtra = sizeof(LONG_PTR);  // the font
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.lpszClassName = kFrameClassName;
  registered = RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

int16_t ScreenTwipsPerPixelX() { return TwipsPerPixel(LOGPIXELSX); }
int16_t ScreenTwipsPerPixelY() { return TwipsPerPixel(LOGPIXELSY); }
int ScreenWidthTwips() { return GetSystemMetrics(SM_CXSCREEN) * ScreenTwipsPerPixelX(); }
int ScreenHeightTwips() { return GetSystemMetrics(SM_CYSCREEN) * ScreenTwipsPerPixelY(); }

int TwipsToPixelsX(int twips) { return MulDiv(twips, 1, ScreenTwipsPerPixelX()); }
int TwipsToPixelsY(int twips) { return MulDiv(twips, 1, ScreenTwipsPerPixelY()); }
int PixelsToTwipsX(int pixels) { return pixels * ScreenTwipsPerPixelX(); }
int PixelsToTwipsY(int pixels) { return pixels * ScreenTwipsPerPixelY(); }

int ButtonPressed(UINT msg) {
  return msg == WM_LBUTTONDOWN   ? kLeftButton
         : msg == WM_RBUTTONDOWN ? kRightButton
         : msg == WM_MBUTTONDOWN ? kMiddleButton
                                 : 0;
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
    SetWindowObject(hwnd_, nullptr);
    DestroyWindow(hwnd_);
  }
  if (backBrush_) DeleteObject(backBrush_);
}

void Form::Load() {
  if (hwnd_) return;
  RegisterFormClass(&Form::Trampoline);
  const WindowLayout layout = Layout();
  dialogKeys_ = layout.dialogKeys;
  defaultButton_ = layout.defaultButton;
  cancelButton_ = layout.cancelButton;
  RECT r{0, 0, TwipsToPixelsX(layout.clientWidth), TwipsToPixelsY(layout.clientHeight)};
  AdjustWindowRectEx(&r, layout.style, FALSE, layout.exStyle);
  HWND owner = layout.showInTaskbar ? nullptr : HiddenOwnerWindow();
  CreateWindowExW(layout.exStyle, kFormClassName, L"", layout.style & ~WS_VISIBLE, CW_USEDEFAULT,
                  CW_USEDEFAULT, r.right - r.left, r.bottom - r.top, owner, nullptr,
                  GetModuleHandleW(nullptr), this);
  if (!hwnd_) return;
  if (dialogKeys_) RegisterDialogWindow(hwnd_);
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
  HWND h = hwnd_;
  UnregisterDialogWindow(h);
  DestroyWindow(h);  // WM_NCDESTROY clears hwnd_
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
  while (hwnd_) {
    MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    ProcessPendingMessages();
  }
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

std::wstring Form::Caption() const {
  if (!hwnd_) return {};
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd_)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(GetWindowTextW(hwnd_, text.data(), static_cast<int>(text.size()))));
  return text;
}

int Form::Left() const {
  RECT r{};
  if (hwnd_) GetWindowRect(hwnd_, &r);
  return PixelsToTwipsX(r.left);
}
int Form::Top() const {
  RECT r{};
  if (hwnd_) GetWindowRect(hwnd_, &r);
  return PixelsToTwipsY(r.top);
}
int Form::Width() const {
  RECT r{};
  if (hwnd_) GetWindowRect(hwnd_, &r);
  return PixelsToTwipsX(r.right - r.left);
}
int Form::Height() const {
  RECT r{};
  if (hwnd_) GetWindowRect(hwnd_, &r);
  return PixelsToTwipsY(r.bottom - r.top);
}

void Form::Move(int left, int top, int width, int height) {
  Load();
  if (!hwnd_) return;
  SetWindowPos(hwnd_, nullptr, TwipsToPixelsX(left), TwipsToPixelsY(top), TwipsToPixelsX(width),
               TwipsToPixelsY(height), SWP_NOZORDER | SWP_NOACTIVATE);
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
  if (backBrush_) DeleteObject(backBrush_);
  backBrush_ = nullptr;
  if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void Form::AddControls(std::initializer_list<ControlDef> defs) {
  if (!hwnd_) return;
  RegisterFrameClass();
  const auto isContainer = [](const ControlDef& c) {
    return c.kind == ControlKind::kFrame || c.kind == ControlKind::kImage;
  };
  // A container takes the place in the tab order of the first control it holds.
  const auto orderOf = [&](const ControlDef& c) {
    int order = c.tabIndex < 0 ? INT_MAX : c.tabIndex;
    if (isContainer(c))
      for (const ControlDef& inner : defs)
        if (inner.container == c.id && inner.tabIndex >= 0 && inner.tabIndex < order)
          order = inner.tabIndex;
    return order;
  };
  std::vector<const ControlDef*> sorted;
  for (const ControlDef& c : defs) sorted.push_back(&c);
  std::stable_sort(sorted.begin(), sorted.end(), [&](const ControlDef* a, const ControlDef* b) {
    if (isContainer(*a) != isContainer(*b)) return isContainer(*a);  // containers first
    return orderOf(*a) < orderOf(*b);
  });
  for (const ControlDef* def : sorted) {
    const ControlDef& c = *def;
    const wchar_t* windowClass = L"STATIC";
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | c.style | (c.visible ? WS_VISIBLE : 0);
    DWORD exStyle = 0;
    int extraHeight = 0;
    switch (c.kind) {
      case ControlKind::kLabel:
        style |= SS_NOTIFY;  // without it a label is transparent to the mouse
        break;
      case ControlKind::kImage:
        break;
      case ControlKind::kFrame:
        windowClass = kFrameClassName;
        style |= WS_CLIPCHILDREN;
        exStyle = WS_EX_CONTROLPARENT;
        break;
      case ControlKind::kCheckBox:
        windowClass = L"BUTTON";
        style |= BS_AUTOCHECKBOX;
        break;
      case ControlKind::kOptionButton:
        windowClass = L"BUTTON";
        style |= BS_RADIOBUTTON;  // selected by the form, which raises the events
        break;
      case ControlKind::kComboList:
        windowClass = L"COMBOBOX";
        style |= CBS_DROPDOWNLIST | WS_VSCROLL;
        extraHeight = 200;  // room for the open list, in pixels
        break;
      case ControlKind::kPushButton:
        windowClass = L"BUTTON";
        break;
    }
    // Labels, images and frames keep their place in the tab order without being stops.
    if (c.tabIndex >= 0 && !isContainer(c) && c.kind != ControlKind::kLabel) style |= WS_TABSTOP;
    const ControlState* container = Find(c.container);
    HWND parent = container ? container->hwnd : hwnd_;
    // An option starts a group unless the control before it in the same container is one.
    const auto before = std::find_if(controls_.rbegin(), controls_.rend(), [&](const auto& o) {
      return o.container == c.container && o.kind != ControlKind::kFrame &&
             o.kind != ControlKind::kImage;
    });
    if (c.kind != ControlKind::kOptionButton || before == controls_.rend() ||
        before->kind != ControlKind::kOptionButton)
      style |= WS_GROUP;
    HWND control = CreateWindowExW(
        exStyle, windowClass, std::wstring(c.caption).c_str(), style, TwipsToPixelsX(c.twips.left),
        TwipsToPixelsY(c.twips.top), TwipsToPixelsX(c.twips.width),
        TwipsToPixelsY(c.twips.height) + extraHeight, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), GetModuleHandleW(nullptr), nullptr);
    if (!control) continue;
    ControlState state{c.id, c.kind, control, c.container, orderOf(c), FontObject(), nullptr};
    if (!c.font.face.empty()) {
      state.font = CreateFontInPoints(c.font.face, c.font.points, c.font.underline, c.font.bold);
      SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(state.font.Get()), FALSE);
    }
    if (c.kind == ControlKind::kLabel || c.kind == ControlKind::kFrame) {
      SetWindowObject(control, this);
      HookWindow(control, &Form::MouseEventsProc);
    }
    controls_.push_back(std::move(state));
  }
  // The tab order is the order of the windows: each in turn goes to the bottom of its parent.
  std::vector<const ControlState*> order;
  for (const ControlState& c : controls_) order.push_back(&c);
  std::stable_sort(order.begin(), order.end(), [](const ControlState* a, const ControlState* b) {
    return a->order < b->order;
  });
  for (const ControlState* c : order)
    SetWindowPos(c->hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

Form::ControlState* Form::Find(int id) {
  for (ControlState& c : controls_)
    if (c.id == id) return &c;
  return nullptr;
}

const Form::ControlState* Form::Find(int id) const {
  for (const ControlState& c : controls_)
    if (c.id == id) return &c;
  return nullptr;
}

HWND Form::Control(int id) const {
  const ControlState* c = Find(id);
  return c ? c->hwnd : nullptr;
}

void Form::AddListItem(int id, std::wstring_view text) {
  if (const ControlState* c = Find(id); c && c->kind == ControlKind::kComboList)
    SendMessageW(c->hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::wstring(text).c_str()));
}

int Form::ListCount(int id) const {
  const ControlState* c = Find(id);
  return c && c->kind == ControlKind::kComboList
             ? static_cast<int>(SendMessageW(c->hwnd, CB_GETCOUNT, 0, 0))
             : 0;
}

int Form::ListIndex(int id) const {
  const ControlState* c = Find(id);
  return c && c->kind == ControlKind::kComboList
             ? static_cast<int>(SendMessageW(c->hwnd, CB_GETCURSEL, 0, 0))
             : -1;
}

bool Form::SetListIndex(int id, int index) {
  const ControlState* c = Find(id);
  if (!c || c->kind != ControlKind::kComboList) return false;
  // Checked here: past the end, controls differ (some clear the selection, some keep it).
  if (index < -1 || index >= ListCount(id)) return false;
  SendMessageW(c->hwnd, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  Control_Click(id);  // the control itself tells nobody of a change made by code
  return true;
}

bool Form::OptionValue(int id) const {
  const ControlState* c = Find(id);
  return c && c->kind == ControlKind::kOptionButton &&
         SendMessageW(c->hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Form::SetOptionValue(int id, bool selected) {
  const ControlState* c = Find(id);
  if (!c || c->kind != ControlKind::kOptionButton) return;
  if (!selected) {
    SendMessageW(c->hwnd, BM_SETCHECK, BST_UNCHECKED, 0);
    return;
  }
  if (OptionValue(id)) return;
  // The group: the options next to this one in its container, up to another kind of control.
  const auto self = controls_.begin() + (c - controls_.data());
  const auto inGroup = [&](const ControlState& o) { return o.container == c->container; };
  auto first = self;
  while (first != controls_.begin() && inGroup(*(first - 1)) &&
         (first - 1)->kind == ControlKind::kOptionButton)
    --first;
  for (auto it = first;
       it != controls_.end() && inGroup(*it) && it->kind == ControlKind::kOptionButton; ++it)
    SendMessageW(it->hwnd, BM_SETCHECK, it == self ? BST_CHECKED : BST_UNCHECKED, 0);
  Control_Click(id);
}

int Form::CheckValue(int id) const {
  const ControlState* c = Find(id);
  return c && c->kind == ControlKind::kCheckBox &&
                 SendMessageW(c->hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED
             ? 1
             : 0;
}

void Form::SetCheckValue(int id, int value) {
  if (const ControlState* c = Find(id); c && c->kind == ControlKind::kCheckBox)
    SendMessageW(c->hwnd, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
}

void Form::SetMousePointer(int id, HCURSOR cursor) {
  if (ControlState* c = Find(id)) c->pointer = cursor;
}

HCURSOR Form::MousePointer(int id) const {
  const ControlState* c = Find(id);
  return c ? c->pointer : nullptr;
}

bool Form::FontUnderline(int id) const {
  const ControlState* c = Find(id);
  LOGFONTW lf{};
  return c && c->font.Get() && GetObjectW(c->font.Get(), sizeof lf, &lf) && lf.lfUnderline;
}

void Form::SetFontUnderline(int id, bool underline) {
  ControlState* c = Find(id);
  if (!c || (c->font.Get() && FontUnderline(id) == underline)) return;
  LOGFONTW lf{};
  HFONT current = reinterpret_cast<HFONT>(SendMessageW(c->hwnd, WM_GETFONT, 0, 0));
  if (!GetObjectW(current ? current : GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf)) return;
  lf.lfUnderline = underline ? TRUE : FALSE;
  FontObject font(CreateFontIndirectW(&lf));
  if (!font.Get()) return;
  SendMessageW(c->hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), TRUE);
  c->font = std::move(font);  // the control no longer uses the old one: it goes now
}

void Form::SetControlBackColor(int id, COLORREF color) {
  ControlState* c = Find(id);
  if (!c) return;
  c->back.Reset(CreateSolidBrush(color));
  c->backColor = color;
  InvalidateRect(c->hwnd, nullptr, TRUE);
}

COLORREF Form::ControlBackColor(int id) const {
  const ControlState* c = Find(id);
  return c && c->back.Get() ? c->backColor : backColor_;
}

const Form::ControlState* Form::FindWindow(HWND control) const {
  for (const ControlState& c : controls_)
    if (c.hwnd == control) return &c;
  return nullptr;
}

LRESULT Form::DefaultProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) const {
  return dialogKeys_ ? DefDlgProcW(hwnd, msg, wp, lp) : DefWindowProcW(hwnd, msg, wp, lp);
}

void Form::OnControlCommand(int id, int code) {
  if (id == IDOK && defaultButton_ && !Find(IDOK)) id = defaultButton_;
  if (id == IDCANCEL && cancelButton_ && !Find(IDCANCEL)) id = cancelButton_;
  const ControlState* c = Find(id);
  if (!c) return;
  switch (c->kind) {
    case ControlKind::kComboList:
      if (code == CBN_SELCHANGE) Control_Click(id);
      break;
    case ControlKind::kOptionButton:
      if (code == BN_CLICKED) SetOptionValue(id, true);
      break;
    case ControlKind::kLabel:
      if (code == STN_CLICKED) Control_Click(id);
      break;
    default:
      if (code == BN_CLICKED) Control_Click(id);
      break;
  }
}

LRESULT CALLBACK Form::MouseEventsProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Form* form = static_cast<Form*>(WindowObject(hwnd));
  const int id = GetDlgCtrlID(hwnd);
  if (form) {
    switch (msg) {
      case WM_SETCURSOR:
        if (const ControlState* c = form->Find(id); c && c->pointer) {
          SetCursor(c->pointer);
          return TRUE;
        }
        break;
      case WM_MOUSEMOVE: {
        form->Control_MouseMove(id, ButtonsHeld(wp), CurrentModifiers(),
                                PixelsToTwipsX(GET_X_LPARAM(lp)), PixelsToTwipsY(GET_Y_LPARAM(lp)));
        break;
      }
      case WM_LBUTTONDOWN:
      case WM_RBUTTONDOWN:
      case WM_MBUTTONDOWN: {
        form->Control_MouseDown(id, ButtonPressed(msg), CurrentModifiers(),
                                PixelsToTwipsX(GET_X_LPARAM(lp)), PixelsToTwipsY(GET_Y_LPARAM(lp)));
        // The handler may have unloaded the form, and the label with it.
        if (!IsWindow(hwnd)) return 0;
        break;
      }
      case WM_NCDESTROY:
        SetWindowObject(hwnd, nullptr);
        break;
      default:
        break;
    }
  }
  return CallSavedWndProc(hwnd, msg, wp, lp);
}

HMODULE ResourceModule() { return g_resourceModule ? g_resourceModule : GetModuleHandleW(nullptr); }
void SetResourceModule(HMODULE module) { g_resourceModule = module; }

FontObject CreateFontInPoints(std::wstring_view face, double points, bool underline, bool bold) {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  LOGFONTW lf{};
  lf.lfHeight = -static_cast<LONG>(std::lround(points * dpi / 72.0));  // character height
  lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  lf.lfUnderline = underline ? TRUE : FALSE;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  face.copy(lf.lfFaceName, LF_FACESIZE - 1);
  return FontObject(CreateFontIndirectW(&lf));
}

namespace {

// The size of a text control's caption in its own font (the longest line by all lines).
SIZE TextSizeOf(HWND control) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
  RECT r{0, 0, 0, 0};
  UINT format = DT_CALCRECT | DT_LEFT | DT_EXPANDTABS;
  if (GetWindowLongW(control, GWL_STYLE) & SS_NOPREFIX) format |= DT_NOPREFIX;
  DrawTextW(dc, text.empty() ? L" " : text.c_str(), -1, &r, format);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return {r.right - r.left, r.bottom - r.top};
}

}  // namespace

void SizeLabelToText(HWND label) {
  const SIZE size = TextSizeOf(label);
  SetWindowPos(label, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void WidenLabelToText(HWND label) {
  RECT r;
  GetWindowRect(label, &r);
  const SIZE size = TextSizeOf(label);
  if (size.cx > r.right - r.left)
    SetWindowPos(label, nullptr, 0, 0, size.cx, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormTimer::Attach(HWND window, UINT_PTR id, int intervalMs, bool enabled) {
  Detach();
  window_ = window;
  id_ = id;
  interval_ = intervalMs;
  enabled_ = enabled;
  Apply();
}

void FormTimer::Detach() {
  if (window_) KillTimer(window_, id_);
  window_ = nullptr;
  enabled_ = false;
}

void FormTimer::SetInterval(int milliseconds) {
  interval_ = milliseconds;
  Apply();
}

void FormTimer::SetEnabled(bool enabled) {
  enabled_ = enabled;
  Apply();
}

void FormTimer::Apply() {
  if (!window_) return;
  // Setting the timer again restarts the count, as a change of interval does.
  if (enabled_ && interval_ > 0)
    SetTimer(window_, id_, static_cast<UINT>(interval_), nullptr);
  else
    KillTimer(window_, id_);
}

void Form::PaintBackground(HDC dc) {
  RECT client;
  GetClientRect(hwnd_, &client);
  if (!backBrush_) backBrush_ = CreateSolidBrush(backColor_);
  BITMAP bm{};
  if (background_ && GetObjectW(background_, sizeof bm, &bm)) {
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, background_);
    BitBlt(dc, 0, 0, bm.bmWidth, bm.bmHeight, mem, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
    // The part the picture does not cover keeps the background colour.
    RECT right{bm.bmWidth, 0, client.right, client.bottom};
    RECT below{0, bm.bmHeight, bm.bmWidth, client.bottom};
    if (right.left < right.right) FillRect(dc, &right, backBrush_);
    if (below.top < below.bottom) FillRect(dc, &below, backBrush_);
  } else {
    FillRect(dc, &client, backBrush_);
  }
}

LRESULT CALLBACK Form::Trampoline(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Form* form = static_cast<Form*>(WindowObject(hwnd));
  if (!form && msg == WM_NCCREATE) {
    form = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    SetWindowObject(hwnd, form);
    form->hwnd_ = hwnd;
  }
  if (!form) return DefWindowProcW(hwnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    const LRESULT result = form->DefaultProc(hwnd, msg, wp, lp);
    SetWindowObject(hwnd, nullptr);
    if (form->hwnd_ == hwnd) form->hwnd_ = nullptr;
    return result;
  }
  return form->WindowProc(msg, wp, lp);
}

LRESULT Form::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  HWND hwnd = hwnd_;
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
    case WM_MBUTTONDOWN: {
      Form_MouseDown(ButtonPressed(msg), CurrentModifiers(), PixelsToTwipsX(GET_X_LPARAM(lp)),
                     PixelsToTwipsY(GET_Y_LPARAM(lp)));
      return 0;
    }
    case WM_MOUSEMOVE: {
      Form_MouseMove(ButtonsHeld(wp), CurrentModifiers(), PixelsToTwipsX(GET_X_LPARAM(lp)),
                     PixelsToTwipsY(GET_Y_LPARAM(lp)));
      return 0;
    }
    case WM_COMMAND:
      OnControlCommand(LOWORD(wp), HIWORD(wp));
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLOREDIT: {
      const ControlState* c = FindWindow(reinterpret_cast<HWND>(lp));
      HDC dc = reinterpret_cast<HDC>(wp);
      if (c && c->back.Get()) {
        SetBkColor(dc, c->backColor);
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        return reinterpret_cast<LRESULT>(c->back.Get());
      }
      if (msg != WM_CTLCOLORSTATIC && msg != WM_CTLCOLORBTN) break;
      if (!backBrush_) backBrush_ = CreateSolidBrush(backColor_);
      SetBkColor(dc, backColor_);
      SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
      return reinterpret_cast<LRESULT>(backBrush_);
    }
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
  return DefaultProc(hwnd, msg, wp, lp);
}

}  // namespace vorlux
