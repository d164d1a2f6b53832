#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tavolix developers
# Sets up a Debian 12 machine, builds Tavolix and starts it or tests it.
#   ./run.sh          install what is missing, build, start the game
#   ./run.sh test     install what is missing, check the format, build, run the whole test
#                     suite headless, then again in a sanitizer build (build-asan)
set -euo pipefail
cd "$(dirname "$0")"

mode=${1:-play}
case "$mode" in
  play|test) ;;
  *) echo "usage: ./run.sh [test]" >&2; exit 2 ;;
esac

# What building and playing need; the tests need more: GoogleTest, the
# formatter, the compiler of the Windows help (chmcmd, checked to build here),
# the validators of the desktop entry, the AppStream data and the manual page,
# openssl for the table server's certificate made at test time, lintian for
# the Debian package, Xvfb, D-Bus and AT-SPI to read the game as a screen
# reader does, and a Redis of the tests' own for table servers that share
# their tables (hiredis, to reach it, is built into the server).
packages=(
  build-essential cmake ninja-build pkgconf
  qt6-base-dev qt6-multimedia-dev qt6-svg-dev qt6-websockets-dev
  qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
  fonts-liberation2 libhiredis-dev
)
[[ $mode == test ]] && packages+=(libgtest-dev clang-format fp-utils desktop-file-utils appstream man-db openssl lintian
  xvfb xauth dbus at-spi2-core python3-pyatspi redis-server)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ $status == "install ok installed" ]] || missing+=("$package")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo=()
  ((EUID == 0)) || sudo=(sudo)
  "${sudo[@]}" apt-get update
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi

jobs=$(nproc 2>/dev/null || echo 2)

if [[ $mode == test ]]; then
  # Every source file as .clang-format lays it out.
  find app artwork dialogs game protocol server settings table tests tools -name '*.cpp' -o -name '*.h' |
    xargs clang-format --dry-run --Werror
fi

# Ninja: a library's dependents compile while it links, where make builds
# the libraries one after another and leaves a core idle. A build folder made
# with another generator starts over.
for dir in build build-asan; do
  if [[ -f $dir/CMakeCache.txt ]] && ! grep -q '^CMAKE_GENERATOR:INTERNAL=Ninja$' "$dir/CMakeCache.txt"; then
    rm -rf "$dir/CMakeCache.txt" "$dir/CMakeFiles"
  fi
done

tests=OFF
[[ $mode == test ]] && tests=ON
# The benchmarks are measured by hand (docs/performance.md), not by the tests:
# the test command leaves them out, for time; the game's build has them.
benchmarks=ON
[[ $mode == test ]] && benchmarks=OFF
# Unity mode: eight sources compiled as one, grouped as the sanitizer build
# below groups them, so both builds take less time and see the same code.
# Line tables only for the debugger: full debug information costs about a seventh more
# compile time (the table's largest unit: 10.7 s against 9.2 s).
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr -DTAVOLIX_WERROR=ON \
  -DTAVOLIX_BUILD_TESTS=$tests -DTAVOLIX_REQUIRE_CHM=$tests -DTAVOLIX_BUILD_BENCHMARKS=$benchmarks \
  -DCMAKE_UNITY_BUILD=ON -DCMAKE_UNITY_BUILD_BATCH_SIZE=8 "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -g1 -DNDEBUG"
cmake --build build --parallel "$jobs"

if [[ $mode == test ]]; then
  QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure --no-tests=error --parallel "$jobs" \
    --label-exclude long
  # The same suite once more, built with AddressSanitizer and UndefinedBehaviorSanitizer:
  # any memory fault, leak or undefined behaviour fails the run. It builds in unity mode,
  # lightly optimised, to be quick, and leaves out what the normal build has just
  # measured and only costs time here: the strong player's strength (a statistic of six
  # hundred matches), a whole match against him, and the kill tests (what a killed write
  # leaves on the disk; most of their time is the sanitizer starting each program); the
  # monkey makes a third of its moves. Its cases wait on sockets and programs as much as
  # they compute: one more at a time than there are cores keeps both busy.
  cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVOLIX_WERROR=ON -DTAVOLIX_SANITIZE=ON \
    -DCMAKE_UNITY_BUILD=ON -DCMAKE_UNITY_BUILD_BATCH_SIZE=8 "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1 -DNDEBUG"
  cmake --build build-asan --parallel "$jobs"
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 QT_QPA_PLATFORM=offscreen \
    GTEST_FILTER='-StrongPlayer.WinsMostMatches*:GameWindowTest.AWholeMatchAgainstStrongOpponents*:KillTest.*' \
    TAVOLIX_MONKEY_EVENTS=200 \
    ctest --test-dir build-asan --output-on-failure --no-tests=error --parallel $((jobs + 1)) \
    --label-exclude 'long|package|strength'
else
  exec ./build/tavolix
fi
