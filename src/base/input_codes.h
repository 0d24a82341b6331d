// The codes of keyboard and mouse events: the modifier set and the mouse buttons.
#pragma once

namespace vorlux {

enum : int { kShiftMask = 1, kCtrlMask = 2, kAltMask = 4 };
enum : int { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };

}  // namespace vorlux
