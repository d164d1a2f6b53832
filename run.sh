#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds Tavolix and starts it or tests it.
#   ./run.sh          install what is missing, build, start the game
#   ./run.sh test     install what is missing, build, run the whole test suite headless,
#                     then again in a sanitizer build (build-asan)
set -euo pipefail
cd "$(dirname "$0")"

mode=${1:-play}
case "$mode" in
  play|test) ;;
  *) echo "usage: ./run.sh [test]" >&2; exit 2 ;;
esac

packages=(
  build-essential cmake
  qt6-base-dev qt6-multimedia-dev qt6-svg-dev qt6-qpa-plugins
  libgtest-dev libgmock-dev
  fonts-liberation2 fp-utils
)

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
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVOLIX_WERROR=ON
cmake --build build --parallel "$jobs"

if [[ $mode == test ]]; then
  QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure --no-tests=error --parallel "$jobs"
  # The same suite once more, built with AddressSanitizer and UndefinedBehaviorSanitizer:
  # any memory fault, leak or undefined behaviour fails the run.
  cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVOLIX_WERROR=ON -DTAVOLIX_SANITIZE=ON
  cmake --build build-asan --parallel "$jobs"
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 QT_QPA_PLATFORM=offscreen \
    ctest --test-dir build-asan --output-on-failure --no-tests=error --parallel "$jobs"
else
  exec ./build/tavolix
fi
