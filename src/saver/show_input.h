// The show's input rules: what a key, a click or a move of the pointer answers.
#pragma once

#include <cstdint>

#include "base/input_codes.h"

namespace vorlux {

struct Point {
  int32_t x = 0;
  int32_t y = 0;
};

// The mouse watch's reference: where the pointer was when the show appeared.
struct InputWatchState {
  bool CursorPosRecorded = false;
  Point FirstCursorPos;
};

enum class ShowAnswer { kNothing, kStop, kAbout };

struct ShowInput {
  enum Kind { kKey, kButton, kPointer } kind = kKey;
  int button = 0;  // kLeftButton, ... for kButton
  int shift = 0;   // modifier set for kButton
  Point at;        // screen position for kPointer and kButton
};

// Any key stops. A plain right click (no modifier) opens About; any other button, or a right
// click with any modifier, stops. A pointer position answers nothing unless mouseMoveEnds: the
// first one becomes the reference, and one more than 2 pixels from it on either axis forgets the
// reference and stops.
ShowAnswer DecideShowInput(const ShowInput& input, InputWatchState& watch, bool mouseMoveEnds);

}  // namespace vorlux
