// The one live animation state of the process, shared by the show and the preview.
#pragma once

#include "engine/engine.h"

namespace vorlux {

AnimationState& Animation();

}  // namespace vorlux
