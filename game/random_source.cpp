// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "random_source.h"

#include <charconv>
#include <chrono>
#include <random>

namespace tavolix {

namespace {

// The twister's next table, tempered: written once, and built into each of
// the functions below for its width of vector (so always inlined).
#if defined(__GNUC__)
#define TAVOLIX_ALWAYS_INLINE __attribute__((always_inline)) inline
#else
#define TAVOLIX_ALWAYS_INLINE inline
#endif
template <class Table>
TAVOLIX_ALWAYS_INLINE void nextTable(Table& table, Table& tempered) {
  constexpr int kSize = static_cast<int>(std::tuple_size_v<Table>);
  constexpr int kShift = kSize / 2;
  const auto twist = [](std::uint64_t upper, std::uint64_t lower, std::uint64_t far) {
    const std::uint64_t y = (upper & 0xFFFFFFFF80000000ULL) | (lower & 0x7FFFFFFFULL);
    return far ^ (y >> 1) ^ ((0 - (y & 1)) & 0xB5026F5AA96619E9ULL);
  };
  int k = 0;
  for (; k < kSize - kShift; ++k) table[k] = twist(table[k], table[k + 1], table[k + kShift]);
  for (; k < kSize - 1; ++k) table[k] = twist(table[k], table[k + 1], table[k + kShift - kSize]);
  table[kSize - 1] = twist(table[kSize - 1], table[0], table[kShift - 1]);
  for (k = 0; k < kSize; ++k) {
    std::uint64_t x = table[k];
    x ^= (x >> 29) & 0x5555555555555555ULL;
    x ^= (x << 17) & 0x71D67FFFEDA60000ULL;
    x ^= (x << 37) & 0xFFF7EEE000000000ULL;
    tempered[k] = x ^ (x >> 43);
  }
}

template <class Table>
void nextTableAnywhere(Table& table, Table& tempered) {
  nextTable(table, tempered);
}

// On x86-64 the processor is asked once which vector units it has: the
// simulator draws so many numbers that the widest is worth it. The numbers
// are the same whichever runs.
#if defined(__GNUC__) && defined(__x86_64__)
template <class Table>
__attribute__((target("avx2"))) void nextTableAvx2(Table& table, Table& tempered) {
  nextTable(table, tempered);
}
template <class Table>
__attribute__((target("avx512f"))) void nextTableAvx512(Table& table, Table& tempered) {
  nextTable(table, tempered);
}
template <class Table>
auto widestNextTable() {
  __builtin_cpu_init();
  if (__builtin_cpu_supports("avx512f")) return &nextTableAvx512<Table>;
  if (__builtin_cpu_supports("avx2")) return &nextTableAvx2<Table>;
  return &nextTableAnywhere<Table>;
}
#else
template <class Table>
auto widestNextTable() {
  return &nextTableAnywhere<Table>;
}
#endif

}  // namespace

void Twister64::refill() {
  static const auto next = widestNextTable<Table>();
  next(table_, tempered_);
  next_ = 0;
  ++refills_;
}

RandomSource::RandomSource(std::uint64_t seed) : seed_(seed), engine_(seed) {}

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
