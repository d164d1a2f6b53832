#include "random_source.h"

#include <charconv>
#include <chrono>

namespace tavolix {

RandomSource::RandomSource(std::uint64_t seed) : seed_(seed), engine_(seed) {}

double RandomSource::uniform() {
  // The top 53 bits make an evenly spread double; mt19937_64 is defined to the
  // bit by the standard, so a seed gives the same game on every platform.
  return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
}

int RandomSource::draw(int n) {
  if (n < 1) return 1;
  return static_cast<int>(uniform() * n) + 1;
}

bool RandomSource::Chance(int p) { return draw(100) <= p; }

std::optional<std::uint64_t> parseSeed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  std::uint64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::uint64_t unpredictableSeed() {
  std::random_device device;
  const auto now =
      static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  return (static_cast<std::uint64_t>(device()) << 32) ^ device() ^ now;
}

}  // namespace tavolix
