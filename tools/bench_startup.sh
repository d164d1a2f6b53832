#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tavolix developers
# Start-up time (process start to the table painted, at pace 0), the CPU time
# it took and the peak memory of the game, each against a bare Qt program
# showing an 800 x 600 graphics view with one item (tavolix-bench-minimal),
# measured the same way in the same run. Medians of N runs, taken in turns.
# The same bare program showing one word besides (--caption) is measured too:
# what any text costs at start, which the bare program does not pay.
# The CPU time is the kernel's own count for the process and its children
# (getrusage), to the microsecond.
# The game keeps its splash banner in its cache folder at the first start and
# shows it from there afterwards: "Tavolix table" is a start with the banner
# kept (as every start after the first), "first start" one with an empty
# cache, measured in the same turns.
#
#   tools/bench_startup.sh [build-dir] [runs] [other-tavolix]
# With another build of the game (a copy of build/tavolix before a change, say)
# it is measured in the same turns, and the median of the paired differences
# of CPU time is given: steadier than the difference of two medians when the
# machine's speed drifts during the run.
# Run it on a display, or under xvfb-run -a, or with QT_QPA_PLATFORM=offscreen.
set -euo pipefail
build=${1:-build}
runs=${2:-20}
other=${3:-}
[[ -z $other || -x $other ]] || { echo "no $other to compare with" >&2; exit 2; }
for program in "$build/tavolix" "$build/tavolix-bench-minimal"; do
  [[ -x $program ]] || { echo "no $program: build first (cmake --build $build)" >&2; exit 2; }
done
[[ -x /usr/bin/python3 ]] || { echo "Python 3 is needed: apt-get install python3" >&2; exit 2; }

# Never the player's own settings or cache.
XDG_CONFIG_HOME=$(mktemp -d)
XDG_CACHE_HOME=$(mktemp -d)
export XDG_CONFIG_HOME XDG_CACHE_HOME TAVOLIX_PACE=0
samples=$(mktemp -d)
trap 'rm -rf "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$samples"' EXIT

# One run: wall microseconds, peak resident KiB and CPU microseconds (user and
# system) appended to $samples/$1.
measure() {
  local name=$1
  shift
  /usr/bin/python3 - "$@" >>"$samples/$name" <<'PY'
import resource, subprocess, sys, time
start = time.monotonic_ns()
subprocess.run(sys.argv[1:], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
wall = (time.monotonic_ns() - start) // 1000
used = resource.getrusage(resource.RUSAGE_CHILDREN)
print(wall, used.ru_maxrss, round((used.ru_utime + used.ru_stime) * 1e6))
PY
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# One start, not measured, keeps the banner.
"$build/tavolix" --quit-after-paint >/dev/null 2>&1
for ((i = 0; i < runs; ++i)); do
  measure minimal "$build/tavolix-bench-minimal"
  measure caption "$build/tavolix-bench-minimal" --caption
  measure tavolix "$build/tavolix" --quit-after-paint
  XDG_CACHE_HOME=$(mktemp -d -p "$XDG_CACHE_HOME") measure first "$build/tavolix" --quit-after-paint
  [[ -z $other ]] || measure other "$other" --quit-after-paint
done

report() {
  local us kib cpu
  us=$(cut -d' ' -f1 "$samples/$1" | median)
  kib=$(cut -d' ' -f2 "$samples/$1" | median)
  cpu=$(cut -d' ' -f3 "$samples/$1" | median)
  echo "$us $kib $cpu"
}
read -r minimal_us minimal_kib minimal_cpu < <(report minimal)
read -r caption_us caption_kib caption_cpu < <(report caption)
read -r tavolix_us tavolix_kib tavolix_cpu < <(report tavolix)
read -r first_us first_kib first_cpu < <(report first)
awk -v mu="$minimal_us" -v mk="$minimal_kib" -v mc="$minimal_cpu" -v tu="$tavolix_us" \
  -v tk="$tavolix_kib" -v tc="$tavolix_cpu" -v cu="$caption_us" -v ck="$caption_kib" \
  -v cc="$caption_cpu" -v fu="$first_us" -v fk="$first_kib" -v fc="$first_cpu" -v n="$runs" 'BEGIN {
  printf "medians of %d runs         start to painted   CPU time   peak memory\n", n
  printf "  bare graphics view      %8.1f ms     %6.1f ms   %7d KiB\n", mu / 1000, mc / 1000, mk
  printf "  the same, one word      %8.1f ms     %6.1f ms   %7d KiB\n", cu / 1000, cc / 1000, ck
  printf "  Tavolix table           %8.1f ms     %6.1f ms   %7d KiB\n", tu / 1000, tc / 1000, tk
  printf "  ratio                   %8.2f         %5.2f     %7.2f\n", tu / mu, (mc ? tc / mc : 0), tk / mk
  printf "  ratio to one word       %8.2f         %5.2f     %7.2f\n", tu / cu, (cc ? tc / cc : 0), tk / ck
  printf "  Tavolix, first start    %8.1f ms     %6.1f ms   %7d KiB\n", fu / 1000, fc / 1000, fk
  printf "  its ratio               %8.2f         %5.2f     %7.2f\n", fu / mu, (mc ? fc / mc : 0), fk / mk
}'
kept_gain=$(paste -d' ' <(cut -d' ' -f3 "$samples/first") <(cut -d' ' -f3 "$samples/tavolix") |
  awk '{ print $1 - $2 }' | median)
awk -v d="$kept_gain" 'BEGIN { printf "  first start minus a start with the banner kept, paired: %+.2f ms CPU\n", d / 1000 }'
if [[ -n $other ]]; then
  read -r other_us other_kib other_cpu < <(report other)
  paired=$(paste -d' ' <(cut -d' ' -f3 "$samples/tavolix") <(cut -d' ' -f3 "$samples/other") |
    awk '{ print $1 - $2 }' | median)
  awk -v oc="$other_cpu" -v ok="$other_kib" -v d="$paired" 'BEGIN {
  printf "  the other build         CPU %6.1f ms, %7d KiB; this build minus it, paired: %+.2f ms\n",
    oc / 1000, ok, d / 1000
}'
fi
