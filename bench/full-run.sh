#!/usr/bin/env bash
# Times the full run (N = 10000, M = 1000: 130 000 000 bytes of data file) of
# every generator that fills values, against two figures of its own:
#
#   floor      tamboril_floor: the same number of bytes of prepared lines,
#              written from one 1 MiB buffer in 1 MiB writes into an existing
#              file of the same folder (what the disk alone costs);
#   generator  tamboril-stream NAME --count 10000000 --format f32 > /dev/null
#              (what the generator alone costs, on one core);
#
# and prints the ratio of the full run to the larger of the two. Then the
# full runs of URN01 and URN39 held to one core (taskset -c 0), the peak
# resident memory and the renderer alone. Figures only.
#
#   bench/full-run.sh                build directory: build-release (or $BUILD_DIR)
#   RUNS=5 bench/full-run.sh         timed pairs per figure, after one warm-up
#   NAMES="URN01 URN39" bench/...    only these generators
#   BASELINE=path/to/tamboril bench/full-run.sh
#                                    also the one-core figures of another build
#
# Each pair times the floor and then the program, one after the other, each
# overwriting its own file of the previous round; the figures are the medians.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${BUILD_DIR:-$root/build-release}
runs=${RUNS:-5}
baseline=${BASELINE:-}
[[ -z $baseline ]] || baseline=$(realpath "$baseline")
bytes=130000000

configure() {
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTAMBORIL_TESTS=OFF \
        -DTAMBORIL_BENCH=ON >/dev/null
}
configure
cmake --build "$build" -j2 --target tamboril tamboril-stream tamboril_floor >/dev/null
program=$build/tamboril
stream=$build/tamboril-stream
floor=$build/tamboril_floor
names=${NAMES:-$("$stream" --list | awk '{print $1}')}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

now() { date +%s%N; }
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'; }
seconds() { awk -v us="$1" 'BEGIN {printf "%.3f s", us / 1e6}'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }
larger() { if (($1 > $2)); then echo "$1"; else echo "$2"; fi; }

# Microseconds of one command; its output is the caller's to redirect.
time_it() {
    local start end
    start=$(now)
    "$@"
    end=$(now)
    echo $(((end - start) / 1000))
}

# One full run of the program $1 (with a prefix such as taskset before it).
full_run() {
    local name=$1
    shift
    printf '%s\n10000\n1000\n\n' "$name" | "$@" >/dev/null
}
floor_run() { "$@" "$floor" floor-file "$bytes"; }
own_run() { "$stream" "$1" --count 10000000 --format f32 >/dev/null; }

# Median microseconds of the full run and of the floor, in alternate rounds
# after a warm-up of each; the arguments are the program and what goes
# before it.
measure_pair() {
    local name=$1 i
    shift
    local run_times=() floor_times=()
    : >floor-file
    full_run "$name" "$@"
    floor_run "${@:1:$#-1}"
    for ((i = 0; i < runs; i++)); do
        floor_times+=("$(time_it floor_run "${@:1:$#-1}")")
        run_times+=("$(time_it full_run "$name" "$@")")
    done
    rm -f ARCH* floor-file
    echo "$(median "${run_times[@]}") $(median "${floor_times[@]}")"
}

measure_own() {
    local times=() i
    own_run "$1"
    for ((i = 0; i < runs; i++)); do times+=("$(time_it own_run "$1")"); done
    median "${times[@]}"
}

echo "Full runs, N = 10000, M = 1000 ($bytes bytes), medians of $runs after a warm-up"
echo "($(nproc) cores, $(awk -F': ' '/model name/ {print $2; exit}' /proc/cpuinfo)," \
    "$(df -T . | awk 'NR == 2 {print $2}') file system):"
printf '  %-6s %9s %9s %11s %7s\n' name "full run" floor generator ratio
for name in $names; do
    read -r took floor_took < <(measure_pair "$name" "$program")
    own=$(measure_own "$name")
    printf '  %-6s %9s %9s %11s %7s\n' "$name" "$(seconds "$took")" "$(seconds "$floor_took")" \
        "$(seconds "$own")" "$(ratio "$took" "$(larger "$floor_took" "$own")")"
done
echo "  (ratio: the full run over the larger of the floor and the generator)"
echo

echo "On one core (taskset -c 0), medians of $runs:"
for name in URN01 URN39; do
    read -r took floor_took < <(measure_pair "$name" taskset -c 0 "$program")
    line="  $name  full run $(seconds "$took")  floor $(seconds "$floor_took")"
    if [[ -n $baseline ]]; then
        read -r base_took base_floor < <(measure_pair "$name" taskset -c 0 "$baseline")
        line+="  $baseline: full run $(seconds "$base_took") (floor $(seconds "$base_floor"))"
    fi
    echo "$line"
done
echo

# Peak resident set size in KiB of one run.
peak_kib() {
    printf '%s\n%s\n%s\n\n' "$1" "$2" "$3" |
        /usr/bin/time -v "$program" 2>&1 >/dev/null |
        awk -F: '/Maximum resident set size/ {gsub(/ /, "", $2); print $2}'
}

echo "Peak resident memory:"
echo "  URN01 N = 10000 M = 1000:    $(peak_kib URN01 10000 1000) KiB"
echo "  URN01 N = 10000 M = 100:     $(peak_kib URN01 10000 100) KiB"
echo "  URN01 N = 10000 M = 1:       $(peak_kib URN01 10000 1) KiB"
echo "  URN01 N = 1000000 M = 1:     $(peak_kib URN01 1000000 1) KiB"
echo "  URN39 N = 10000 M = 1000:    $(peak_kib URN39 10000 1000) KiB"
rm -f ARCH*
echo

if cmake --build "$build" -j2 --target tamboril_bench >/dev/null 2>&1; then
    rate=$("$build/tamboril_bench" --benchmark_filter='^DataLine$' --benchmark_repetitions=5 \
        --benchmark_report_aggregates_only=true 2>/dev/null |
        awk '/^DataLine_median/ {for (i = 1; i <= NF; i++) if ($i ~ /^items_per_second=/) {
            sub(/items_per_second=/, "", $i); print $i}}')
    echo "Renderer (one core, median of 5): $rate F11.10 lines per second"
else
    echo "Renderer: Google Benchmark not found, tamboril_bench not built"
fi
