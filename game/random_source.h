// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
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

  // A uniform r in [0, 1): the top 53 bits of the next number make an evenly
  // spread double (mt19937_64 is defined to the bit by the standard, so a seed
  // gives the same game on every platform). Tests may script it.
  double uniform() { return scripted_ ? scripted() : fromEngine(); }
  // Int(r * n) + 1: a whole number 1..n (n >= 1).
  int draw(int n) { return n < 1 ? 1 : static_cast<int>(uniform() * n) + 1; }
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
  std::mt19937_64 engine_;
  bool scripted_ = false;
};

// "12345" -> 12345; anything but a plain decimal number -> nullopt.
std::optional<std::uint64_t> parseSeed(std::string_view text);
// A seed nobody can predict, for ordinary play.
std::uint64_t unpredictableSeed();

}  // namespace tavolix
