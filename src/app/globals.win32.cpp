#include "app/globals.win32.h"

namespace vorlux {

RunState& Run() {
  static RunState state;
  return state;
}

UniformRandom& Random() {
  static UniformRandom random;
  return random;
}

}  // namespace vorlux
