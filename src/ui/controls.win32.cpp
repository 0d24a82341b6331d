// The form's controls: created from their descriptions, read and set by id, their notifications
// turned into events, labels' and frames' mouse events, and the frame class.
#include "ui/controls.win32.h"

#include <windowsx.h>

#include <algorithm>
#include <climits>
#include <string>
#include <utility>

#include "ui/fonts.win32.h"
#include "ui/form.win32.h"
#include "ui/screen_units.win32.h"

namespace vorlux {

namespace {

constexpr wchar_t kFrameClassName[] = L"VorluxFrame";

void RegisterFrameClass() {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExW(GetModuleHandleW(nullptr), kFrameClassName, &wc)) return;
  wc.lpfnWndProc = &RoutedWindowProc;  // a frame belongs to its form
  wc.cbWndExtra = sizeof(LONG_PTR);    // the font
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.lpszClassName = kFrameClassName;
  RegisterClassExW(&wc);
}

bool IsContainer(ControlKind kind) {
  return kind == ControlKind::kFrame || kind == ControlKind::kImage;
}

}  // namespace

void Form::AddControls(std::initializer_list<ControlDef> defs) {
  if (!hwnd_) return;
  RegisterFrameClass();
  // A container takes the place in the tab order of the first control it holds.
  const auto orderOf = [&](const ControlDef& c) {
    int order = c.tabIndex < 0 ? INT_MAX : c.tabIndex;
    if (IsContainer(c.kind))
      for (const ControlDef& inner : defs)
        if (inner.container == c.id && inner.tabIndex >= 0 && inner.tabIndex < order)
          order = inner.tabIndex;
    return order;
  };
  std::vector<const ControlDef*> sorted;
  for (const ControlDef& c : defs) sorted.push_back(&c);
  std::stable_sort(sorted.begin(), sorted.end(), [&](const ControlDef* a, const ControlDef* b) {
    if (IsContainer(a->kind) != IsContainer(b->kind)) return IsContainer(a->kind);  // first
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
    if (c.tabIndex >= 0 && !IsContainer(c.kind) && c.kind != ControlKind::kLabel)
      style |= WS_TABSTOP;
    const ControlState* container = Find(c.container);
    HWND parent = container ? container->hwnd : hwnd_;
    // An option starts a group unless the control before it in the same container is one.
    const auto before = std::find_if(controls_.rbegin(), controls_.rend(), [&](const auto& o) {
      return o.container == c.container && !IsContainer(o.kind);
    });
    if (c.kind != ControlKind::kOptionButton || before == controls_.rend() ||
        before->kind != ControlKind::kOptionButton)
      style |= WS_GROUP;
    HWND control = CreateWindowExW(
        exStyle, windowClass, std::wstring(c.caption).c_str(), style, TwipsToPixelsX(c.twips.left),
        TwipsToPixelsY(c.twips.top), TwipsToPixelsX(c.twips.width),
        TwipsToPixelsY(c.twips.height) + extraHeight, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), GetModuleHandleW(nullptr),
        c.kind == ControlKind::kFrame ? static_cast<WindowOwner*>(this) : nullptr);
    if (!control) continue;
    // Known before its font comes: a frame answers WM_SETFONT through the form.
    ControlState& added = controls_.emplace_back(
        ControlState{c.id, c.kind, control, c.container, orderOf(c), FontObject(), nullptr});
    if (!c.font.face.empty()) {
      added.font = CreateFontInPoints(c.font.face, c.font.points, c.font.underline, c.font.bold);
      SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(added.font.Get()), FALSE);
    }
    // A label for its mouse events, an option for its arrow keys.
    if (c.kind == ControlKind::kLabel || c.kind == ControlKind::kOptionButton)
      HookWindow(control, this);
    if (c.selected) SendMessageW(control, BM_SETCHECK, BST_CHECKED, 0);
  }
  for (const ControlState& c : controls_)
    if (c.kind == ControlKind::kOptionButton) MarkGroupStop(c);
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

const Form::ControlState* Form::FindWindow(HWND control) const {
  for (const ControlState& c : controls_)
    if (c.hwnd == control) return &c;
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
  ControlState* c = Find(id);
  if (!c) return;
  c->pointer = cursor;
  // The system asks for the cursor before a move reaches the control: a pointer changed while
  // the mouse is over it (in a move handler, say) shows at once, not one move later.
  POINT at{};
  RECT r{};
  if (IsWindowVisible(c->hwnd) && GetCursorPos(&at) && GetWindowRect(c->hwnd, &r) &&
      PtInRect(&r, at))
    SetCursor(cursor ? cursor : LoadCursorW(nullptr, IDC_ARROW));
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
  HFONT current = FontOf(c->hwnd);
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

HBRUSH Form::ControlBrush(UINT msg, HWND control, HDC dc) {
  const ControlState* c = FindWindow(control);
  if (c && c->back.Get()) {
    SetBkColor(dc, c->backColor);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    return c->back.Get();
  }
  if (msg != WM_CTLCOLORSTATIC && msg != WM_CTLCOLORBTN) return nullptr;
  if (!backBrush_.Get()) backBrush_.Reset(CreateSolidBrush(backColor_));
  SetBkColor(dc, backColor_);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  return backBrush_.Get();
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
      if (code == BN_CLICKED && !focusArriving_) SetOptionValue(id, true);
      break;
    case ControlKind::kLabel:
      if (code == STN_CLICKED) Control_Click(id);
      break;
    default:
      if (code == BN_CLICKED) Control_Click(id);
      break;
  }
}

LRESULT Form::ControlProc(const ControlState& control, UINT msg, WPARAM wp, LPARAM lp) {
  // Copied: a handler may unload the form, and its controls with it.
  const HWND window = control.hwnd;
  const int id = control.id;
  const bool frame = control.kind == ControlKind::kFrame;
  switch (msg) {
    case WM_SETFOCUS:
      if (control.kind == ControlKind::kOptionButton) {
        // Windows clicks an unselected option as the focus arrives; only the user picks one.
        const bool outer = std::exchange(focusArriving_, true);
        const LRESULT result = CallDisplacedProc(window, msg, wp, lp);
        focusArriving_ = outer;
        return result;
      }
      break;
    case WM_SETCURSOR:
      if (control.pointer) {
        SetCursor(control.pointer);
        return TRUE;
      }
      break;
    case WM_GETDLGCODE:
      // The arrow keys move an option group's selection, as a user's pick.
      if (control.kind == ControlKind::kOptionButton)
        return CallDisplacedProc(window, msg, wp, lp) | DLGC_WANTARROWS;
      break;
    case WM_KEYDOWN:
      if (control.kind == ControlKind::kOptionButton && wp >= VK_LEFT && wp <= VK_DOWN) {
        SelectNextOption(control, wp == VK_LEFT || wp == VK_UP ? -1 : 1);
        return 0;
      }
      break;
    case WM_MOUSEMOVE:
      Control_MouseMove(id, ButtonsHeld(wp), CurrentModifiers(), PixelsToTwipsX(GET_X_LPARAM(lp)),
                        PixelsToTwipsY(GET_Y_LPARAM(lp)));
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      Control_MouseDown(id, ButtonPressed(msg), CurrentModifiers(),
                        PixelsToTwipsX(GET_X_LPARAM(lp)), PixelsToTwipsY(GET_Y_LPARAM(lp)));
      if (!IsWindow(window)) return 0;  // the handler unloaded the form
      break;
    default:
      break;
  }
  return frame ? FrameProc(window, msg, wp, lp) : CallDisplacedProc(window, msg, wp, lp);
}

LRESULT Form::FrameProc(HWND frame, UINT msg, WPARAM wp, LPARAM lp) {
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
      return SendMessageW(GetParent(frame), msg, wp, lp);
    case WM_SETFONT:  // kept, so that the frame answers WM_GETFONT like other controls
      SetWindowLongPtrW(frame, 0, static_cast<LONG_PTR>(wp));
      return 0;
    case WM_GETFONT:
      return GetWindowLongPtrW(frame, 0);
    case WM_ERASEBKGND: {
      auto brush = reinterpret_cast<HBRUSH>(
          SendMessageW(GetParent(frame), WM_CTLCOLORSTATIC, wp, reinterpret_cast<LPARAM>(frame)));
      RECT r;
      GetClientRect(frame, &r);
      FillRect(reinterpret_cast<HDC>(wp), &r, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
      return 1;
    }
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(frame, &ps);
      RECT r;
      GetClientRect(frame, &r);
      DrawEdge(dc, &r, EDGE_ETCHED, BF_RECT);
      EndPaint(frame, &ps);
      return 0;
    }
    default:
      return DefWindowProcW(frame, msg, wp, lp);
  }
}

}  // namespace vorlux
