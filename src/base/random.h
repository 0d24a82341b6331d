// The program's uniform random generator and the source interface that the figures draw from.
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

// Uniform draws in [0, 1). The program draws from its one UniformRandom; tests script draws.
class RandomSource {
 public:
  virtual ~RandomSource() = default;
  virtual float Next() = 0;
};

class UniformRandomSource final : public RandomSource {
 public:
  explicit UniformRandomSource(UniformRandom& random) : random_(random) {}
  float Next() override { return random_.Next(); }

 private:
  UniformRandom& random_;
};

}  // namespace vorlux
