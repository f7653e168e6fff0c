#!/usr/bin/env bash
# The quality report of the catalogue: every generator that produces values
# through a fixed selection of dieharder tests, and pictures of consecutive
# pairs and triples drawn with gnuplot.
#
#   tools/quality.sh [--quick] [--generators LIST] [--tests LIST] [--out DIR] [--jobs J]
#
#   --quick             one generator and two tests: --generators URN03 --tests 0,12
#   --generators LIST   only these generators (names separated by commas)
#   --tests LIST        only these tests (dieharder's numbers, separated by commas)
#   --out DIR           where the report goes (default: docs/ of this tree); it
#                       gets quality.csv, quality.md and quality/*.png
#   --jobs J            generators run at the same time (default 2)
#
# The environment variable TAMBORIL_STREAM names the tamboril-stream program;
# without it the script uses build/tamboril-stream, building it first when it
# is missing. dieharder and gnuplot are installed with apt-get when missing.
#
# Every stream starts from the generator's fixed starting state and dieharder
# seeds nothing when it reads standard input, so a run gives the same report
# every time. Each test reads a fresh stream through a pipe, which is never
# rewound: no value is used twice.
#
# Exit status: 0 the report is written and complete; 1 a tool failed or a
# result is missing or malformed; 2 a bad command line.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/docs"
jobs=2

only_generators=''
only_tests=''

usage() { sed -n '6,14s/^# \{0,1\}//p' "$0"; }

while [ $# -gt 0 ]; do
  case "$1" in
    --quick) only_generators=URN03; only_tests=0,12 ;;
    --generators) [ $# -ge 2 ] || { echo "quality.sh: --generators needs a list" >&2; exit 2; }; only_generators=$2; shift ;;
    --generators=*) only_generators=${1#--generators=} ;;
    --tests) [ $# -ge 2 ] || { echo "quality.sh: --tests needs a list" >&2; exit 2; }; only_tests=$2; shift ;;
    --tests=*) only_tests=${1#--tests=} ;;
    --out) [ $# -ge 2 ] || { echo "quality.sh: --out needs a folder" >&2; exit 2; }; out=$2; shift ;;
    --out=*) out=${1#--out=} ;;
    --jobs) [ $# -ge 2 ] || { echo "quality.sh: --jobs needs a number" >&2; exit 2; }; jobs=$2; shift ;;
    --jobs=*) jobs=${1#--jobs=} ;;
    -h|--help) usage; exit 0 ;;
    *) echo "quality.sh: unknown argument \"$1\" (see --help)" >&2; exit 2 ;;
  esac
  shift
done
case "$jobs" in ''|*[!0-9]*|0) echo "quality.sh: --jobs must be a whole number of 1 or more, not \"$jobs\"" >&2; exit 2 ;; esac

# ---------------------------------------------------------------------------
# The generators and the bits that each sample carries from the generator.
#
# The tests that read bits should judge how the values follow one another,
# not how many values there are. B is the number of leading bits of
# floor(s 2^32) that are uniform for a uniform choice among the values that
# the generator can give. The bits beyond B are fixed by the format or by
# the set of values: a single-precision sample has at most 24 significant
# bits (for s of 1/2 and more the low 8 bits of the word are 0); where an
# exact value of 1/2 or more can fall half-way between two single-precision
# numbers, rounding to even makes the 24th bit 0 more often than 1 (23 bits);
# values that are all odd multiples of the last bit leave that bit 1; a count
# of values that is no power of two gives cells of unequal weight. What the
# recurrence does within those B bits (short periods of the low bits of a
# power-of-two modulus, lattices) is the generator's own and counts against it.
#
# name  the values, and why B has its value; B itself is the catalogue's
# (tamboril-stream --list gives it), so that the report packs with the
# width that the library's engines give.
generators_table='
URN01 X / (2^31 - 1), X of 1 to 2^31 - 2: never half-way
URN02 (t + 2^31) / 2^32, t any 32-bit word: half-way values
URN03 X 2^-31, X odd (65539 X mod 2^31): never half-way
URN05 31-bit words / (2^31 - 1): never half-way
URN06 |X| 2^-31, X odd (65539 X mod 2^32): never half-way
URN08 X 2^-31, X odd (65539 X mod 2^31): never half-way
URN09 X 2^-31, X odd (65539 X mod 2^31): never half-way
URN10 X / 8192, X = 1 mod 4 (125 X mod 2^13): 2^11 values
URN11 |P| 2^-31 rounded, |P| odd (452807053 X, folded): never half-way
URN12 X 2^-31, X odd (452807053 X mod 2^31): never half-way
URN13 the top 15 bits of 663608941 X mod 2^32: 2^15 values
URN14 X 2^-31, X any (shuffled 266245 X + 453816693 mod 2^31): half-way values
URN20 X / (2^31 - 1) (2027812808 X, the product rounded): never half-way
URN21 X 10^-8, X of 0 to 10^8 - 1 (additive mod 10^8)
URN22 X 2.3283064e-10, X any (69069 X + 1 mod 2^32): never half-way
URN28 X 2^-31, X of 1 to 2^31 - 2 (16807 X mod 2^31 - 1): half-way values
URN30 (2 (Z div 256) + 1) / 2^24: odd multiples of 2^-24, 2^23 values
URN31 X / 2^24, X odd (2456949 X mod 2^24): 2^23 values
URN32 X / 2^25, X odd (3513383 X mod 2^25): from 1/2 up every value half-way
URN33 X / 100000040, X a single-precision state below 100000040
URN34 three components mod 2039, 2027 and 2003 combined
URN35 (S + 1) / 32363, S of 0 to 32361: with 14 bits 406 of the 16384 cells would hold one value where the others hold two; with 7 every cell holds 252 or 253
URN36 the top 15 bits of 5^13 X mod 2^35: 2^15 values
URN37 X 2^-31, X = 3 mod 4 (5^13 X mod 2^31): never half-way
URN38 X / 2^15, X odd (5^13 X mod 2^15): 2^14 values
URN39 the fractional part of sin(k) (SEED + k) + SEED in double precision
'

# What is known of each generator beforehand, for its verdict.
notes_table='
URN01 the minimal standard multiplier 16807
URN02 three sequences mixed through a table
URN03 the multiplier 65539 puts consecutive triples on 15 planes
URN05 a feedback shift register, the exclusive or of words 27 apart
URN06 the multiplier 65539 modulo 2^32: the planes of URN03, folded
URN08 the multiplier 65539 puts consecutive triples on 15 planes
URN09 the multiplier 65539 puts consecutive triples on 15 planes
URN10 a period of 2048 and 13 bits
URN11 the product folded by its absolute value, not reduced
URN12 a multiplicative generator modulo 2^31
URN13 15 bits a value
URN14 a power-of-two modulus shuffled through 64 entries
URN20 a product rounded before it is reduced
URN21 an additive generator on decimal words
URN22 the multiplier 69069 modulo 2^32
URN28 the minimal standard multiplier 16807
URN30 a new stream at every call of 10000 values
URN31 a power-of-two modulus of 2^24: its low bits have short periods
URN32 a power-of-two modulus of 2^25: its low bits have short periods
URN33 states near 10^8 held in single precision
URN34 three small generators combined through shuffle tables
URN35 three 15-bit generators combined: 32362 values
URN36 15 bits a value
URN37 a power-of-two modulus of 2^31: its low bits have short periods
URN38 a period of 8192 and 15 bits
URN39 the sine of a running count
'

# ---------------------------------------------------------------------------
# The tests: dieharder's number, the input, and a name in plain words.
#   plain:  tamboril-stream NAME --format u32, one sample per word; for the
#           tests that read each word as a number in [0, 1) or compare words
#   packed: tamboril-stream NAME --format u32 --bits B; for the tests that
#           read the bits of the words
tests_table='
0 packed birthday spacings
1 plain overlapping 5-permutations
2 packed 32x32 binary rank
5 packed overlapping pairs sparse occupancy (OPSO)
8 packed count the 1s in a stream of bytes
11 plain minimum distance of points in a square
12 plain minimum distance of points in a cube (3D spheres)
13 plain squeeze
15 plain runs up and down
102 packed the generalized serial test
'

# dieharder: resolve an ambiguous (WEAK) result by adding psamples, 100 at a
# time, up to 500; print one comma-separated line per statistic.
dieharder_flags=(-g 200 -Y 1 -k 2 -P 500 -D test_name -D ntuple -D psamples -D pvalues -D assessment
  -D no_whitespace -c ',')

# Pictures: values drawn for the pairs of the corner u_i <= 0.001 (a few
# thousand points for a generator of full period), the triples of URN03, and
# the whole square for the generators of short period (name and period).
pair_values=20000000
corner=0.001
triple_values=30000
short_periods='URN10 2048
URN38 8192'

# Keeps the rows of a table whose first field is in the comma-separated list;
# every name of the list must be there.
select_rows() {
  local what=$1 list=$2 table=$3
  awk -v list="$list" -v what="$what" '
    BEGIN { n = split(list, want, ","); for (i = 1; i <= n; i++) wanted[want[i]] = 1 }
    NF && ($1 in wanted) { print; found[$1] = 1 }
    END { for (i = 1; i <= n; i++) if (!(want[i] in found)) { print "quality.sh: no " what " \"" want[i] "\"" > "/dev/stderr"; bad = 1 }; exit bad }' <<<"$table"
}
if [ -n "$only_generators" ]; then
  generators_table=$(select_rows generator "$only_generators" "$generators_table") || exit 2
fi
if [ -n "$only_tests" ]; then
  tests_table=$(select_rows test "$only_tests" "$tests_table") || exit 2
fi

# ---------------------------------------------------------------------------
# Tools.
missing=()
command -v dieharder >/dev/null || missing+=(dieharder)
command -v gnuplot >/dev/null || missing+=(gnuplot-nox)
if [ ${#missing[@]} -gt 0 ]; then
  echo "quality.sh: installing ${missing[*]}"
  apt-get update
  DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi
terminals=$(gnuplot -e 'set terminal' 2>&1)
case "$terminals" in *pngcairo*) png_terminal=pngcairo ;; *) png_terminal=png ;; esac

stream=${TAMBORIL_STREAM:-$root/build/tamboril-stream}
if [ ! -x "$stream" ]; then
  if [ -n "${TAMBORIL_STREAM:-}" ]; then
    echo "quality.sh: TAMBORIL_STREAM=$stream is not an executable program" >&2
    exit 1
  fi
  echo "quality.sh: building tamboril-stream in $root/build"
  cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$root/build" -j2 --target tamboril-stream >/dev/null
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out/quality"
# Each generator with its width B from the catalogue, then why.
"$stream" --list >"$work/list" || { echo "quality.sh: $stream --list failed" >&2; exit 1; }
printf '%s\n' "$generators_table" | awk '
  NR == FNR { width[$1] = $2; next }
  NF {
    if (!($1 in width)) { print "quality.sh: " $1 " is not in tamboril-stream --list" > "/dev/stderr"; exit 1 }
    name = $1; $1 = ""; print name " " width[name] $0
  }' "$work/list" - >"$work/generators" || exit 1
printf '%s\n' "$tests_table" | awk 'NF' >"$work/tests"
printf '%s\n' "$short_periods" | awk 'NR == FNR { run[$1] = 1; next } NF && ($1 in run)' "$work/generators" - >"$work/short"

# ---------------------------------------------------------------------------
# One generator: every test from a fresh stream, one after another, then its
# pictures. Writes $work/NAME.rows (CSV rows) and $work/NAME.log.
run_generator() {
  local name=$1 bits number input words row start=$SECONDS
  local dieharder_flags
  read -r -a dieharder_flags <<<"$dieharder_flags_text"
  bits=$(awk -v n="$name" '$1 == n { print $2 }' "$work/generators")
  : >"$work/$name.rows"
  while read -r number input words; do
    local args=(--format u32) raw="$work/$name.$number.txt"
    [ "$input" = packed ] && args+=(--bits "$bits")
    if ! "$stream" "$name" "${args[@]}" | dieharder -d "$number" "${dieharder_flags[@]}" >"$raw" 2>"$raw.err"; then
      echo "quality.sh: $name, dieharder -d $number failed: $(head -c 300 "$raw.err")" >&2
      return 1
    fi
    # The lines of the last round (the most psamples); of those, the one whose
    # p-value lies farthest from 1/2, in either tail.
    if ! row=$(awk -F, -v gen="$name" '
        NF == 5 && ($5 == "PASSED" || $5 == "WEAK" || $5 == "FAILED") {
          n++; test[n] = $1; ps[n] = $3 + 0; p[n] = $4; verdict[n] = $5
          if (ps[n] > most) most = ps[n]
        }
        END {
          for (i = 1; i <= n; i++) {
            if (ps[i] != most) continue
            d = p[i] < 0.5 ? p[i] : 1 - p[i]
            if (!pick || d < best) { pick = i; best = d }
          }
          if (!pick) exit 1
          print gen "," test[pick] "," p[pick] "," verdict[pick]
        }' "$raw"); then
      echo "quality.sh: $name, dieharder -d $number printed no result: $(head -c 300 "$raw")" >&2
      return 1
    fi
    echo "$row" >>"$work/$name.rows"
    echo "$row" | cut -d, -f2 >"$work/test.$number"
  done <"$work/tests"
  draw_pairs "$name"
  if [ "$name" = URN03 ] || [ "$name" = URN01 ]; then draw_triples "$name"; fi
  local period
  period=$(awk -v n="$name" '$1 == n { print $2 }' "$work/short")
  [ -z "$period" ] || draw_square "$name" "$period"
  echo "  $name: $((SECONDS - start)) s"
}

# gnuplot's opening lines for a picture of 640 x 480.
plot_head() {
  printf 'set terminal %s size 640,480 font ",10"\nset output "%s"\nunset key\n' "$png_terminal" "$1"
}

# Consecutive pairs (u_i, u_{i+1}) with u_i in [0, corner].
draw_pairs() {
  local name=$1 data="$work/$1.pairs" png="$out/quality/${1,,}-pairs.png" points
  "$stream" "$name" --count "$pair_values" |
    awk -v c="$corner" '{ v = ($1 ~ /^\*/) ? 1 : $1 + 0 } NR > 1 && u <= c { print u, v } { u = v }' >"$data"
  points=$(wc -l <"$data")
  # A few distinct pairs (a short period) are drawn as dots that can be seen.
  local style='dots'
  [ "$(sort -u "$data" | wc -l)" -ge 1000 ] || style='points pt 7 ps 0.6'
  {
    plot_head "$png"
    printf 'set title "%s: pairs (u_i, u_{i+1}) with u_i <= %s, %s of %s values"\n' "$name" "$corner" "$points" "$pair_values"
    printf 'set xrange [0:%s]\nset yrange [0:1]\nset xtics 0.0002\n' "$corner"
    printf 'set xlabel "u_i"\nset ylabel "u_{i+1}"\n'
    printf 'plot "%s" using 1:2 with %s lc rgb "black"\n' "$data" "$style"
  } | gnuplot
  echo "$points" >"$work/$name.points"
}

# Consecutive triples seen along the normal (9, -6, 1) of the planes
# 9x - 6y + z = k of the multiplier 65539: the horizontal axis is the distance
# along that normal, the vertical one the direction (1, 2, 3), at right
# angles to it, both to the same scale, so the planes stand edge-on.
draw_triples() {
  local name=$1 data="$work/$1.triples" png="$out/quality/${1,,}-triples.png"
  "$stream" "$name" --count "$triple_values" |
    awk '{ v = ($1 ~ /^\*/) ? 1 : $1 + 0 }
         NR > 2 { print (9 * x - 6 * y + v) / sqrt(118), (x + 2 * y + 3 * v) / sqrt(14) }
         { x = y; y = v }' >"$data"
  {
    plot_head "$png"
    printf 'set title "%s: triples (u_i, u_{i+1}, u_{i+2}) seen along (9, -6, 1)"\n' "$name"
    printf 'set size ratio -1\n'
    printf 'set xlabel "(9 u_i - 6 u_{i+1} + u_{i+2}) / sqrt(118)"\nset ylabel "(u_i + 2 u_{i+1} + 3 u_{i+2}) / sqrt(14)"\n'
    printf 'plot "%s" using 1:2 with dots lc rgb "black"\n' "$data"
  } | gnuplot
}

# Every consecutive pair of one period over the whole square.
draw_square() {
  local name=$1 period=$2 data="$work/$1.square" png="$out/quality/${1,,}-square.png"
  "$stream" "$name" --count "$((period + 1))" |
    awk '{ v = ($1 ~ /^\*/) ? 1 : $1 + 0 } NR > 1 { print u, v } { u = v }' >"$data"
  {
    plot_head "$png"
    printf 'set title "%s: all %s pairs (u_i, u_{i+1}) of one period"\n' "$name" "$period"
    printf 'set size ratio -1\nset xrange [0:1]\nset yrange [0:1]\n'
    printf 'set xlabel "u_i"\nset ylabel "u_{i+1}"\n'
    printf 'plot "%s" using 1:2 with points pt 7 ps 0.2 lc rgb "black"\n' "$data"
  } | gnuplot
}

export -f run_generator draw_pairs draw_triples draw_square plot_head
export work out stream png_terminal pair_values corner triple_values
# (an array cannot be exported: run_generator reads it back from the text)
export dieharder_flags_text="${dieharder_flags[*]}"

started=$SECONDS
count=$(wc -l <"$work/generators")
echo "quality.sh: $count generators, $(wc -l <"$work/tests") tests each, $jobs at a time"
# The costliest streams first, so that the two runs end close together.
awk '{ print $1 }' "$work/generators" | awk '/^(URN39|URN34|URN33)$/ { print; next } { rest[++n] = $0 } END { for (i = 1; i <= n; i++) print rest[i] }' |
  xargs -P "$jobs" -I '{}' bash -c 'set -euo pipefail; run_generator "$1"' _ '{}'
elapsed=$((SECONDS - started))

# ---------------------------------------------------------------------------
# The report.
csv="$out/quality.csv"
{
  echo "generator,test,p_value,assessment"
  while read -r name _; do cat "$work/$name.rows"; done <"$work/generators"
} >"$csv"

# Every generator has one row per test, with a p-value and an assessment.
expected=$(($(wc -l <"$work/generators") * $(wc -l <"$work/tests")))
if ! awk -F, -v want="$expected" '
    NR == 1 { next }
    NF != 4 || $3 !~ /^[01]\.[0-9]+$/ || $4 !~ /^(PASSED|WEAK|FAILED)$/ { bad = 1; print "quality.sh: bad row: " $0 > "/dev/stderr" }
    { rows++ }
    END { if (rows != want) { print "quality.sh: " rows " rows, " want " expected" > "/dev/stderr"; bad = 1 }; exit bad }' "$csv"; then
  exit 1
fi
# The multiplier 65539 puts consecutive triples on 15 planes: a 3D sphere
# test that these generators pass means that the words are not their values.
if ! awk -F, '$1 ~ /^URN0[389]$/ && $2 == "diehard_3dsphere" && $4 != "FAILED" {
      print "quality.sh: " $1 " passes diehard_3dsphere: the words the test reads are not the samples" > "/dev/stderr"; bad = 1 }
    END { exit bad }' "$csv"; then
  exit 1
fi
for png in "$out"/quality/*.png; do
  if [ "$(head -c 8 "$png" | od -An -tx1 | tr -d ' \n')" != 89504e470d0a1a0a ]; then
    echo "quality.sh: $png is not a PNG file" >&2
    exit 1
  fi
done

wall="$((elapsed / 60)) min $((elapsed % 60)) s"
test_names=$(while read -r number _; do cat "$work/test.$number"; done <"$work/tests")

{
  cat <<'EOF'
# Quality of the generators

Each of the generators that produce values, from its fixed starting state,
through a selection of tests of the dieharder battery (the Debian package
`dieharder`), which reads raw 32-bit words on standard input (`-g 200`), and
pictures of consecutive values drawn with gnuplot.
`tools/quality.sh` writes this page, `quality.csv` and the pictures.
The periods and the spectral test of the same generators, and what they
explain of the verdicts here, are in [theory.md](theory.md).

## The words the tests read

A sample is a single-precision number, so its word floor(s × 2^32) carries
format as well as generator: it has at most 24 significant bits (for s of 1/2
and more the low 8 bits are always 0), and some generators give fewer bits
still. A test that reads the bits of the words would fail every generator of
this catalogue because of that format, whatever the generator. So the words
are formed in two ways:

- **Tests that read each word as a number in [0, 1) or compare words** take
  `tamboril-stream NAME --format u32`: one sample a word, consecutive words
  consecutive samples. They see the values that a user of the generator gets,
  lattice and all.
- **Tests that use the bits of the words** take
  `tamboril-stream NAME --format u32 --bits B`: only the top B bits of each
  sample's word, packed one sample after another into 32-bit words, so that
  every bit these tests read is a bit that the generator sets.

B is chosen so that these tests judge how the values follow one another, not
how many values there are: it is the number of leading bits that are uniform
for a uniform choice among the values that the generator can give.

- 24 where rounding to single precision leaves the top 24 bits even:
  X / (2^31 − 1), which is never half-way between two single-precision
  numbers, and X × 2^-31 where every X is odd, which is half-way only below
  2^-6, where the bit that rounding to even fixes lies below the top 24.
- 23 where values from 1/2 up can fall half-way, since rounding to even then
  makes the 24th bit 0 more often than 1: X × 2^-31 for every X below 2^31
  (`URN02`, `URN14`, `URN28`), and `URN32`'s odd 25-bit values, every one of
  which from 1/2 up is half-way; 23 also where every value is an odd multiple
  of 2^-24 (`URN30`, `URN31`).
- The bits of the values where they have fewer: `URN10` 11 (its states are 1
  modulo 4), `URN38` 14 (odd states), `URN13` and `URN36` 15.
- 7 for `URN35`, whose 32362 values fall unevenly into cells of 14 bits (406
  of the 16384 cells hold one value, the others two) but evenly enough into
  cells of 7 bits (252 or 253 each).

`tools/quality.sh` gives each generator's B with its reason. What a recurrence
does within those bits, such as the short periods of the low bits of a
power-of-two modulus, is the generator's own fault and counts against it.

These widths were checked with ideal sources of the same output: a good
64-bit generator's values rounded to single precision fail birthday spacings,
OPSO, binary rank, count-the-1s and the serial test as plain words and pass
them packed with B = 24; a uniform choice of X × 2^-31 among every X below 2^31
packed with 24 bits fails the serial test (its single bits) once 500 p-samples
are taken, and passes with 23; every 25-bit value rounded to single precision
fails OPSO, count-the-1s and the serial test with 24 bits and passes with 23;
a uniform choice among `URN35`'s 32362 values fails the serial test with 14,
13 or 12 bits and passes with 7.
So a failure of a packed test means the generator, not the format.

EOF
  echo "| test | dieharder | words |"
  echo "| --- | --- | --- |"
  while read -r number input words; do
    echo "| $words | \`-d $number\` \`$(cat "$work/test.$number")\` | $input |"
  done <"$work/tests"
  cat <<EOF

dieharder runs with \`${dieharder_flags[*]}\`: each test
takes its default 100 p-samples, and a WEAK result (p below 0.005 or above
0.995) is resolved by adding p-samples, 100 at a time, up to 500, until it is
PASSED or FAILED (FAILED is p below 0.000001 or above 0.999999). A test that
prints several statistics (\`diehard_runs\` two, \`sts_serial\` one or two for
each tuple length from 1 to 16) becomes one row: of the lines of its last
round, the one whose p-value lies farthest from 1/2, with the assessment
dieharder gives that line. Each test reads its own stream from the start,
through a pipe that is never rewound, so no value is read twice.

Nothing is random in this report: every stream is the generator's
deterministic stream from its fixed starting state, and dieharder seeds
nothing when it reads standard input. Run again, the script gives the same
numbers. This run took $wall of wall time on 2 cores, $jobs generators at a time.

## Results

Each cell: the p-value and dieharder's assessment. The same rows are in
[quality.csv](quality.csv).

EOF
  printf '| generator |'
  while read -r t; do printf ' `%s` |' "$t"; done <<<"$test_names"
  printf '\n| --- |'
  while read -r t; do printf ' --- |'; done <<<"$test_names"
  printf '\n'
  while read -r name _; do
    # An anchor per row, for links to one generator's results.
    printf '| <a id="%s"></a>%s |' "${name,,}" "$name"
    awk -F, '{ printf " %s %s |", $3, ($4 == "PASSED" ? "PASSED" : "**" $4 "**") }' "$work/$name.rows"
    printf '\n'
  done <"$work/generators"

  cat <<'EOF'

## Verdicts

EOF
  # Who passes everything, who fails everything.
  while read -r name _; do cat "$work/$name.rows"; done <"$work/generators" | awk -F, '
    !($1 in seen) { name[++n] = $1 }
    { seen[$1]++; if ($4 == "PASSED") passed[$1]++; if ($4 == "FAILED") failed[$1]++ }
    function list(all,   i, s, c) {
      for (i = 1; i <= n; i++) if ((all ? passed[name[i]] : failed[name[i]]) == seen[name[i]]) s = s (c++ ? ", " : "") "`" name[i] "`"
      return c ? s : "none"
    }
    END { printf "Pass every test: %s. Fail every test: %s.\n\n", list(1), list(0) }'
  while read -r name _; do
    note=$(awk -v n="$name" '$1 == n { $1 = ""; sub(/^ /, ""); print }' <<<"$notes_table")
    # The rows come in the order of the tests; each is named in plain words.
    awk -v name="$name" -v note="$note" '
      NR == FNR { $1 = ""; $2 = ""; sub(/^  /, ""); words[++total] = $0; next }
      { split($0, field, ","); row++
        if (field[4] == "FAILED") failed[++f] = words[row]; else if (field[4] == "WEAK") weak[++w] = words[row] }
      function names(list, k,   s, i) { for (i = 1; i <= k; i++) s = s (i == 1 ? "" : (i == k ? " and " : ", ")) list[i]; return s }
      END {
        if (f == 0 && w == 0) v = "sound in this battery: passes every test"
        else if (f == 0) v = "passes, but stays weak in " names(weak, w)
        else if (f <= 2) v = "flawed: fails " names(failed, f) ", passes the other " total - f
        else if (f < total) v = "poor: fails " f " of " total " tests: " names(failed, f)
        else v = "unusable: fails every test"
        if (f > 0 && w > 0) v = v "; weak in " names(weak, w)
        printf "- **%s** (%s): %s.\n", name, note, v
      }' "$work/tests" "$work/$name.rows"
  done <"$work/generators"

  cat <<EOF

## Pictures

Consecutive pairs (u_i, u_{i+1}) of the first $pair_values values, where u_i
lies in [0, $corner]: a multiplicative generator with multiplier a puts these
pairs on about a × $corner lines of slope a, so a small multiplier shows as a
few steep lines, and values of few bits as columns.

EOF
  while read -r name _; do
    points=$(cat "$work/$name.points")
    caption="$name: $points pairs"
    case "$name" in
      URN10) caption="$caption; its period is 2048, so the corner holds the same 2 pairs again and again (the whole square below)" ;;
      URN38) caption="$caption; its period is 8192 (the whole square below)" ;;
    esac
    printf '![%s](quality/%s-pairs.png)\n\n*%s.*\n\n' "$name pairs" "${name,,}" "$caption"
  done <"$work/generators"
  if [ -s "$work/short" ]; then
    printf 'The generators of short period, every pair of one period over the whole square:\n\n'
    while read -r name period; do
      printf '![%s](quality/%s-square.png)\n\n*%s: all %s pairs of its period.*\n\n' "$name square" "${name,,}" "$name" "$period"
    done <"$work/short"
  fi
  [ -f "$out/quality/urn03-triples.png" ] && cat <<EOF
The triples (u_i, u_{i+1}, u_{i+2}) of the first $triple_values values of
URN03, projected on the normal (9, -6, 1) of the planes 9x − 6y + z = k and on
a direction at right angles to it, to the same scale: with the multiplier
65539, 9 u_i − 6 u_{i+1} + u_{i+2} is a whole number, so every triple lies on
one of the 15 planes k = −5 to 9, here seen edge-on.

![URN03 triples](quality/urn03-triples.png)

EOF
  if [ -f "$out/quality/urn01-triples.png" ]; then
    cat <<'EOF'
URN01 (multiplier 16807) projected the same way, for comparison:

![URN01 triples](quality/urn01-triples.png)
EOF
  fi
} >"$out/quality.md"

echo "quality.sh: $out/quality.csv, $out/quality.md and $(ls "$out"/quality/*.png | wc -l) pictures in $out/quality"
echo "quality.sh: wall time $wall"
