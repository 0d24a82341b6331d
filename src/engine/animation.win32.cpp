#include "engine/animation.win32.h"

namespace vorlux {

AnimationState& Animation() {
  static AnimationState state;
  return state;
}

}  // namespace vorlux
