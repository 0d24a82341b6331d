// The About box fabout and the routines that open it.
#include "about/about_window.win32.h"

#include <string>

#include "about/about_text.h"
#include "about/links.h"
#include "about/links.win32.h"
#include "config/run_state.h"
#include "ui/fonts.win32.h"
#include "ui/message_loop.win32.h"
#include "ui/window_utils.win32.h"

namespace vorlux {

namespace {

enum : int {
  kIdFrame1 = 100,
  kIdLblAbout,
  kIdLblMailto,
  kIdLblWeb,
  kIdImgIcon,
};
constexpr UINT_PTR kTimerHideId = 1;
constexpr COLORREF kLinkColor = 0x00FF0000;  // pure blue

// A rectangle of a control in its parent's client coordinates.
RECT RectInParent(HWND control) {
  RECT r;
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

}  // namespace

std::shared_ptr<const Picture> Picture::FromBitmapResource(HMODULE module, int id) {
  HANDLE h = LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, 0);
  return h ? std::shared_ptr<const Picture>(new Picture(h, IMAGE_BITMAP)) : nullptr;
}

std::shared_ptr<const Picture> Picture::FromIconResource(HMODULE module, int id) {
  HANDLE h = LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                        GetSystemMetrics(SM_CYICON), 0);
  return h ? std::shared_ptr<const Picture>(new Picture(h, IMAGE_ICON)) : nullptr;
}

Picture::~Picture() {
  if (type_ == IMAGE_ICON)
    DestroyIcon(static_cast<HICON>(handle_));
  else
    DeleteObject(handle_);
}

fabout::fabout(RunState* run) : run_(run) { SetBackColor(GetSysColor(COLOR_WINDOW)); }

Form::WindowLayout fabout::Layout() const {
  WindowLayout s;
  s.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  s.exStyle = WS_EX_DLGMODALFRAME;
  s.clientWidth = 6555;
  s.clientHeight = 3180;
  s.dialogKeys = true;
  s.showInTaskbar = false;
  s.defaultButton = IDOK;  // OK answers both Enter and Esc
  s.cancelButton = IDOK;
  return s;
}

void fabout::CreateControls() {
  // The links stay hidden until Form_Load has given them their texts; they lie over the text,
  // and the button over the frame.
  const DWORD linkStyle = SS_LEFTNOWORDWRAP | SS_NOPREFIX;
  // clang-format off
  AddControls({
      {.kind = ControlKind::kFrame, .id = kIdFrame1, .twips = {180, 105, 6225, 2895},
       .font = {L"Arial", 8.25}},
      {.kind = ControlKind::kImage, .id = kIdImgIcon, .twips = {270, 480, 480, 480},
       .container = kIdFrame1, .style = SS_BITMAP},
      {.kind = ControlKind::kLabel, .id = kIdLblMailto, .caption = L"Label1",
       .twips = {885, 1905, 0, 0}, .container = kIdFrame1, .font = {L"Arial", 9},
       .style = linkStyle, .visible = false},
      {.kind = ControlKind::kLabel, .id = kIdLblWeb, .caption = L"Label1",
       .twips = {885, 2145, 0, 0}, .container = kIdFrame1, .font = {L"Arial", 9},
       .style = linkStyle, .visible = false},
      {.kind = ControlKind::kLabel, .id = kIdLblAbout, .twips = {885, 210, 5190, 2220},
       .container = kIdFrame1, .font = {L"Arial", 9.75}, .style = SS_LEFT | SS_NOPREFIX},
      {.kind = ControlKind::kPushButton, .id = IDOK, .caption = L"OK",
       .twips = {2730, 2595, 1095, 345}, .tabIndex = 0, .font = {L"Arial", 9.75},
       .style = BS_DEFPUSHBUTTON},
  });
  // clang-format on
  Frame1_ = Control(kIdFrame1);
  imgIcon_ = Control(kIdImgIcon);
  lblmailto_ = Control(kIdLblMailto);
  lblweb_ = Control(kIdLblWeb);
  lblAbout_ = Control(kIdLblAbout);
  btnOK_ = Control(IDOK);

  TimerHide_.Attach(hWnd(), kTimerHideId, 0, false);
}

void fabout::PlaceLinksOnTheirBlanks() {
  // The labels' tops in twips assume a line height that the fonts at hand need not have; the
  // label's baseline goes on the baseline of its line of blanks instead.
  const TEXTMETRICW text = TextMetricsOf(FontOf(lblAbout_));
  const RECT about = RectInParent(lblAbout_);
  const struct {
    HWND label;
    HFONT font;
    int line;
  } links[] = {{lblmailto_, FontOf(lblmailto_), kEmailPlaceholderLine},
               {lblweb_, FontOf(lblweb_), kWebPlaceholderLine}};
  for (const auto& link : links) {
    SizeLabelToText(link.label);
    const int top =
        about.top + link.line * text.tmHeight + text.tmAscent - TextMetricsOf(link.font).tmAscent;
    SetWindowPos(link.label, nullptr, about.left, top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void fabout::Form_Load() {
  SetCaption(L"About");
  loaded_ = true;
  SetWindowTextW(lblmailto_, std::wstring(kMakerEmail).c_str());
  SetWindowTextW(lblweb_, BuildWebAddress().c_str());
  PlaceLinksOnTheirBlanks();
  ShowWindow(lblmailto_, SW_SHOWNA);
  ShowWindow(lblweb_, SW_SHOWNA);
  CenterOnScreen();
}

void fabout::Form_QueryUnload(int /*unloadMode*/) { loaded_ = false; }

void fabout::Form_Unload() {
  TimerHide_.Detach();
  picture_.reset();
  btnOK_ = Frame1_ = lblweb_ = lblmailto_ = imgIcon_ = lblAbout_ = nullptr;
}

void fabout::SetPicture(PicturePtr picture) {
  if (!picture) return;
  const LONG style = GetWindowLongW(imgIcon_, GWL_STYLE) & ~SS_TYPEMASK;
  SetWindowLongW(imgIcon_, GWL_STYLE,
                 style | (picture->Type() == IMAGE_ICON ? SS_ICON : SS_BITMAP));
  SendMessageW(imgIcon_, STM_SETIMAGE, picture->Type(),
               reinterpret_cast<LPARAM>(picture->Handle()));
  picture_ = std::move(picture);  // the one shown before goes only now that it is replaced
}

void fabout::About(std::wstring_view comment, PicturePtr icon) {
  Load();
  if (!IsLoaded()) return;
  const std::wstring maker = BuildMakerName();
  AboutIdentity identity{AppTitle,    CopyrightYears,   maker,          kMakerCity,
                         kMakerEmail, kMakerWebAddress, kProgramVersion};
  // The e-mail link is wider than its count of blanks in most fonts; the text makes room.
  const RECT mail = RectInParent(lblmailto_);
  const int blank = BlankWidth(FontOf(lblAbout_));
  if (blank > 0) identity.emailLinkBlanks = (mail.right - mail.left + blank - 1) / blank;
  SetWindowTextW(lblAbout_, BuildAboutText(comment, identity).c_str());
  SetPicture(icon ? std::move(icon)
                  : Picture::FromBitmapResource(ResourceModule(), kAboutBitmapResource));
  if (storedInterval_ > 0) TimerHide_.SetEnabled(true);
  MessageBeep(MB_ICONASTERISK);
  if (modeless_) {
    Show(false);
    MakeTopMost(hWnd());
  } else {
    Show(true);
  }
}

int32_t fabout::Interval() {
  Load();
  storedInterval_ = TimerHide_.Interval();
  return storedInterval_;
}

void fabout::SetInterval(int32_t milliseconds) {
  Load();
  storedInterval_ = milliseconds;
  TimerHide_.SetInterval(milliseconds);
}

void fabout::btnOK_Click() { Unload(); }

void fabout::TimerHide_Timer() {
  TimerHide_.SetEnabled(false);
  Unload();
}

void fabout::Control_Click(int id) {
  if (id == IDOK) btnOK_Click();
}

void fabout::ShowLinkUnderMouse(int link, int other) {
  SetDefaultCursor(*this, other);
  SetHandCursor(*this, link);
  SetFontUnderline(other, false);
  SetFontUnderline(link, true);
}

void fabout::Control_MouseMove(int id, int, int, int, int) {
  switch (id) {
    case kIdLblMailto:
      ShowLinkUnderMouse(kIdLblMailto, kIdLblWeb);
      break;
    case kIdLblWeb:
      ShowLinkUnderMouse(kIdLblWeb, kIdLblMailto);
      break;
    case kIdFrame1:
    case kIdLblAbout:  // the pointers stay: each shows only over its own link
      SetFontUnderline(kIdLblMailto, false);
      SetFontUnderline(kIdLblWeb, false);
      break;
    default:
      break;
  }
}

void fabout::FollowLink(const std::wstring& target) {
  // What the shell answers is not shown: the run ends either way.
  OpenLink(GetDesktopWindow(), target);
  Unload();
  if (run_) StopSaver(*run_);
}

void fabout::Control_MouseDown(int id, int, int, int, int) {
  // Any button, on press.
  if (id == kIdLblMailto) FollowLink(MailLinkTarget());
  if (id == kIdLblWeb) FollowLink(WebLinkTarget());
}

bool fabout::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  switch (msg) {
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wp);
      const HWND control = reinterpret_cast<HWND>(lp);
      const bool link = control && (control == lblmailto_ || control == lblweb_);
      SetTextColor(dc, link ? kLinkColor : GetSysColor(COLOR_BTNTEXT));
      SetBkColor(dc, GetSysColor(COLOR_WINDOW));
      *result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
      return true;
    }
    case WM_CTLCOLORBTN:
      *result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
      return true;
    case WM_TIMER:
      if (wp != TimerHide_.Id()) return false;
      TimerHide_Timer();
      *result = 0;
      return true;
    case WM_ACTIVATE:
      // The box has one control that takes the focus.
      if (LOWORD(wp) == WA_INACTIVE || !btnOK_) return false;
      SetFocus(btnOK_);
      *result = 0;
      return true;
    default:
      return false;
  }
}

void ShowAboutBox(fabout& box, HWND owner, std::wstring_view comment, int bitmapResource,
                  int /*reserved*/, PicturePtr icon) {
  box.Load();
  ProcessPendingMessages(owner);  // keys still waiting for the owner go to it as to a dialog
  if (!icon && bitmapResource > 0)
    icon = Picture::FromBitmapResource(box.ResourceModule(), bitmapResource);
  box.About(comment, std::move(icon));
}

void AboutFromSystemMenu(fabout& box, HWND window) {
  ShowAboutBox(box, window, L"", 0, 0, nullptr);
}

void ShowAboutTimed(fabout& box, bool topMostWithTimeout, int16_t iconResource,
                    std::wstring_view comment) {
  if (topMostWithTimeout) {
    box.Load();
    box.SetInterval(10000);
    MakeTopMost(box.hWnd());
  }
  box.About(comment, iconResource == kAboutBitmapResource
                         ? nullptr
                         : Picture::FromIconResource(box.ResourceModule(), iconResource));
}

}  // namespace vorlux
