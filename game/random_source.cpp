// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "random_source.h"

#include <charconv>
#include <chrono>
#include <random>

namespace tavolix {

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
