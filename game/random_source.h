// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tavolix {

// The 64-bit Mersenne Twister (MT19937-64): the numbers of std::mt19937_64,
// bit for bit, drawn quicker. The simulator draws a hundred and more of them
// a hand; this one refills its table, and tempers the whole table, without a
// branch per entry, several entries at a time.
class Twister64 {
 public:
  explicit Twister64(std::uint64_t seed) {
    table_[0] = seed;
    for (int k = 1; k < kSize; ++k) {
      const std::uint64_t previous = table_[k - 1];
      table_[k] = 6364136223846793005ULL * (previous ^ (previous >> 62)) + k;
    }
  }

  std::uint64_t operator()() {
    if (next_ == kSize) refill();
    return tempered_[next_++];
  }
  // How many numbers have been drawn since the seed.
  std::uint64_t position() const { return refills_ * kSize + next_ - kSize; }
  // Draws `count` numbers and forgets them.
  void discard(std::uint64_t count) {
    for (; count > 0; --count) (*this)();
  }

 private:
  static constexpr int kSize = 312;

  void refill();

  using Table = std::array<std::uint64_t, kSize>;
  Table table_{};
  Table tempered_{};
  int next_ = kSize;
  std::uint64_t refills_ = 0;
};

// The game's one random generator. It is seeded once, when the program starts:
// from TAVOLIX_SEED when that names a seed, otherwise unpredictably. Every
// shuffle, taking of pile tiles and coin toss draws from it in turn, so a fixed
// seed replays a whole session.
class RandomSource {
 public:
  explicit RandomSource(std::uint64_t seed);
  virtual ~RandomSource() = default;

  std::uint64_t seed() const { return seed_; }
  // How far the generator has come since its seed: a generator of the same
  // seed moved on as far with skip() draws what this one draws next, so a
  // match kept in a file goes on as it would have.
  std::uint64_t drawn() const { return engine_.position(); }
  void skip(std::uint64_t count) { engine_.discard(count); }

  // A uniform r in [0, 1): the top 53 bits of the next number make an evenly
  // spread double (the twister is plain whole-number arithmetic, defined to
  // the bit, so a seed gives the same game on every platform). Tests may
  // script it.
  double uniform() { return scripted_ ? scripted() : fromEngine(); }
  // Int(r * n) + 1: a whole number 1..n (n >= 1).
  int draw(int n) {
    if (n < 1) return 1;
    if (scripted_ || n > kMaxQuickDraw) return static_cast<int>(uniform() * n) + 1;
    return scaledDown(engine_() >> 11, n) + 1;
  }
  // Int(r * n) for r = top53 / 2^53, as the double product gives it (n from
  // 1 to kMaxQuickDraw), in whole numbers: the product top53 * n, shifted
  // down. The double rounds that product to 53 bits; rounding down never
  // crosses a whole number, and rounding up can only when the product lies
  // within a rounding step (under n) below the next one. There, and only
  // there, the double is asked.
  static constexpr int kMaxQuickDraw = 1 << 11;
  static constexpr int scaledDown(std::uint64_t top53, int n) {
    const std::uint64_t product = top53 * static_cast<std::uint64_t>(n);
    constexpr std::uint64_t kOne = std::uint64_t{1} << 53;
    if ((product & (kOne - 1)) >= kOne - kMaxQuickDraw)
      return static_cast<int>(static_cast<double>(top53) * 0x1.0p-53 * n);
    return static_cast<int>(product >> 53);
  }

  // 53 random bits, to seed a stream of numbers of one's own.
  std::uint64_t bits() { return static_cast<std::uint64_t>(uniform() * 0x1.0p53); }
  // True with a probability of p percent (0..100).
  bool Chance(int p) { return draw(100) <= p; }

 protected:
  // A source whose draws a test may script: uniform() asks scripted().
  struct Scripted {};
  RandomSource(std::uint64_t seed, Scripted) : RandomSource(seed) { scripted_ = true; }
  virtual double scripted() { return fromEngine(); }
  double fromEngine() { return static_cast<double>(engine_() >> 11) * 0x1.0p-53; }

 private:
  std::uint64_t seed_;
  Twister64 engine_;
  bool scripted_ = false;
};

// "12345" -> 12345; anything but a plain decimal number -> nullopt.
std::optional<std::uint64_t> parseSeed(std::string_view text);
// A seed nobody can predict, for ordinary play.
std::uint64_t unpredictableSeed();

}  // namespace tavolix
