// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

namespace tavolix::artwork {

// The two tile sets, as the pictures' elements number them.
inline constexpr int kIvory = 0;
inline constexpr int kColourful = 1;

}  // namespace tavolix::artwork
