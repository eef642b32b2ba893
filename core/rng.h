#pragma once
// One random generator per run. Seeded from the clock by default, or from an
// explicit seed (--seed N or the environment variable TAVRO_SEED) so that a
// run can be reproduced exactly.

#include <cstdint>
#include <optional>
#include <random>

namespace tavro {

class Rng {
 public:
  // Seeds from TAVRO_SEED when set, otherwise from the clock.
  Rng();
  explicit Rng(std::uint64_t seed) : engine_(seed) {}
  void seed(std::uint64_t s) { engine_.seed(s); }
  // A number in [0, 1).
  double next();
  // The seed TAVRO_SEED asks for, if any.
  static std::optional<std::uint64_t> seedFromEnvironment();

 private:
  std::mt19937_64 engine_;
};

}  // namespace tavro
