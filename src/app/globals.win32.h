// The one live instance per process of the program's shared state.
#pragma once

#include "app/random.h"
#include "app/run_state.h"

namespace vorlux {

RunState& Run();
UniformRandom& Random();

}  // namespace vorlux
