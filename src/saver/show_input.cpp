// The show's input rules.
#include "saver/show_input.h"

namespace vorlux {

namespace {

// In 64 bits: a reference at the edge of the 32-bit range must not wrap its bounds.
bool Within2(int32_t now, int32_t first) {
  const int64_t d = static_cast<int64_t>(now) - first;
  return d >= -2 && d <= 2;
}

}  // namespace

ShowAnswer DecideShowInput(const ShowInput& input, InputWatchState& watch, bool mouseMoveEnds) {
  switch (input.kind) {
    case ShowInput::kKey:
      return ShowAnswer::kStop;
    case ShowInput::kButton:
      return input.button == kRightButton && input.shift == 0 ? ShowAnswer::kAbout
                                                              : ShowAnswer::kStop;
    case ShowInput::kPointer:
      break;
  }
  if (!mouseMoveEnds) return ShowAnswer::kNothing;
  if (!watch.CursorPosRecorded) {
    watch.FirstCursorPos = input.at;
    watch.CursorPosRecorded = true;
    return ShowAnswer::kNothing;
  }
  const Point& first = watch.FirstCursorPos;
  if (Within2(input.at.x, first.x) && Within2(input.at.y, first.y)) return ShowAnswer::kNothing;
  watch.CursorPosRecorded = false;
  return ShowAnswer::kStop;
}

}  // namespace vorlux
