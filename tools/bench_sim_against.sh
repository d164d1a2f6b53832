#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tavolix developers
# Measures the simulator of this build side by side with the one of another
# revision, in one run, on one core, and checks that both tell the same games.
#   tools/bench_sim_against.sh REV [simulator arguments]
# REV is any git revision (a commit, a tag, HEAD~3); it is built in
# build-baseline/. The default arguments are --matches 20000 --mixed-rules --seed 1.
set -euo pipefail
cd "$(dirname "$0")/.."
rev=${1:?usage: tools/bench_sim_against.sh REV [simulator arguments]}
shift
args=("$@")
((${#args[@]})) || args=(--matches 20000 --mixed-rules --seed 1)

worktree=build-baseline/src
if [[ ! -d $worktree ]]; then
  git worktree add --detach "$worktree" "$rev" >/dev/null
else
  git -C "$worktree" checkout --quiet --detach "$rev"
fi
cmake -S "$worktree" -B build-baseline/build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVOLIX_BUILD_TESTS=OFF >/dev/null
cmake --build build-baseline/build --target tavolix-sim --parallel "$(nproc)" >/dev/null
cmake --build build --target tavolix-sim --parallel "$(nproc)" >/dev/null

core=$(($(nproc) - 1))
rate() { taskset -c "$core" "$1" "${args[@]}" | tail -n 1 | sed -E 's/.* ([0-9]+) hands\/s.*/\1/'; }
# The machine's speed wanders (other work on the host), for seconds at a
# time: the two builds take turns, and each round's ratio is kept as well as
# each build's best, so that a slow spell in one run shows as an outlier.
declare -a before after ratios
for round in 1 2 3 4 5; do
  before+=("$(rate build-baseline/build/tavolix-sim)")
  after+=("$(rate build/tavolix-sim)")
  ratios+=("$(awk "BEGIN { printf \"%.3f\", ${after[-1]} / ${before[-1]} }")")
done
best() { printf '%s\n' "$@" | sort -n | tail -n 1; }
median() { printf '%s\n' "$@" | sort -n | sed -n "$((($# + 1) / 2))p"; }
b=$(best "${before[@]}")
a=$(best "${after[@]}")
echo "hands/s on core $core, best of 5: $rev $b, this build $a ($(awk "BEGIN { printf \"%.2f\", $a / $b }")x;" \
  "median of the rounds' ratios $(median "${ratios[@]}")x)"

# Instructions a hand, which other work on the machine does not disturb: under
# valgrind when it is installed, on a tenth of the run (2,000 matches).
if command -v valgrind >/dev/null; then
  per_hand() {
    local out refs hands
    out=$(valgrind --tool=cachegrind --cache-sim=no --cachegrind-out-file=/dev/null \
      "$1" "${args[@]}" --matches 2000 2>&1)
    refs=$(sed -nE 's/.*I +refs: +([0-9,]+).*/\1/p' <<<"$out" | tr -d ,)
    hands=$(sed -nE 's/^[0-9]+ matches, ([0-9]+) hands,.*/\1/p' <<<"$out")
    echo $((refs / hands))
  }
  ib=$(per_hand build-baseline/build/tavolix-sim)
  ia=$(per_hand build/tavolix-sim)
  echo "instructions a hand: $rev $ib, this build $ia ($(awk "BEGIN { printf \"%.2f\", $ib / $ia }")x fewer)"
fi

# The same games, event for event, on a shorter run of the same seed.
trace=("${args[@]}")
build-baseline/build/tavolix-sim "${trace[@]}" --matches 500 --trace build-baseline/before.jsonl >/dev/null
build/tavolix-sim "${trace[@]}" --matches 500 --trace build-baseline/after.jsonl >/dev/null
if cmp -s build-baseline/before.jsonl build-baseline/after.jsonl; then
  echo "traces of 500 matches: identical"
else
  echo "traces of 500 matches: DIFFERENT" >&2
  exit 1
fi
