// The uniform random generator.
#include "base/random.h"

#include <cstring>

namespace vorlux {

float UniformRandom::Next() {
  // SplitMix64: small, fast and well distributed; 24 high bits make the float.
  state_ += 0x9e3779b97f4a7c15ULL;
  uint64_t z = state_;
  z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
  z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
  z ^= z >> 31;
  return static_cast<float>(z >> 40) * (1.0f / 16777216.0f);
}

void UniformRandom::Seed(float timeOfDaySeconds) {
  uint32_t bits;
  std::memcpy(&bits, &timeOfDaySeconds, sizeof bits);
  state_ = kDefaultState ^ (static_cast<uint64_t>(bits) * 0xd6e8feb86659fd93ULL);
}

}  // namespace vorlux
