// The show's hidden moment at a cycle's end: low-level hooks and the other windows' answers.
#include "saver/hidden_moment.win32.h"

#include "ui/form.win32.h"
#include "ui/message_loop.win32.h"

namespace vorlux {

namespace {

// Low-level hooks and the answers of other threads come with no context of their own: this is
// the moment they report to while it lasts, and nothing otherwise.
HiddenMoment* g_lowLevelHookOwner = nullptr;

}  // namespace

HiddenMoment::HiddenMoment(uintptr_t& rounds) : rounds_(rounds) {
  g_lowLevelHookOwner = this;
  keyHook_ = SetWindowsHookExW(WH_KEYBOARD_LL, KeyWhileHidden, GetModuleHandleW(nullptr), 0);
  mouseHook_ = SetWindowsHookExW(WH_MOUSE_LL, MouseWhileHidden, GetModuleHandleW(nullptr), 0);
}

HiddenMoment::~HiddenMoment() {
  EndWatch();
  g_lowLevelHookOwner = nullptr;
}

void HiddenMoment::EndWatch() {
  if (keyHook_) UnhookWindowsHookEx(keyHook_);
  if (mouseHook_) UnhookWindowsHookEx(mouseHook_);
  keyHook_ = mouseHook_ = nullptr;
}

LRESULT CALLBACK HiddenMoment::KeyWhileHidden(int code, WPARAM wp, LPARAM lp) {
  HiddenMoment* self = g_lowLevelHookOwner;
  if (self && code == HC_ACTION && (wp == WM_KEYDOWN || wp == WM_SYSKEYDOWN)) ++self->keys_;
  return CallNextHookEx(nullptr, code, wp, lp);
}

LRESULT CALLBACK HiddenMoment::MouseWhileHidden(int code, WPARAM wp, LPARAM lp) {
  HiddenMoment* self = g_lowLevelHookOwner;
  const int button = ButtonPressed(static_cast<UINT>(wp));
  if (self && code == HC_ACTION && button && !self->button_) {
    const POINT at = reinterpret_cast<const MSLLHOOKSTRUCT*>(lp)->pt;
    self->button_ = button, self->shift_ = CurrentModifiers(), self->at_ = {at.x, at.y};
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}

void CALLBACK HiddenMoment::Answered(HWND, UINT, ULONG_PTR round, LRESULT) {
  if (HiddenMoment* self = g_lowLevelHookOwner; self && round == self->rounds_)
    --self->answersPending_;
}

BOOL CALLBACK HiddenMoment::AskToAnswer(HWND w, LPARAM moment) {
  auto* self = reinterpret_cast<HiddenMoment*>(moment);
  if (IsWindowVisible(w) && GetWindowThreadProcessId(w, nullptr) != GetCurrentThreadId() &&
      SendMessageCallbackW(w, WM_NULL, 0, 0, Answered, self->rounds_))
    ++self->answersPending_;
  return TRUE;
}

// A window that has answered since the show was hidden has had its turn to repaint what the
// show uncovered: its thread paints as soon as it has nothing else to do.
void HiddenMoment::WaitForOtherWindowsToAnswer(double seconds) {
  ++rounds_;
  answersPending_ = 0;
  EnumWindows(AskToAnswer, reinterpret_cast<LPARAM>(this));
  const double end = MonotonicSeconds() + seconds;
  while (answersPending_ > 0 && MonotonicSeconds() < end) Pause(0.002f);
}

std::optional<ShowInput> HiddenMoment::InputMeanwhile() const {
  if (keys_) return ShowInput{.kind = ShowInput::kKey};
  if (button_)
    return ShowInput{.kind = ShowInput::kButton, .button = button_, .shift = shift_, .at = at_};
  return std::nullopt;
}

}  // namespace vorlux
