// The congruential sequences inside the catalogue's generators, with the
// modulus of the lattice that their tuples span and why.
#include <algorithm>

#include "tamboril/lattice.hpp"

namespace tamboril::lattice {

namespace {

constexpr uint128 p2(int k) { return uint128{1} << k; }
constexpr uint128 kPrime31 = p2(31) - 1;

// The reasons, by class of multiplier and modulus.
constexpr std::string_view kPrime =
    "prime modulus: the states from a nonzero seed are nonzero residues whose differences reach every residue, "
    "so the tuples lie on the lattice of the modulus itself";
constexpr std::string_view kFiveModEight =
    "2^e with a = 5 mod 8 and an odd seed: the states are the 2^(e-2) residues equal to the seed modulo 4, "
    "4 times the states of a modulo 2^(e-2) plus the seed, so the tuples fill a translate of the lattice of "
    "modulus 2^(e-2)";
constexpr std::string_view kThreeModEight =
    "2^e with a = 3 mod 8 and an odd seed: the states are the residues equal to the seed or to 3 times it "
    "modulo 8; their differences are all the even residues, so the tuples lie on a translate of the lattice of "
    "modulus 2^(e-1), and fill half of it";
constexpr std::string_view kSevenModEight =
    "2^e with a = 7 mod 8 and an odd seed: the differences of the states are the multiples of (a - 1) x0, "
    "twice an odd number, so the tuples lie on a translate of the lattice of modulus 2^(e-1)";
constexpr std::string_view kOneModHigh =
    "2^32 with a = 1 + 2^25: the states differ by multiples of 2^25 only, so the tuples lie on the lattice "
    "of modulus 2^7, where the multiplier is 1";
constexpr std::string_view kMixed =
    "a mixed generator of full period: every residue is a state, so the lattice is that of the modulus itself "
    "(the increment only translates it)";
constexpr std::string_view kStage =
    "the stage's own modulus; the rounding of every state to single precision moves the points off any lattice";

std::vector<GeneratorTheory> build() {
    std::vector<GeneratorTheory> t;
    t.push_back({"URN01", "x <- 16807 x mod (2^31 - 1), from 524287", true, "",
                 {{"IX", 16807, kPrime31, 0, 524287, kPrime31, kPrime}}});
    t.push_back({"URN02", "three sequences modulo 2^32 (L, MMM, KKK); the value is the entry of a 128-entry table "
                          "picked by L, plus L and MMM; KKK replaces the entry",
                 false,
                 "not a lattice generator: a table mixes three congruential sequences; the figures of the sequences "
                 "apply to them, not to the values",
                 {{"L", 65539, p2(32), 0, 0x553554D, p2(31), kThreeModEight},
                  {"MMM", 0x2000001, p2(32), 0, 0x11F80629, p2(7), kOneModHigh},
                  {"KKK", 0x159A55E5, p2(32), 0, 0xE548749, p2(30), kFiveModEight}}});
    t.push_back({"URN03", "x <- 65539 x mod 2^31, from 1", true, "",
                 {{"IX", 65539, p2(31), 0, 1, p2(30), kThreeModEight}}});
    t.push_back({"URN05", "w_n = w_(n-98) xor w_(n-71) on 31-bit words (a shift register, x^98 + x^27 + 1)", false,
                 "not a lattice generator: a linear recurrence over GF(2), bit by bit; no congruential figure applies. "
                 "Every bit of the words follows the same recurrence, so the words obey w_n xor w_(n-71) xor "
                 "w_(n-98) = 0 exactly",
                 {}});
    t.push_back({"URN06", "abs(x) / 2^31 for x <- 65539 x mod 2^32 taken as a signed word, from 1 (the second "
                          "sequence, 262147 y, starts at 0 and stays there)",
                 false,
                 "not a lattice generator: the absolute value folds the lattice of 65539 modulo 2^32 onto half of "
                 "its range; its figures describe the sequence before the fold",
                 {{"IX", 65539, p2(32), 0, 1, p2(31), kThreeModEight}}});
    t.push_back({"URN08", "x <- 65539 x mod 2^31, from 524287", true, "",
                 {{"IX", 65539, p2(31), 0, 524287, p2(30), kThreeModEight}}});
    t.push_back({"URN09", "x <- 65539 x mod 2^31, from 524287 (the stream of URN08)", true, "",
                 {{"IX", 65539, p2(31), 0, 524287, p2(30), kThreeModEight}}});
    t.push_back({"URN10", "x <- 125 x mod 8192, from 1", true, "",
                 {{"IX", 125, p2(13), 0, 1, p2(11), kFiveModEight}}});
    t.push_back({"URN11", "x <- abs(452807053 x wrapped to a signed 32-bit word), from 1: x_(n+1) = +-452807053 x_n "
                          "mod 2^32",
                 false,
                 "not a lattice generator: the product is folded by its absolute value; each pair of consecutive "
                 "states lies on the lattice of 452807053 or on that of -452807053 modulo 2^32, and the figures of "
                 "the multiplier describe the unfolded sequence",
                 {{"IX", 452807053, p2(32), 0, 1, p2(30), kFiveModEight}}});
    t.push_back({"URN12", "x <- 452807053 x mod 2^31, from 1", true, "",
                 {{"IX", 452807053, p2(31), 0, 1, p2(29), kFiveModEight}}});
    t.push_back({"URN13", "x <- 663608941 x mod 2^32, from 524287; the value is the top 15 bits", true, "",
                 {{"X", 663608941, p2(32), 0, 524287, p2(30), kFiveModEight}}});
    t.push_back({"URN14", "x <- 266245 x + 453816693 mod 2^31 through a 64-entry table, the entry picked by "
                          "j <- 10924 j + 6925 mod 32769 (32768 skipped)",
                 false,
                 "not a lattice generator: the shuffle table reorders the main sequence; its figures apply to the "
                 "sequence before the shuffle",
                 {{"IX", 266245, p2(31), 453816693, 0, p2(31), kMixed},
                  {"JX", 10924, 32769, 6925, 0, 32769, kMixed}}});
    t.push_back({"URN20", "x <- fmod(2027812808 x, 2^31 - 1) with the product rounded to double, from 524287",
                 false,
                 "not a lattice generator: the product (up to 2^62) is rounded to 53 bits before the remainder, "
                 "an error of up to 2^9 in each state; every point lies within about 2^-22 of the lattice of the "
                 "exact multiplier, whose figures follow, but the sequence is not that multiplier's",
                 {{"IX", 2027812808, kPrime31, 0, 524287, kPrime31, kPrime}}});
    t.push_back({"URN21", "x_n = x_(n-1) + x_(n-2) + x_(n-3) (+ 1357 while x_(n-2) < 5 10^7) mod 10^8", false,
                 "not a lattice generator of one multiplier: an additive recurrence of order 3. In 4 dimensions "
                 "u_n + u_(n+1) + u_(n+2) - u_(n+3) is 0, 1 or 2 up to 1357 10^-8, so every quadruple lies "
                 "within 1.4e-5 of one of 3 planes with normal (1, 1, 1, -1): nu_4^2 is at most 4",
                 {}});
    t.push_back({"URN22", "x <- 69069 x + 1 mod 2^32, from 32007779", true, "",
                 {{"M1", 69069, p2(32), 1, 32007779, p2(32), kMixed}}});
    t.push_back({"URN28", "x <- 16807 x mod (2^31 - 1), from 1", true, "",
                 {{"IX", 16807, kPrime31, 0, 1, kPrime31, kPrime}}});
    t.push_back({"URN30", "each call: z <- 630360016 z mod (2^31 - 1) (24112 then 26143), from the stream's "
                          "seed 1973272912 1047710950^K; the value is (2 (z div 256) + 1) / 2^24",
                 true, "",
                 {{"Z", 630360016, kPrime31, 0, 0, kPrime31, kPrime}}});
    t.push_back({"URN31", "x <- abs((2456949 x wrapped to 32 bits) rem 2^24), from 1234567: x_(n+1) = +-2456949 x_n "
                          "mod 2^24",
                 false,
                 "not a lattice generator: the remainder keeps the sign of the wrapped product and the sign is "
                 "then dropped, a fold; the figures of 2456949 modulo 2^24 describe the unfolded sequence",
                 {{"IXX", 2456949, p2(24), 0, 1234567, p2(22), kFiveModEight}}});
    t.push_back({"URN32", "x <- abs((3513383 x wrapped to 32 bits) rem 2^25), from 1234567: x_(n+1) = +-3513383 x_n "
                          "mod 2^25",
                 false,
                 "not a lattice generator: the remainder keeps the sign of the wrapped product and the sign is "
                 "then dropped, a fold; the figures of 3513383 modulo 2^25 describe the unfolded sequence",
                 {{"IXX", 3513383, p2(25), 0, 1234567, p2(24), kSevenModEight}}});
    t.push_back({"URN33", "x <- fl(12553 fl(11257 x mod 100000008) mod 100000040), every state rounded to single "
                          "precision, from 12345678",
                 false,
                 "not a lattice generator: two stages with different moduli, each result rounded to single "
                 "precision (a spacing of up to 8 near 10^8); the stages' own figures follow",
                 {{"stage 1", 11257, 100000008, 0, 0, 100000008, kStage},
                  {"stage 2", 12553, 100000040, 0, 0, 100000040, kStage}}});
    t.push_back({"URN34", "three sequences 44 w mod 2039, 45 y mod 2027, 41 z mod 2003 through 10-entry tables "
                          "picked by the digits of the last value, combined in one of six ways",
                 false,
                 "not a lattice generator: three small sequences shuffled and combined; their figures apply to "
                 "them alone",
                 {{"KW", 44, 2039, 0, 1, 2039, kPrime},
                  {"KY", 45, 2027, 0, 1, 2027, kPrime},
                  {"KZ", 41, 2003, 0, 1, 2003, kPrime}}});
    t.push_back({"URN35", "(w + y + z - 3) mod 32362 for 157 w mod 32363, 146 y mod 31727, 142 z mod 31657", false,
                 "not a lattice generator: a combination of three sequences; their figures apply to them alone",
                 {{"KW", 157, 32363, 0, 1, 32363, kPrime},
                  {"KY", 146, 31727, 0, 1, 31727, kPrime},
                  {"KZ", 142, 31657, 0, 1, 31657, kPrime}}});
    t.push_back({"URN36", "x <- 5^13 x mod 2^35, from 32767; the value is the top 15 bits", true, "",
                 {{"X", 1220703125, p2(35), 0, 32767, p2(33), kFiveModEight}}});
    t.push_back({"URN37", "x <- 5^13 x mod 2^31, from 32767", true, "",
                 {{"INTIN(1)", 1220703125, p2(31), 0, 32767, p2(29), kFiveModEight}}});
    t.push_back({"URN38", "x <- 5^13 x mod 2^15, from 32767", true, "",
                 {{"INTIN(1)", 1220703125, p2(15), 0, 32767, p2(13), kFiveModEight}}});
    t.push_back({"URN39", "seed <- frac(sin(k) (seed + k) + seed), k the count of values", false,
                 "not a lattice generator: driven by the sine of a running count; no congruential figure applies",
                 {}});
    return t;
}

}  // namespace

const std::vector<GeneratorTheory>& catalogue_theory() {
    static const std::vector<GeneratorTheory> table = build();
    return table;
}

const GeneratorTheory* find_theory(std::string_view name) {
    const auto& table = catalogue_theory();
    const auto it = std::find_if(table.begin(), table.end(), [&](const GeneratorTheory& g) { return g.name == name; });
    return it == table.end() ? nullptr : &*it;
}

}  // namespace tamboril::lattice
