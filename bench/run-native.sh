#!/usr/bin/env bash
# Builds the native benchmarks (the bench preset: optimised, no sanitizers)
# and runs them REPS times each, interleaved, printing for every benchmark the
# median and the fastest CPU time of one operation. On a shared machine the
# fastest run is the one least disturbed by other work; the median says how
# typical that is. Figures only.
#
#   bench/run-native.sh            (REPS=20 by default)
#
# TARVOLO_BENCH_BIN: a tarvolo_bench already built elsewhere (skips the build).
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
REPS="${REPS:-20}"
BENCH="${TARVOLO_BENCH_BIN:-}"
if [[ -z $BENCH ]]; then
  cmake --preset bench >/dev/null
  cmake --build --preset bench >/dev/null
  BENCH=build/bench/bench/tarvolo_bench
fi

"$BENCH" --benchmark_repetitions="$REPS" --benchmark_enable_random_interleaving=true \
  --benchmark_min_time=0.1 --benchmark_format=csv 2>/dev/null |
  awk -F, '
    # name, iterations, real_time, cpu_time, time_unit, ...
    NR == 1 || $1 ~ /_(mean|median|stddev|cv)"?$/ { next }
    {
      name = $1; gsub(/"/, "", name)
      if (!(name in count)) order[++names] = name
      cpu[name, ++count[name]] = $4; unit[name] = $5
    }
    END {
      # By name, whatever order the interleaving ran them in.
      for (a = 2; a <= names; a++) { x = order[a]; for (b = a - 1; b >= 1 && order[b] > x; b--) order[b + 1] = order[b]; order[b + 1] = x }
      printf "%-48s %14s %14s\n", "benchmark (CPU time per tick)", "median", "fastest"
      for (i = 1; i <= names; i++) {
        name = order[i]; n = count[name]
        for (a = 1; a <= n; a++) v[a] = cpu[name, a]
        for (a = 2; a <= n; a++) { x = v[a]; for (b = a - 1; b >= 1 && v[b] > x; b--) v[b + 1] = v[b]; v[b + 1] = x }
        m = (n % 2) ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
        printf "%-48s %11.1f %s %11.1f %s\n", name, m, unit[name], v[1], unit[name]
      }
    }'
