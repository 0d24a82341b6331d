// The program's one uniform random generator: a fixed initial state, so that runs without a
// seed repeat, and a seed taken from the time of day.
#pragma once

#include <cstdint>

namespace vorlux {

class UniformRandom {
 public:
  static constexpr uint64_t kDefaultState = 0x56f1a3c2e4b7d905ULL;

  // One draw in [0, 1) with 24 bits of precision (every value is an exact float).
  float Next();
  void Seed(float timeOfDaySeconds);
  uint64_t State() const { return state_; }

 private:
  uint64_t state_ = kDefaultState;
};

}  // namespace vorlux
