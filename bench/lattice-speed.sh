#!/usr/bin/env bash
# The time of tamboril-lattice for a modulus of 2^64 (and the prime 2^64 - 59)
# with T = 8 and T = 24: every figure of every dimension up to T. Figures only,
# no assertions; the goals are under 1 s for T = 8 and under 60 s for T = 24.
#
#   bench/lattice-speed.sh [PROGRAM]    (default: build/tamboril-lattice)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
program=${1:-$root/build/tamboril-lattice}
[ -x "$program" ] || { echo "lattice-speed.sh: no program $program (build tamboril-lattice first)" >&2; exit 1; }

cases='6364136223846793005 2^64
0x9E3779B97F4A7C15 2^64
69069 2^64
3 2^64
0x5851F42D4C957F2D 2^64-59'

printf '%-22s %-8s %8s %8s\n' multiplier modulus 'T = 8' 'T = 24'
while read -r a m; do
  times=()
  for t in 8 24; do
    start=$(date +%s.%N)
    "$program" "$a" "$m" --dimensions "$t" --format csv >/dev/null
    end=$(date +%s.%N)
    times+=("$(awk -v s="$start" -v e="$end" 'BEGIN { printf "%.2f s", e - s }')")
  done
  printf '%-22s %-8s %8s %8s\n' "$a" "$m" "${times[0]}" "${times[1]}"
done <<<"$cases"
