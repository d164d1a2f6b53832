#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tavolix developers
# Table servers sharing their tables through Redis, on loopback, with a Redis
# of the script's own (nothing kept on the disk):
#
#   tools/bench_shared.sh [build-dir] load alone|redis|two TABLES
#     TABLES tables of four players, a move a second each, for 20 seconds
#     (tavolix-bench-load): against one server alone, one sharing through
#     Redis, or two sharing (half the tables each, one generator each). The
#     servers are pinned to a core each; the Redis's share of a core is told.
#   tools/bench_shared.sh [build-dir] takeover LEASE_MS TABLES
#     TABLES tables made on one server, which is then killed (SIGKILL): how
#     long until the other server holds the first, and all, of them again.
set -euo pipefail
build=${1:-build}
what=${2:-}
for program in tavolix-server tavolix-bench-load; do
  [[ -x $build/$program ]] || { echo "no $build/$program: build first" >&2; exit 2; }
done
command -v redis-server >/dev/null || { echo "redis-server is needed: apt-get install redis-server" >&2; exit 2; }

logs=$(mktemp -d)
pids=()
trap 'kill "${pids[@]}" 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$logs"' EXIT
free_port() { /usr/bin/python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'; }
ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

redis_port=$(free_port)
redis-server --port "$redis_port" --bind 127.0.0.1 --save "" --appendonly no --daemonize no \
  >"$logs/redis" 2>&1 &
redis=$!
pids+=("$redis")
for _ in $(seq 100); do grep -q "Ready to accept" "$logs/redis" && break; sleep 0.05; done
limits=(--address 127.0.0.1 --max-tables 10000 --max-tables-per-address 10000
  --max-connections-per-address 40000)

# server NAME CORE [options...]: started on a free port; sets $port and $pid.
server() {
  local name=$1 core=$2
  shift 2
  port=$(free_port)
  taskset -c "$core" "$build/tavolix-server" "${limits[@]}" --port "$port" "$@" 2>"$logs/$name" &
  pid=$!
  pids+=("$pid")
  for _ in $(seq 200); do grep -q "listening on" "$logs/$name" && break; sleep 0.05; done
}

case $what in
  load)
    mode=${3:?alone, redis or two}
    tables=${4:?how many tables}
    shared=()
    [[ $mode == alone ]] || shared=(--redis "127.0.0.1:$redis_port")
    server a 0 "${shared[@]}" --server-id a
    a_port=$port a_pid=$pid
    r0=$(ticks "$redis") t0=$(date +%s%N)
    if [[ $mode == two ]]; then
      server b 1 "${shared[@]}" --server-id b
      "$build/tavolix-bench-load" --url "ws://127.0.0.1:$a_port" --tables $((tables / 2)) \
        --seconds 20 --server-pid "$a_pid" >"$logs/load-a" 2>&1 &
      generator=$!
      "$build/tavolix-bench-load" --url "ws://127.0.0.1:$port" --tables $((tables / 2)) \
        --seconds 20 --server-pid "$pid" >"$logs/load-b" 2>&1
      wait "$generator"
      echo "== server a"; cat "$logs/load-a"; echo "== server b"; cat "$logs/load-b"
    else
      taskset -c 1 "$build/tavolix-bench-load" --url "ws://127.0.0.1:$a_port" --tables "$tables" \
        --seconds 20 --server-pid "$a_pid"
    fi
    r1=$(ticks "$redis") t1=$(date +%s%N)
    [[ $mode == alone ]] || awk -v a="$r0" -v b="$r1" -v s="$t0" -v e="$t1" \
      'BEGIN { printf "redis: %.1f%% of a core over the run, setting up included\n", (b - a) / 100 / ((e - s) / 1e9) * 100 }'
    ;;
  takeover)
    lease=${3:?lease in ms}
    tables=${4:?how many tables}
    server a 0 --redis "127.0.0.1:$redis_port" --server-id a --lease "$lease"
    a_port=$port a_pid=$pid
    server b 1 --redis "127.0.0.1:$redis_port" --server-id b --lease "$lease"
    "$build/tavolix-bench-load" --url "ws://127.0.0.1:$a_port" --tables "$tables" --seconds 1 \
      >/dev/null 2>&1
    t0=$(date +%s%N)
    kill -9 "$a_pid"
    wait "$a_pid" 2>/dev/null || true
    first=
    while (($(grep -c "taken over" "$logs/b" || true) < tables)); do
      [[ -z $first ]] && (($(grep -c "taken over" "$logs/b" || true) > 0)) && first=$(date +%s%N)
      (($(date +%s%N) - t0 > 120000000000)) && break
      sleep 0.01
    done
    t1=$(date +%s%N)
    echo "lease $lease ms, $tables tables: the first held again after $(((${first:-$t1} - t0) / 1000000)) ms," \
      "$(grep -c "taken over" "$logs/b" || true) after $(((t1 - t0) / 1000000)) ms"
    ;;
  *)
    echo "usage: $0 [build-dir] load alone|redis|two TABLES | takeover LEASE_MS TABLES" >&2
    exit 2
    ;;
esac
