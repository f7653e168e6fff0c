#!/usr/bin/env bash
# Times the full run (N = 10000, M = 1000: 130 000 000 bytes of data file) of
# every generator that fills values, in two places:
#
#   disk     a folder on the disk (DISK_DIR, else a new folder under /var/tmp),
#            with `sync` (untimed) before every timed command, so that each
#            starts with no dirty pages of the one before;
#   memory   a folder in a memory file system (MEMORY_DIR, else a new folder
#            under TMPDIR when TMPDIR is a tmpfs, else under /dev/shm);
#
# and in each place in alternate rounds of the program and of its floor:
#
#   floor    tamboril_floor (bench/floor.c): the same bytes of prepared lines,
#            stored with the writer's own calls (open, cut, one write per
#            batch, the same write-back requests) into an existing file of
#            the same folder;
#   own      tamboril-stream NAME --count 10000000 --format f32 > /dev/null:
#            the generator's own time (the same in both places);
#
# For each place and generator it prints the full run (median, min, max), the
# floor (median, min, max), the own time (median) and two ratios of medians:
# the full run over the floor, and the full run over the larger of the floor
# and the own time. Then tamboril-stream's f32 words of URN01 against
# `head -c` of the same bytes from /dev/zero, both into /dev/null, in
# alternate rounds. Figures only.
#
#   bench/full-run.sh                build directory: build-release (or $BUILD_DIR)
#   RUNS=7 bench/full-run.sh         timed rounds per figure, after one warm-up
#   NAMES="URN01 URN39" bench/...    only these generators
#   PLACES="memory" bench/...        only this place (disk, memory or both)
#   BASELINE=path/to/tamboril bench/full-run.sh
#                                    also the one-core figures of another build
#
# Last, in the memory folder (else the disk's): the full runs of URN01 and
# URN39 held to one core (taskset -c 0), the peak resident memory, and the
# renderer alone.
#
# The program's two threads need both processors: where other work holds one
# of them, a full run costs about the sum of its threads' work instead of the
# larger. The load average before and after each place tells whether the
# machine was quiet.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(realpath -m "${BUILD_DIR:-$root/build-release}")  # the rounds run in other folders
runs=${RUNS:-5}
baseline=${BASELINE:-}
[[ -z $baseline ]] || baseline=$(realpath "$baseline")
places=${PLACES:-disk memory}
bytes=130000000
values=10000000

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTAMBORIL_BENCH=ON >/dev/null
cmake --build "$build" -j2 --target tamboril tamboril-stream tamboril_floor >/dev/null
program=$build/tamboril
stream=$build/tamboril-stream
floor=$build/tamboril_floor
names=${NAMES:-$("$stream" --list | awk '{print $1}')}

memory_parent() {
    if [[ -n ${TMPDIR:-} && $(stat -f -c %T "$TMPDIR") == tmpfs ]]; then echo "$TMPDIR"; else echo /dev/shm; fi
}
folders=()
trap 'rm -rf "${folders[@]}"' EXIT
declare -A dirs
for place in $places; do
    case $place in
        disk) dirs[disk]=${DISK_DIR:-} ;;
        memory) dirs[memory]=${MEMORY_DIR:-} ;;
        *) echo "full-run.sh: unknown place $place (disk or memory)" >&2; exit 2 ;;
    esac
    if [[ -z ${dirs[$place]} ]]; then
        if [[ $place == disk ]]; then parent=/var/tmp; else parent=$(memory_parent); fi
        dirs[$place]=$(mktemp -d "$parent/full-run.XXXXXX")
        folders+=("${dirs[$place]}")
    fi
done

now() { date +%s%N; }
# Median, least and greatest of the numbers given.
stats() { printf '%s\n' "$@" | sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)], a[1], a[NR]}'; }
ms() { awk -v us="$1" 'BEGIN {printf "%.0f", us / 1e3}'; }
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

# CPU time of the whole machine so far (user, nice, system, interrupts), in
# clock ticks (USER_HZ, 100 a second).
busy_ticks() { awk '/^cpu / {print $2 + $3 + $4 + $7 + $8}' /proc/stat; }

# Microseconds of one command, and milliseconds of the machine's processor
# time that went to other work meanwhile: the machine's busy time less the
# command's own (its user and system time, as `times` gives the children of
# this subshell). Ticks of 10 ms make the second figure coarse, some 10 to 20 ms.
time_with_others() {
    local start end before after own
    before=$(busy_ticks)
    start=$(now)
    "$@"
    end=$(now)
    after=$(busy_ticks)
    times >times-file  # in this shell, not in a subshell of a pipe
    own=$(awk 'NR == 2 {n = 0; for (i = 1; i <= 2; i++) {split($i, t, "m"); n += t[1] * 60 + t[2]} print n * 1000}' times-file)
    echo "$(((end - start) / 1000)) $(awk -v b="$before" -v a="$after" -v own="$own" \
        'BEGIN {o = (a - b) * 10 - own; printf "%d", o < 0 ? 0 : o}')"
}

# A full run of NAME by the program (or by the command given after NAME, such
# as taskset -c 0 PROGRAM).
full_run() {
    local name=$1
    shift
    if (($# == 0)); then set -- "$program"; fi
    printf '%s\n10000\n1000\n\n' "$name" | "$@" >/dev/null
}
floor_run() { "$floor" floor-file "$bytes"; }
own_run() { "$stream" "$1" --count "$values" --format f32 >/dev/null; }
# Untimed, before every timed command on the disk.
settle() { if [[ $place == disk ]]; then sync; fi; }

# "median min max" of the full run, then of the floor: alternate rounds after
# a warm-up of each, in the current folder.
measure_pair() {
    local name=$1 i
    shift
    local run_times=() floor_times=() others=() took other
    : >floor-file
    full_run "$name" "$@"
    floor_run
    for ((i = 0; i < runs; i++)); do
        settle
        floor_times+=("$(time_it floor_run)")
        settle
        read -r took other < <(time_with_others full_run "$name" "$@")
        run_times+=("$took")
        others+=("$other")
    done
    rm -f ARCH* floor-file times-file
    local other_median
    read -r other_median _ _ < <(stats "${others[@]}")
    echo "$(stats "${run_times[@]}") $(stats "${floor_times[@]}") $other_median"
}

measure_own() {
    local times=() i
    own_run "$1"
    for ((i = 0; i < runs; i++)); do times+=("$(time_it own_run "$1")"); done
    stats "${times[@]}"
}

echo "Full runs, N = 10000, M = 1000 ($bytes bytes), $runs alternate rounds after a warm-up"
echo "$(nproc) processors, $(awk -F': ' '/model name/ {print $2; exit}' /proc/cpuinfo); load average" \
    "at the start: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "(the load average counts the processes running or waiting to run, averaged over 1, 5 and 15 minutes)"
echo

declare -A own
for name in $names; do
    read -r own[$name] _ _ < <(measure_own "$name")
done

for place in $places; do
    dir=${dirs[$place]}
    (
        cd "$dir"
        echo "In $dir ($(stat -f -c %T .)$([[ $place == disk ]] && echo ', sync before every timed command')), milliseconds:"
        printf '  %-6s %18s %18s %6s %8s %10s %7s\n' name "full run (min-max)" "floor (min-max)" own "run/floor" \
            "run/larger" others
        for name in $names; do
            read -r took took_min took_max floor_took floor_min floor_max others < <(measure_pair "$name")
            printf '  %-6s %6s (%4s-%4s) %6s (%4s-%4s) %6s %9s %10s %7s\n' "$name" \
                "$(ms "$took")" "$(ms "$took_min")" "$(ms "$took_max")" \
                "$(ms "$floor_took")" "$(ms "$floor_min")" "$(ms "$floor_max")" "$(ms "${own[$name]}")" \
                "$(ratio "$took" "$floor_took")" "$(ratio "$took" "$(larger "$floor_took" "${own[$name]}")")" "$others"
        done
        echo "  (medians; run/larger: the full run over the larger of the floor and the own time; others:"
        echo "  milliseconds of processor time that other work took during a full run, median)"
        echo "  load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
        echo
    )
done

# tamboril-stream's f32 words against head -c of as many bytes, to /dev/null.
words=${WORDS:-100000000}
word_bytes=$((4 * words))
stream_f32() { "$stream" URN01 --count "$words" --format f32 >/dev/null; }
head_bytes() { head -c "$word_bytes" /dev/zero >/dev/null; }
stream_f32
head_bytes
stream_times=() head_times=()
for ((i = 0; i < runs; i++)); do
    head_times+=("$(time_it head_bytes)")
    stream_times+=("$(time_it stream_f32)")
done
read -r s s_min s_max < <(stats "${stream_times[@]}")
read -r h h_min h_max < <(stats "${head_times[@]}")
echo "tamboril-stream URN01 --count $words --format f32 > /dev/null against" \
    "head -c $word_bytes /dev/zero > /dev/null, milliseconds:"
echo "  stream $(ms "$s") ($(ms "$s_min")-$(ms "$s_max")), head -c $(ms "$h") ($(ms "$h_min")-$(ms "$h_max")):" \
    "ratio $(ratio "$s" "$h")"
echo

place=memory
[[ -n ${dirs[memory]:-} ]] || place=disk
cd "${dirs[$place]}"
echo "On one core (taskset -c 0), in ${dirs[$place]}, medians of $runs, milliseconds:"
for name in URN01 URN39; do
    read -r took _ _ floor_took _ _ _ < <(measure_pair "$name" taskset -c 0 "$program")
    line="  $name  full run $(ms "$took")  floor $(ms "$floor_took")"
    if [[ -n $baseline ]]; then
        read -r base_took _ _ base_floor _ _ _ < <(measure_pair "$name" taskset -c 0 "$baseline")
        line+="  $baseline: full run $(ms "$base_took") (floor $(ms "$base_floor"))"
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
cd /
echo

if cmake --build "$build" -j2 --target tamboril_bench >/dev/null 2>&1; then
    rates=$("$build/tamboril_bench" --benchmark_filter='^Records(Plain)?$' --benchmark_repetitions=5 \
        --benchmark_report_aggregates_only=true 2>/dev/null |
        awk '/^Records(Plain)?_median/ {for (i = 1; i <= NF; i++) if ($i ~ /^items_per_second=/) {
            sub(/items_per_second=/, "", $i); sub(/_median/, "", $1); printf "%s %s  ", $1, $i}}')
    echo "Renderer (one core, median of 5, records per second): $rates"
    echo "  (Records: as the program renders; RecordsPlain: one line at a time)"
else
    echo "Renderer: Google Benchmark not found, tamboril_bench not built"
fi
echo "load average at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
