#!/usr/bin/env bash
# The theory of the catalogue: every generator's period and how it is known,
# the spectral test of its lattice (or of the congruential sequences inside
# it) for t = 2 to 8, and what the figures say of the quality report.
#
#   tools/theory.sh [--out DIR]
#
#   --out DIR   where the page goes (default: docs/ of this tree); it gets theory.md
#
# The environment variable TAMBORIL_LATTICE names the tamboril-lattice program;
# without it the script uses build/tamboril-lattice, building it first when it
# is missing (it needs fplll: apt-get install libfplll-dev libgmp-dev pkg-config).
#
# Every measured period of the catalogue is measured again here by cycle
# detection over the program's own generators (tamboril-lattice --measure),
# and must agree with the catalogue's line; the whole run takes one to two
# minutes on one core, most of it URN11's 3.2 10^9 steps. The verdicts of the
# quality report come from quality.csv beside the page, when it is there.
#
# Exit status: 0 the page is written; 1 a tool failed or a measurement
# disagrees with the catalogue; 2 a bad command line.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/docs"

usage() { sed -n '6,8s/^# \{0,1\}//p' "$0"; }

while [ $# -gt 0 ]; do
  case "$1" in
    --out) [ $# -ge 2 ] || { echo "theory.sh: --out needs a folder" >&2; exit 2; }; out=$2; shift ;;
    --out=*) out=${1#--out=} ;;
    -h|--help) usage; exit 0 ;;
    *) echo "theory.sh: unknown argument \"$1\" (see --help)" >&2; exit 2 ;;
  esac
  shift
done

lattice=${TAMBORIL_LATTICE:-$root/build/tamboril-lattice}
if [ ! -x "$lattice" ]; then
  if [ -n "${TAMBORIL_LATTICE:-}" ]; then
    echo "theory.sh: TAMBORIL_LATTICE=$lattice is not an executable program" >&2
    exit 1
  fi
  echo "theory.sh: building tamboril-lattice in $root/build"
  cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$root/build" -j2 --target tamboril-lattice >/dev/null
  [ -x "$lattice" ] || { echo "theory.sh: tamboril-lattice was not built (is fplll installed?)" >&2; exit 1; }
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"

"$lattice" --periods --format csv >"$work/periods.csv"
"$lattice" --catalogue --format csv --dimensions 8 >"$work/figures.csv"

# ---------------------------------------------------------------------------
# The measured periods, again: name and budget of steps.
measured_table='
URN10 2^20
URN38 2^20
URN20 2^24
URN31 2^26
URN32 2^26
URN33 2^26
URN21 2^30
URN11 2^33
'
started=$SECONDS
: >"$work/measured"
while read -r name budget; do
  [ -n "$name" ] || continue
  start=$SECONDS
  line=$("$lattice" --measure "$name" --budget "$budget")
  seconds=$((SECONDS - start))
  recorded=$(awk -F, -v n="$name" '$1 == n { print $2 }' "$work/periods.csv")
  how=$(awk -F, -v n="$name" '$1 == n { sub(/^[^"]*"/, ""); sub(/"$/, ""); print }' "$work/periods.csv")
  case "$line" in
    *"exceeds "*)
      bound=$(sed -n 's/.*exceeds \([0-9]*\) .*/\1/p' <<<"$line")
      if [ "$bound" != "$recorded" ]; then
        echo "theory.sh: $name is bounded by $bound, the catalogue says $recorded" >&2
        exit 1
      fi
      result="no cycle: the period exceeds $bound (the map has no tail)"
      ;;
    *": period "*)
      period=$(sed -n 's/.*: period \([0-9]*\) .*/\1/p' <<<"$line")
      tail=$(sed -n 's/.*after a tail of \([0-9]*\) .*/\1/p' <<<"$line")
      if [ "$period" != "$recorded" ]; then
        echo "theory.sh: $name measures $period, the catalogue says $recorded" >&2
        exit 1
      fi
      if [ "$tail" = 0 ]; then want='no tail'; else want="tail of $tail value"; fi
      case "$how" in
        *"$want"*) ;;
        *) echo "theory.sh: $name has $want, which the catalogue's line does not say" >&2; exit 1 ;;
      esac
      result="period $period after a tail of $tail"
      ;;
    *) echo "theory.sh: unexpected output of --measure $name: $line" >&2; exit 1 ;;
  esac
  steps=$(sed -n 's/.*(Brent.s method, \([0-9]*\) steps).*/\1/p' <<<"$line")
  echo "$name|$budget|$result|$steps|$seconds" >>"$work/measured"
  echo "  $name: $result ($steps steps, $seconds s)"
done <<<"$measured_table"
elapsed=$((SECONDS - started))

# ---------------------------------------------------------------------------
# What the figures say of each generator's verdict in the quality report.
notes_table='
URN01 A sound multiplier: S_t runs from 0.34 (t = 2, the 16807 lines of slope 16807 that hold every pair, 1/nu_2 = 6e-5 apart) to 0.74, and the report passes it in every test, as the theory expects at these sample sizes.
URN02 The table hides the 15 planes of L (the multiplier of RANDU) from every test of consecutive values, which it passes; MMM never changes its low 25 bits (its lattice of modulus 2^7 has multiplier 1, nu_t^2 = 2), a flaw in the bits that the serial test, the one failure, reads rather than a lattice.
URN03 nu_3^2 = 118 (S_3 = 0.009): every triple lies on one of 15 planes 1/sqrt(118) = 0.092 apart, and nu_t^2 stays 116 up to t = 8; that explains the failures of the tests that read three or more consecutive values (3D spheres, squeeze, runs, 5-permutations). The tests of bits also read the low bits of a power-of-two modulus (the lowest of the 24 read is bit 7 of the state, of period 2^5). The 2D minimum distance fails though S_2 = 0.66 is fair: there the report and the spectral test disagree; the test resolves about 10^-4, not far from the spacing of the 2^30 points of the lattice themselves, which S_2 does not measure.
URN05 No lattice: the words are linear over GF(2), w_n = w_(n-98) xor w_(n-71) bit by bit, and the tests of bits (OPSO, count the 1s, the serial test) find that linearity. The spectral test cannot explain the other failures (squeeze, runs, 5-permutations); the 3D and 2D sphere tests, which a lattice would fail first, pass.
URN06 The multiplier of RANDU modulo 2^32 (lattice modulus 2^31): the same 15 planes in 3 dimensions, and the fold by the absolute value maps them onto at most 8 families of planes (one for each pattern of signs), so the 3D spheres fail as for URN03. Its 2D figure is good (S_2 = 0.93) and the 2D minimum distance passes.
URN08 The lattice of URN03 (65539 on the odd states, modulus 2^30): the same 15 planes, the same failures; squeeze passes narrowly, where URN03 fails, a difference of seed rather than of theory.
URN09 The stream of URN08 and so its figures and its verdicts, test for test.
URN10 The period, 2048, is what fails every test: each test reads the same 2048 values many times over. The lattice (modulus 2^11) is ordinary for its size: nu_3^2 = 118 here too (125^2 - 6 125 + 9 = 16384 = 0 mod 2048), but only 2048 points exist.
URN11 The fold x -> |x| leaves the states on the lattices of +-452807053 modulo 2^32; their figures (modulus 2^30) are fair up to nu_8^2 = 58 (S_8 = 0.40), and the report fails only OPSO and the serial test, which read bits; the spectral test, a property of the values as points, does not explain those two.
URN12 A fair lattice (S_t from 0.44 to 0.77 on modulus 2^29); the failures of birthday spacings, OPSO and the serial test are of the low bits of a power-of-two modulus (bit j of the state has period 2^(j-1)), which the spectral test does not measure. The 2D minimum distance fails though S_2 = 0.77: the report and the theory disagree there, as for URN03.
URN13 The lattice of the 32-bit states is good (S_t from 0.60 to 0.88), but each value keeps only 15 bits; the failures (OPSO, squeeze) come from those 15 bits, not from the lattice.
URN14 The main sequence is a good lattice (S_t from 0.56 to 0.94) and the shuffle breaks it; the lattice of the selector is degenerate (nu_4^2 = 2), but it only picks table entries. OPSO and the serial test fail on the low bits of the power-of-two modulus.
URN20 Not the lattice of its multiplier: the rounded product makes the map many-to-one, and the stream falls into a cycle of 93214 values after 53769; the tests that read more values than that see it repeat, which is why so many fail though the figures of the exact multiplier are fair (S_t from 0.60 to 0.71).
URN21 An additive recurrence: in 4 dimensions every quadruple lies within 1.4e-5 of one of 3 planes (u_n + u_(n+1) + u_(n+2) - u_(n+3) = 0, 1 or 2), a spectral figure nu_4^2 of at most 4, which the tests of consecutive values (5-permutations, squeeze, runs) find; the 3D and 2D tests pass.
URN22 A good lattice in 2 to 5 dimensions (S_t from 0.75 to 0.93) but a weak one in 6 (nu_6^2 = 242, S_6 = 0.30); the two failures (OPSO, the serial test) are of the low bits of the power-of-two modulus, not of the lattice.
URN28 The lattice of URN01 (16807 modulo 2^31 - 1) from another seed: the same figures, and it passes every test.
URN30 Each call is a stretch of the lattice of 630360016 modulo 2^31 - 1, fair in every dimension but 3 (S_3 = 0.43); with new streams 100000 steps apart and 23 bits a value, the report passes it everywhere.
URN31 The fold keeps the states near the lattices of +-2456949 modulo 2^24, whose figures are small (nu_8^2 = 18: every 8-tuple on 9 hyperplanes) on a modulus of only 2^22; with its period of 2^22 values, the stream repeats inside most tests, and the lattice and the repeats together explain its failures.
URN32 As URN31 with 3513383 modulo 2^25 (lattice modulus 2^24, S_2 = 0.39): the weak 2D figure goes with the failure of the 2D minimum distance, and its period of 2^22 values with the rest.
URN33 Not a lattice: the states, rounded to single precision, fall into a cycle of 481106 values after 2691348; most tests read more than that and see the repeat. The figures of the stages (S_3 = 0.34 for 11257, S_4 = 0.37 for 12553) would matter only without the rounding.
URN34 The components are tiny (moduli near 2000) and one is a poor lattice (45 modulo 2027: nu_3^2 = 5, every triple of its own on 2 planes); the shuffle hides that from some tests but not from the 2D and 3D minimum distance tests or squeeze, which fail.
URN35 Combined: the figures of its components are good (S_t from 0.55 to 0.85), the combination has period 8.1 10^12, and the report passes it everywhere; the theory of the combination is that of the components.
URN36 The lattice of 5^13 modulo 2^33 is fair (S_3 = 0.37 the weakest), but each value keeps 15 bits; the failures (OPSO, squeeze) come from those 15 bits, as for URN13.
URN37 A fair lattice (S_2 = 0.56, the rest above 0.64); the failures of OPSO, count the 1s and the serial test are of the low bits of the modulus 2^31, which the spectral test does not see; the 2D minimum distance fails with S_2 = 0.56, the weakest of its figures, still far from the 15 planes of RANDU.
URN38 The period, 8192, fails every test, as for URN10; its lattice on modulus 2^13 has nu_8^2 = 6.
URN39 No lattice and no known period: the spectral test has nothing to say; the report fails OPSO and the serial test, which read the bits of the words.
'

csv_quality="$out/quality.csv"
[ -f "$csv_quality" ] || csv_quality="$root/docs/quality.csv"

# ---------------------------------------------------------------------------
# The page.
{
  cat <<'EOF'
# Theory of the generators

For every generator of the catalogue that produces values: the period of its
stream from its fixed starting state and how it is known, and the spectral test
of its lattice, the classical exact figures of a congruential generator.
`tools/theory.sh` writes this page with `tamboril-lattice` (the program's
`--help` tells its options); the quality report, [quality.md](quality.md),
gives the statistical tests that the figures are compared with below.

## The figures

For x_{n+1} = a x_n (+ c) mod m, the t-tuples of consecutive states, divided
by m, lie on a lattice: the one spanned by (1, a, ..., a^(t-1)) / m and the unit
vectors. An integer vector s with s_1 + s_2 a + ... + s_t a^(t-1) = 0 (mod m)
gives a family of parallel hyperplanes s·x = k, 1/|s| apart, that holds every
tuple. The spectral test is the shortest such s:

- **ν_t²**, the squared length of the shortest nonzero s, an exact integer, and
  ν_t: the tuples lie on hyperplanes 1/ν_t apart and on no family farther apart.
- **S_t** = ν_t / (γ_t^(1/2) m^(1/t)), between 0 and 1: 1 would be the best
  lattice of that density. γ_t is the Hermite constant for t ≤ 8 (and 24); for
  9 to 23 it is that of the densest lattice known, a lower bound of the
  constant, so S_t there is an upper figure.
- **μ_t** = π^(t/2) ν_t^t / (Γ(t/2 + 1) m), Knuth's figure of merit (in the
  CSV of `tamboril-lattice`).
- **Hyperplanes**: the fewest parallel hyperplanes that hold every tuple inside
  the unit cube, the least L1 norm of a nonzero s minus 1. With a = 65539
  (RANDU), 9 x − 6 y + z is a whole number for every triple, strictly between
  −6 and 10: 15 planes.

The figures are exact: the lattices are reduced by fplll on GMP integers, the
shortest vector is fplll's exact enumeration, and the least L1 norm an
exhaustive enumeration over the reduced basis. The tests compare them with
Knuth's Algorithm S and with exhaustive search, and with the published figures
of 16807 and 69069.

**The modulus of the lattice.** Only the states that the generator reaches
count. Their differences are the multiples of (a − 1) x_0 modulo m, so the
tuples lie on a translate of the lattice of a modulo m / gcd((a − 1) x_0, m):

- a prime modulus (URN01, URN20, URN28, URN30, the components of URN34 and
  URN35): m itself, every nonzero residue being a state;
- a mixed generator of full period (URN14, URN22): m itself, the increment only
  translating the lattice;
- m = 2^e, a = 5 mod 8, an odd seed (URN10, URN12, URN13, URN36, URN37, URN38):
  2^(e−2). The states are the residues equal to the seed modulo 4, 4 times the
  states of a modulo 2^(e−2) plus the seed, and the tuples fill that lattice;
- m = 2^e, a = 3 or 7 mod 8, an odd seed (URN03, URN08, URN09, URN06, URN32):
  2^(e−1). The states are odd residues equal to the seed or to a times it
  modulo 8; their differences span every even residue, so the tuples lie on the
  lattice of modulus 2^(e−1), and fill half of it for a = 3 mod 8 (65539:
  ν_2² = 536936458 on modulus 2^30, the figure published for RANDU).

**The period** is the number of values after which the stream repeats, from
the first value on; where the stream first runs through states that never
return, the tail is given too. It is the period of the generator's states; the
values, where they hold fewer bits than the states, repeat no sooner, since half
a period changes the top bit of the state (said in each generator's line).
URN30 and URN34 start every call afresh, so their streams depend on the cut into
calls; their periods are counted in calls. Exact by theory: the order of the
multiplier from the factorisation of m − 1 for a prime modulus; the 2-adic rule
modulo 2^e (an odd seed: order 2^(e−2) for a = 3 or 5 mod 8); full period of a
mixed generator (odd increment, a = 1 mod 4); primitivity of URN05's trinomial
over GF(2), checked by computation; the lcm of the components for the combined
ones. Measured: cycle detection by Brent's method over the program's own
generator, from its starting state. A bound where neither is possible.

## Every generator

A cell of dimension t holds ν_t² and, below it, S_t. A generator that is not
itself a lattice generator shows the figures of the congruential sequence that
it folds or rounds (in italics); those with several sequences are in the next
table.

EOF
  printf '| generator | recurrence | lattice modulus | multiplier | period | how known |'
  for t in 2 3 4 5 6 7 8; do printf ' t = %s |' "$t"; done
  printf ' planes 2D | planes 3D |\n| --- | --- | --- | --- | --- | --- |'
  for t in 2 3 4 5 6 7 8; do printf ' --- |'; done
  printf ' --- | --- |\n'
  "$lattice" --catalogue --dimensions 2 | awk '/^URN[0-9][0-9]: / { name = substr($0, 1, 5); sub(/^URN[0-9][0-9]: /, ""); print name "\t" $0 }' >"$work/recurrences"
  "$lattice" --catalogue --dimensions 2 | awk '/^URN[0-9][0-9]: / { name = substr($0, 1, 5) } /not a lattice generator/ { print name }' >"$work/not-lattice"
  while IFS=, read -r name period form unit method how; do
    [ "$name" = name ] && continue
    recurrence=$(awk -F'\t' -v n="$name" '$1 == n { print $2 }' "$work/recurrences")
    components=$(awk -F, -v n="$name" '$1 == n && $4 == 2' "$work/figures.csv" | wc -l)
    shown=$period
    [ -n "$form" ] && shown="$period ($form)"
    [ -z "$period" ] && shown="not known"
    [ -n "$unit" ] && shown="$shown $unit"
    # An anchor per row, for links to one generator's figures.
    printf '| <a id="%s"></a>%s | %s |' "${name,,}" "$name" "$recurrence"
    if [ "$components" -eq 1 ]; then
      italic=''
      grep -qx "$name" "$work/not-lattice" && italic='*'
      awk -F, -v n="$name" -v p="$shown" -v k="$method" -v i="$italic" '
        $1 == n { modulus = $2; multiplier = $3; nu[$4] = $5; s[$4] = sprintf("%.3f", $7); planes[$4] = $9 }
        END {
          printf " %s%s%s | %s%s%s | %s | %s |", i, modulus, i, i, multiplier, i, p, k
          for (t = 2; t <= 8; t++) printf " %s%s<br>%s%s |", i, nu[t], s[t], i
          printf " %s%s%s | %s%s%s |\n", i, planes[2], i, i, planes[3], i
        }' "$work/figures.csv"
    else
      what='no lattice'
      [ "$components" -gt 1 ] && what='see below'
      printf ' %s | | %s | %s |' "$what" "$shown" "$method"
      for t in 2 3 4 5 6 7 8; do printf ' |'; done
      printf ' | |\n'
    fi
  done <"$work/periods.csv"

  cat <<'EOF'

The sequences inside the generators that mix several (their own figures; the
values of the generator are not on these lattices):

EOF
  printf '| generator | lattice modulus | multiplier |'
  for t in 2 3 4 5 6 7 8; do printf ' t = %s |' "$t"; done
  printf ' planes 2D | planes 3D |\n| --- | --- | --- |'
  for t in 2 3 4 5 6 7 8; do printf ' --- |'; done
  printf ' --- | --- |\n'
  awk -F, '$4 == 2 { count[$1]++ } { rows[NR] = $0 } END { for (i = 2; i <= NR; i++) { split(rows[i], f, ","); if (count[f[1]] > 1) print rows[i] } }' "$work/figures.csv" |
    awk -F, '
      { key = $1 "," $2 "," $3; if (!(key in seen)) { seen[key] = 1; order[++n] = key }
        nu[key, $4] = $5; s[key, $4] = sprintf("%.3f", $7); planes[key, $4] = $9 }
      END {
        for (i = 1; i <= n; i++) {
          split(order[i], k, ",")
          printf "| %s | %s | %s |", k[1], k[2], k[3]
          for (t = 2; t <= 8; t++) printf " %s<br>%s |", nu[order[i], t], s[order[i], t]
          printf " %s | %s |\n", planes[order[i], 2], planes[order[i], 3]
        }
      }'

  cat <<'EOF'

## How each period is known

EOF
  while IFS=, read -r name period form unit method how; do
    [ "$name" = name ] && continue
    how=$(awk -F, -v n="$name" '$1 == n { sub(/^[^"]*"/, ""); sub(/"$/, ""); print }' "$work/periods.csv")
    printf -- '- **%s**, %s: %s.\n' "$name" "$method" "$how"
  done <"$work/periods.csv"

  cat <<EOF

The measured periods, measured again for this page (\`tamboril-lattice
--measure NAME --budget STEPS\`, Brent's method over the program's own
generator; $elapsed s in all):

| generator | budget | result | steps | seconds |
| --- | --- | --- | --- | --- |
EOF
  while IFS='|' read -r name budget result steps seconds; do
    printf '| %s | %s | %s | %s | %s |\n' "$name" "$budget" "$result" "$steps" "$seconds"
  done <"$work/measured"

  cat <<'EOF'

## What the figures say of the quality report

Each generator's verdict in [the quality report](quality.md) (the tests it
fails), and what the theory explains of it.

EOF
  while IFS=, read -r name _; do
    [ "$name" = name ] && continue
    note=$(awk -v n="$name" '$1 == n { $1 = ""; sub(/^ /, ""); print }' <<<"$notes_table")
    verdict='not in the quality report'
    if [ -f "$csv_quality" ]; then
      verdict=$(awk -F, -v n="$name" '
        $1 == n { total++; if ($4 == "FAILED") { failed[++f] = $2 } }
        END {
          if (!total) { print "not in the quality report"; exit }
          if (!f) { print "passes all " total " tests"; exit }
          s = "fails " f " of " total ": "
          for (i = 1; i <= f; i++) s = s (i > 1 ? ", " : "") "`" failed[i] "`"
          print s
        }' "$csv_quality")
    fi
    printf -- '- **%s** (%s). %s\n' "$name" "$verdict" "$note"
  done <"$work/periods.csv"
} >"$out/theory.md"

echo "theory.sh: $out/theory.md"
