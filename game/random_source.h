#pragma once

#include <cstdint>
#include <optional>
#include <random>
#include <string_view>

namespace tavolix {

// The game's one random generator. It is seeded once, when the program starts:
// from TAVOLIX_SEED when that names a seed, otherwise unpredictably. Every
// shuffle, taking of pile tiles and coin toss draws from it in turn, so a fixed
// seed replays a whole session.
class RandomSource {
 public:
  explicit RandomSource(std::uint64_t seed);
  virtual ~RandomSource() = default;

  std::uint64_t seed() const { return seed_; }

  // A uniform r in [0, 1). Tests may script it.
  virtual double uniform();
  // Int(r * n) + 1: a whole number 1..n (n >= 1).
  int draw(int n);
  // True with a probability of p percent (0..100).
  bool Chance(int p);

 private:
  std::uint64_t seed_;
  std::mt19937_64 engine_;
};

// "12345" -> 12345; anything but a plain decimal number -> nullopt.
std::optional<std::uint64_t> parseSeed(std::string_view text);
// A seed nobody can predict, for ordinary play.
std::uint64_t unpredictableSeed();

}  // namespace tavolix
