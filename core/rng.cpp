#include "core/rng.h"

#include <chrono>
#include <cstdlib>
#include <string>

namespace tavro {

Rng::Rng() {
  if (auto s = seedFromEnvironment()) {
    engine_.seed(*s);
  } else {
    engine_.seed(static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
                 static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()));
  }
}

double Rng::next() {
  return std::uniform_real_distribution<double>(0.0, 1.0)(engine_);
}

std::optional<std::uint64_t> Rng::seedFromEnvironment() {
  const char* text = std::getenv("TAVRO_SEED");
  if (text == nullptr || *text == '\0') return std::nullopt;
  try {
    return std::stoull(text);
  } catch (...) {
    return std::nullopt;
  }
}

}  // namespace tavro
