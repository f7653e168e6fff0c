#!/usr/bin/env bash
# Times full runs (N = 10000, M = 1000: 130 000 000 bytes of data file) against
# writing as many bytes with head -c in the same directory, and measures the
# peak resident memory of a run.
#
#   bench/full-run.sh            build directory: build-release (or $BUILD_DIR)
#   RUNS=5 bench/full-run.sh     timed rounds per figure, after one warm-up
#
# The rounds alternate head -c and the program, each overwriting its file of
# the previous round. A second URN01 figure starts every run on a new file
# with the page cache written back, where head -c is at its fastest.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${BUILD_DIR:-$root/build-release}
runs=${RUNS:-5}
bytes=130000000

configure() {
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTAMBORIL_TESTS=OFF \
        -DTAMBORIL_BENCH="$1" >/dev/null 2>&1
}
# The renderer benchmark needs Google Benchmark; the timings do not.
configure ON || configure OFF
cmake --build "$build" -j2 --target tamboril >/dev/null
program=$build/tamboril

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

now() { date +%s%N; }

# Seconds taken by one run of the program with the given answers.
time_program() {
    local start end
    start=$(now)
    printf '%s\n%s\n%s\n\n' "$1" "$2" "$3" | "$program" >/dev/null
    end=$(now)
    echo $(((end - start) / 1000))
}

time_head() {
    local start end
    start=$(now)
    head -c "$bytes" /dev/zero >file
    end=$(now)
    echo $(((end - start) / 1000))
}

median() { printf '%s\n' "$@" | sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'; }

# Median microseconds of the program and of head -c, in alternate rounds.
measure() {
    local name=$1 n=$2 m=$3 i
    local program_times=() head_times=()
    time_program "$name" "$n" "$m" >/dev/null
    time_head >/dev/null
    for ((i = 0; i < runs; i++)); do
        head_times+=("$(time_head)")
        program_times+=("$(time_program "$name" "$n" "$m")")
    done
    rm -f ARCH* file
    echo "$(median "${program_times[@]}") $(median "${head_times[@]}")"
}

seconds() { awk -v us="$1" 'BEGIN {printf "%.3f s", us / 1e6}'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }

echo "Full run URN01, N = 10000, M = 1000 ($bytes bytes), median of $runs after a warm-up:"
read -r urn01 head01 < <(measure URN01 10000 1000)
echo "  program  $(seconds "$urn01")"
echo "  head -c  $(seconds "$head01")"
echo "  ratio    $(ratio "$urn01" "$head01")"

# The same with a new file each time, after writing back the page cache.
fresh() {
    rm -f ARCH* file
    sync
    "$@"
}
fresh_program=() fresh_head=()
fresh time_program URN01 10000 1000 >/dev/null
for ((i = 0; i < runs; i++)); do
    fresh_head+=("$(fresh time_head)")
    fresh_program+=("$(fresh time_program URN01 10000 1000)")
done
rm -f ARCH* file
fresh01=$(median "${fresh_program[@]}")
freshhead=$(median "${fresh_head[@]}")
echo "  into new files: program $(seconds "$fresh01")," \
    "head -c $(seconds "$freshhead"), ratio $(ratio "$fresh01" "$freshhead")"
echo

echo "Every generator that fills values:"
for number in 01 02 03 05 06 08 09 10 11 12 13 14 20 21 22 28 30 31 32 33 34 35 36 37 38 39; do
    name=URN$number
    read -r took head_took < <(measure "$name" 10000 1000)
    transcript=$(printf '%s\n1\n1\n\n' "$name" | "$program" 2>&1)
    rm -f ARCH*
    note=""
    [[ $transcript == *'NO ESTA IMPLEMENTADO'* ]] && note="  (not implemented)"
    printf '  %s  %s  head -c %s  ratio %s%s\n' "$name" "$(seconds "$took")" \
        "$(seconds "$head_took")" "$(ratio "$took" "$head_took")" "$note"
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
