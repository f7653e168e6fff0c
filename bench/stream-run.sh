#!/usr/bin/env bash
# Times tamboril-stream: its data-file lines against the program's full run
# (N = 10000, M = 1000, 10 000 000 lines), into a file and into /dev/null, and
# its f32 and u32 words for URN01 into /dev/null. Figures only, nothing is
# graded. Writes into a file vary by tens of percent with the page cache.
#
#   bench/stream-run.sh          build directory: build-release (or $BUILD_DIR)
#   RUNS=5 bench/stream-run.sh   timed rounds per figure, after one warm-up
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(realpath -m "${BUILD_DIR:-$root/build-release}")  # the rounds run in other folders
runs=${RUNS:-5}
words=${WORDS:-1000000000}

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 --target tamboril tamboril-stream >/dev/null
program=$build/tamboril
stream=$build/tamboril-stream

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

now() { date +%s%N; }
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'; }
seconds() { awk -v ns="$1" 'BEGIN {printf "%.3f s", ns / 1e9}'; }
rate() { awk -v n="$1" -v ns="$2" 'BEGIN {printf "%.0f M values/s", n / ns * 1e3}'; }

# Nanoseconds of one command, its output already redirected by the caller.
time_it() {
    local start end
    start=$(now)
    "$@"
    end=$(now)
    echo $((end - start))
}

run_program() { printf 'URN01\n10000\n1000\n\n' | "$program" >/dev/null; }
# The program's data file as a link to /dev/null: the work without the disk.
run_program_null() {
    mkdir -p null
    ln -sf /dev/null null/ARCHURN01
    (cd null && run_program)
}
# Into the program's own file, so that both replace the same file.
stream_file() { "$stream" URN01 --count 10000000 >ARCHURN01; }
stream_null() { "$stream" URN01 --count 10000000 >/dev/null; }
stream_words() { "$stream" URN01 --count "$words" --format "$1" >/dev/null; }

# Median nanoseconds of a command over the rounds, after a warm-up.
measure() {
    local times=() i
    "$@"
    for ((i = 0; i < runs; i++)); do times+=("$(time_it "$@")"); done
    median "${times[@]}"
}

# The program and the stream into the same file, in alternate rounds.
measure_pair() {
    local program_times=() stream_times=() i
    run_program
    stream_file
    for ((i = 0; i < runs; i++)); do
        program_times+=("$(time_it run_program)")
        stream_times+=("$(time_it stream_file)")
    done
    echo "$(median "${program_times[@]}") $(median "${stream_times[@]}")"
}

read -r program_ns file_ns < <(measure_pair)
program_null_ns=$(measure run_program_null)
null_ns=$(measure stream_null)
f32_ns=$(measure stream_words f32)
u32_ns=$(measure stream_words u32)
rm -f ARCH*

echo "URN01, median of $runs after a warm-up:"
echo "  program, N = 10000, M = 1000, into ARCHURN01:   $(seconds "$program_ns")"
echo "  tamboril-stream --count 10000000 into the same: $(seconds "$file_ns")"
echo "  program, ARCHURN01 a link to /dev/null:        $(seconds "$program_null_ns")"
echo "  tamboril-stream --count 10000000 to /dev/null:  $(seconds "$null_ns")  ($(rate 10000000 "$null_ns"))"
echo "  tamboril-stream --format f32 to /dev/null:      $(seconds "$f32_ns") for $words  ($(rate "$words" "$f32_ns"))"
echo "  tamboril-stream --format u32 to /dev/null:      $(seconds "$u32_ns") for $words  ($(rate "$words" "$u32_ns"))"
