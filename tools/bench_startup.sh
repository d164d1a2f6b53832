#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tavolix developers
# Start-up time (process start to the table painted, at pace 0) and peak
# memory of the game, each against a bare Qt Widgets window measured the same
# way in the same run. Medians of N runs, taken in turns.
#
#   tools/bench_startup.sh [build-dir] [runs]        (needs GNU time: apt-get install time)
# Run it on a display, or under xvfb-run -a, or with QT_QPA_PLATFORM=offscreen.
set -euo pipefail
build=${1:-build}
runs=${2:-20}
for program in "$build/tavolix" "$build/tavolix-bench-minimal"; do
  [[ -x $program ]] || { echo "no $program: build first (cmake --build $build)" >&2; exit 2; }
done
[[ -x /usr/bin/time ]] || { echo "GNU time is needed: apt-get install time" >&2; exit 2; }

# Never the player's own settings.
XDG_CONFIG_HOME=$(mktemp -d)
export XDG_CONFIG_HOME TAVOLIX_PACE=0
samples=$(mktemp -d)
trap 'rm -rf "$XDG_CONFIG_HOME" "$samples"' EXIT

# One run: wall milliseconds and peak resident KiB appended to $samples/$1.
measure() {
  local name=$1
  shift
  local start end
  start=$(date +%s%N)
  /usr/bin/time -f %M -o "$samples/kib" "$@" >/dev/null 2>&1
  end=$(date +%s%N)
  echo "$(((end - start) / 1000)) $(cat "$samples/kib")" >>"$samples/$name"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

for ((i = 0; i < runs; ++i)); do
  measure minimal "$build/tavolix-bench-minimal"
  measure tavolix "$build/tavolix" --quit-after-paint
done

report() {
  local us kib
  us=$(cut -d' ' -f1 "$samples/$1" | median)
  kib=$(cut -d' ' -f2 "$samples/$1" | median)
  echo "$us $kib"
}
read -r minimal_us minimal_kib < <(report minimal)
read -r tavolix_us tavolix_kib < <(report tavolix)
awk -v mu="$minimal_us" -v mk="$minimal_kib" -v tu="$tavolix_us" -v tk="$tavolix_kib" -v n="$runs" 'BEGIN {
  printf "medians of %d runs          start to painted   peak memory\n", n
  printf "  bare Qt Widgets window   %8.1f ms       %7d KiB\n", mu / 1000, mk
  printf "  Tavolix table            %8.1f ms       %7d KiB\n", tu / 1000, tk
  printf "  ratio                    %8.2f          %7.2f\n", tu / mu, tk / mk
}'
