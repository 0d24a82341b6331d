// Routines that run as a series of steps, where a failing step is abandoned and the next one
// runs (the entry routine and the jobs it starts).
#pragma once

namespace vorlux {

template <class F>
void RunStep(F&& step) {
  try {
    step();
  } catch (...) {
  }
}

}  // namespace vorlux
