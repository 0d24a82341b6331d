// The forms toolkit's option groups: one selected option, which is the group's one tab stop,
// and the arrow keys that move the selection.
#include <algorithm>
#include <utility>

#include "ui/form.win32.h"

namespace vorlux {

bool Form::OptionValue(int id) const {
  const ControlState* c = Find(id);
  return c && c->kind == ControlKind::kOptionButton &&
         SendMessageW(c->hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::pair<const Form::ControlState*, const Form::ControlState*> Form::OptionGroup(
    const ControlState& c) const {
  // The options next to this one in its container, up to another kind of control.
  const auto inGroup = [&](const ControlState& o) {
    return o.container == c.container && o.kind == ControlKind::kOptionButton;
  };
  const ControlState *first = &c, *end = &c + 1;
  while (first != controls_.data() && inGroup(*(first - 1))) --first;
  while (end != controls_.data() + controls_.size() && inGroup(*end)) ++end;
  return {first, end};
}

void Form::MarkGroupStop(const ControlState& option) {
  // The selected option, or the first when none is: Tab never brings the focus to another.
  const auto [first, end] = OptionGroup(option);
  const ControlState* stop =
      std::find_if(first, end, [&](const ControlState& o) { return OptionValue(o.id); });
  if (stop == end) stop = first;
  for (const ControlState* o = first; o != end; ++o) {
    const LONG style = GetWindowLongW(o->hwnd, GWL_STYLE) & ~WS_TABSTOP;
    SetWindowLongW(o->hwnd, GWL_STYLE, style | (o == stop ? WS_TABSTOP : 0));
  }
}

void Form::SetOptionValue(int id, bool selected) {
  const ControlState* c = Find(id);
  if (!c || c->kind != ControlKind::kOptionButton || (selected && OptionValue(id))) return;
  const auto [first, end] = selected ? OptionGroup(*c) : std::pair{c, c + 1};
  for (const ControlState* o = first; o != end; ++o)
    SendMessageW(o->hwnd, BM_SETCHECK, o == c && selected ? BST_CHECKED : BST_UNCHECKED, 0);
  MarkGroupStop(*c);
  if (selected) Control_Click(id);
}

void Form::SelectNextOption(const ControlState& c, int step) {
  const auto [first, end] = OptionGroup(c);
  const auto count = end - first;
  const ControlState* next = &c;
  do next = first + (next - first + step + count) % count;
  while (next != &c && !(IsWindowEnabled(next->hwnd) && IsWindowVisible(next->hwnd)));
  const HWND window = next->hwnd;
  SetOptionValue(next->id, true);  // selected before it has the focus, which then clicks nothing
  if (IsWindow(window)) SetFocus(window);  // unless the click unloaded the form
}

}  // namespace vorlux
