#!/usr/bin/env bash
# The engine's figures as ratios measured in one run: URN01's engine feeding
# std::uniform_int_distribution<int>(1, 6) over std::minstd_rand0 feeding
# it, and the engine's words over the core's values, each the median of the
# repetitions with their spread (min and max of the per-repetition ratios).
#
#   bench/engine-speed.sh            build directory: build-release (or $BUILD_DIR)
#   REPETITIONS=15 bench/engine-speed.sh
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${BUILD_DIR:-$root/build-release}
repetitions=${REPETITIONS:-9}

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTAMBORIL_BENCH=ON >/dev/null
cmake --build "$build" -j2 --target tamboril_bench >/dev/null
# Repetitions in random interleaving: each ratio pairs runs made side by
# side, not one benchmark's runs all before the other's.
"$build/tamboril_bench" --benchmark_filter='^(Die|Words)/' --benchmark_repetitions="$repetitions" \
    --benchmark_enable_random_interleaving=true --benchmark_report_aggregates_only=false --benchmark_format=csv 2>/dev/null |
    awk -F, '
    # Rows of single repetitions: "name",iterations,real_time,cpu_time,...
    $1 ~ /^"(Die|Words)\// && $1 !~ /_(mean|median|stddev|cv)"$/ {
        gsub(/"/, "", $1); n[$1]++; t[$1, n[$1]] = $4
    }
    function sort(a, k,   i, j, x) { for (i = 2; i <= k; i++) { x = a[i]; for (j = i - 1; j > 0 && a[j] > x; j--) a[j + 1] = a[j]; a[j + 1] = x } }
    function report(what, top, bottom,   i, k, r, lo, hi) {
        k = n[top] < n[bottom] ? n[top] : n[bottom]
        for (i = 1; i <= k; i++) r[i] = t[top, i] / t[bottom, i]
        sort(r, k)
        printf "%-44s %6.3f  (min %.3f, max %.3f; %d repetitions)\n", what, r[int((k + 1) / 2)], r[1], r[k], k
    }
    END {
        for (name in n) { for (i = 1; i <= n[name]; i++) s[i] = t[name, i]; sort(s, n[name]); printf "%-44s %6.2f ns a call (median)\n", name, s[int((n[name] + 1) / 2)] }
        report("die, URN01 engine over minstd_rand0", "Die/Urn01Engine", "Die/minstd_rand0")
        report("words, URN01 engine over its core", "Words/Urn01Engine", "Words/Urn01Core")
    }'
