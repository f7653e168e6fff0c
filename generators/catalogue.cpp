#include "generators/catalogue.hpp"

#include <stdexcept>
#include <string>

#include "tamboril/generators.hpp"

namespace tamboril::generators {

// Each generator's file defines its factory.
std::unique_ptr<Operation> make_urn01(std::string_view name);
std::unique_ptr<Operation> make_urn02(std::string_view name);
std::unique_ptr<Operation> make_urn03(std::string_view name);
std::unique_ptr<Operation> make_urn04(std::string_view name);
std::unique_ptr<Operation> make_urn05(std::string_view name);
std::unique_ptr<Operation> make_urn06(std::string_view name);
std::unique_ptr<Operation> make_urn07(std::string_view name);
std::unique_ptr<Operation> make_urn08(std::string_view name);
std::unique_ptr<Operation> make_urn09(std::string_view name);
std::unique_ptr<Operation> make_urn10(std::string_view name);
std::unique_ptr<Operation> make_urn11(std::string_view name);
std::unique_ptr<Operation> make_urn12(std::string_view name);
std::unique_ptr<Operation> make_urn13(std::string_view name);
std::unique_ptr<Operation> make_urn14(std::string_view name);
std::unique_ptr<Operation> make_urn15(std::string_view name);
std::unique_ptr<Operation> make_urn16(std::string_view name);
std::unique_ptr<Operation> make_urn17(std::string_view name);
std::unique_ptr<Operation> make_urn18(std::string_view name);
std::unique_ptr<Operation> make_urn19(std::string_view name);
std::unique_ptr<Operation> make_urn20(std::string_view name);
std::unique_ptr<Operation> make_urn21(std::string_view name);
std::unique_ptr<Operation> make_urn22(std::string_view name);
std::unique_ptr<Operation> make_urn28(std::string_view name);
std::unique_ptr<Operation> make_urn30(std::string_view name);
std::unique_ptr<Operation> make_urn31(std::string_view name);
std::unique_ptr<Operation> make_urn32(std::string_view name);
std::unique_ptr<Operation> make_urn33(std::string_view name);
std::unique_ptr<Operation> make_urn34(std::string_view name);
std::unique_ptr<Operation> make_urn35(std::string_view name);
std::unique_ptr<Operation> make_urn36(std::string_view name);
std::unique_ptr<Operation> make_urn37(std::string_view name);
std::unique_ptr<Operation> make_urn38(std::string_view name);
std::unique_ptr<Operation> make_urn39(std::string_view name);

namespace {
using enum Action;
constexpr std::string_view kStub = "prints its starting state and a report, then is not implemented";
}  // namespace

const std::array<CatalogueEntry, kGeneratorCount> kCatalogue = {{
    {.name = "URN01   ", .action = Fill, .make = make_urn01,
     .bits = Urn01Core::bits,
     .seed = Urn01Core::seed_range,
     .description = "16807 X mod (2^31 - 1) in double precision",
     .period = {.length = "2147483646", .known = PeriodKnown::Theory,
                .how = "16807 = 7^5 is a primitive root modulo the prime 2^31 - 1: its order, from 2^31 - 2 = 2 3^2 7 11 31 151 331, is 2^31 - 2, so every nonzero state is reached",
                .form = "2^31 - 2"}},
    {.name = "URN02   ", .action = Fill, .make = make_urn02,
     .bits = Urn02Core::bits,
     .seed = Urn02Core::seed_range,
     .description = "three wrapped 32-bit congruential sequences and a 128-entry table",
     .period = {.length = "1073741824", .known = PeriodKnown::Theory,
                .how = "the lcm of its sequences modulo 2^32, L (65539 = 3 mod 8) 2^30, MMM (1 + 2^25) 2^7 and KKK (= 5 mod 8) 2^30; the table holds the last values written, so the states repeat with them once every entry has been rewritten",
                .form = "2^30"}},
    {.name = "URN03   ", .action = Fill, .make = make_urn03,
     .bits = Urn03Core::bits,
     .seed = Urn03Core::seed_range,
     .description = "65539 X mod 2^31 in wrapping 32-bit integers, from 1",
     .period = {.length = "536870912", .known = PeriodKnown::Theory,
                .how = "65539 = 3 mod 8 has order 2^(31 - 2) modulo 2^31, from any odd seed; half a period multiplies by 1 + 2^30, which adds 2^30 to the state, so the values repeat no sooner",
                .form = "2^29"}},
    {.name = "URN04   ", .action = CallThenNotImplemented, .make = make_urn04,
     .description = "prints IX and a 128-entry table, then is not implemented"},
    {.name = "URN05   ", .action = Fill, .make = make_urn05,
     .bits = Urn05Core::bits,
     .seed = Urn05Core::seed_range,
     .description = "a 98-word feedback shift register of 31-bit words",
     .period = {.length = "316912650057057350374175801343", .known = PeriodKnown::Theory,
                .how = "each bit of the words follows w_n = w_(n-98) xor w_(n-71), whose polynomial x^98 + x^27 + 1 is primitive over GF(2) (checked by computation), and no bit is 0 throughout the starting register: every bit, and so every word, has period 2^98 - 1 (the register with its pointer returns only after 98 times as many steps)",
                .form = "2^98 - 1"}},
    {.name = "URN06   ", .action = Fill, .make = make_urn06,
     .bits = Urn06Core::bits,
     .seed = Urn06Core::seed_range,
     .description = "the sum of two wrapped sequences, 65539 and 262147, scaled by 2^-31",
     .period = {.length = "1073741824", .known = PeriodKnown::Theory,
                .how = "65539 = 3 mod 8 has order 2^30 modulo 2^32 from the odd seed 1, and the second sequence stays 0; half a period adds 2^31 to the state, which changes its absolute value, so the values repeat no sooner",
                .form = "2^30"}},
    {.name = "URN07   ", .action = CallThenNotImplemented, .make = make_urn07,
     .description = kStub},
    {.name = "URN08   ", .action = Fill, .make = make_urn08,
     .bits = Urn08Core::bits,
     .seed = Urn08Core::seed_range,
     .description = "65539 X mod 2^31 in wrapping 32-bit integers, from 524287",
     .period = {.length = "536870912", .known = PeriodKnown::Theory,
                .how = "65539 = 3 mod 8 has order 2^(31 - 2) modulo 2^31, from the odd seed 524287; half a period adds 2^30 to the state",
                .form = "2^29"}},
    {.name = "URN09   ", .action = Fill, .make = make_urn09,
     .bits = Urn09Core::bits,
     .seed = Urn09Core::seed_range,
     .description = "the stream of URN08, coded otherwise",
     .period = {.length = "536870912", .known = PeriodKnown::Theory,
                .how = "the recurrence of URN08: 65539 = 3 mod 8 has order 2^(31 - 2) modulo 2^31, from the odd seed 524287",
                .form = "2^29"}},
    {.name = "URN10   ", .action = Fill, .make = make_urn10,
     .bits = Urn10Core::bits,
     .seed = Urn10Core::seed_range,
     .description = "125 X mod 8192",
     .period = {.length = "2048", .known = PeriodKnown::Measured,
                .how = "cycle detection over the core, with no tail (tools/theory.sh), as the 2-adic rule gives: 125 = 5 mod 8 has order 2^(13 - 2) modulo 2^13",
                .form = "2^11"}},
    {.name = "URN11   ", .action = Fill, .make = make_urn11,
     .bits = Urn11Core::bits,
     .seed = Urn11Core::seed_range,
     .description = "452807053 X + C with a wrapped product and a single-precision remainder",
     .period = {.length = "1073741824", .known = PeriodKnown::Measured,
                .how = "cycle detection over the core, with no tail, in about 3.2 10^9 steps (tools/theory.sh); as the fold gives: x_n = +-452807053^n mod 2^32, and 452807053 = 5 mod 8 first reaches +-1 at 2^30",
                .form = "2^30"}},
    {.name = "URN12   ", .action = Fill, .make = make_urn12,
     .bits = Urn12Core::bits,
     .seed = Urn12Core::seed_range,
     .description = "452807053 X + C with a wrapped product and a double-precision remainder",
     .period = {.length = "536870912", .known = PeriodKnown::Theory,
                .how = "a negative wrapped product gets 2^31 added, so x <- 452807053 x mod 2^31 exactly; 452807053 = 5 mod 8 has order 2^(31 - 2), from any odd seed",
                .form = "2^29"}},
    {.name = "URN13   ", .action = Fill, .make = make_urn13,
     .bits = Urn13Core::bits,
     .seed = Urn13Core::seed_range,
     .description = "663608941 X mod 2^32 by split products",
     .period = {.length = "1073741824", .known = PeriodKnown::Theory,
                .how = "663608941 = 5 mod 8 has order 2^(32 - 2) modulo 2^32, from any odd seed; half a period adds 2^31, the top bit of the 15 that make the value, so the values repeat no sooner",
                .form = "2^30"}},
    {.name = "URN14   ", .action = Fill, .make = make_urn14,
     .bits = Urn14Core::bits,
     .seed = Urn14Core::seed_range,
     .description = "a mixed congruential generator mod 2^31 shuffled through 64 entries",
     .period = {.length = "2147483648", .known = PeriodKnown::Theory,
                .how = "the lcm of the main sequence, of full period 2^31 (odd increment, multiplier 1 mod 4), and of the selector, of period 32768 (full period modulo 32769 = 3^2 11 331, 32768 skipped); the table repeats with them once every entry has been rewritten",
                .form = "2^31"}},
    {.name = "URN15   ", .action = CallThenNotImplemented, .make = make_urn15,
     .description = kStub},
    {.name = "URN16   ", .action = CallThenNotImplemented, .make = make_urn16,
     .description = kStub},
    {.name = "URN17   ", .action = CallThenNotImplemented, .make = make_urn17,
     .description = kStub},
    {.name = "URN18   ", .action = CallThenNotImplemented, .make = make_urn18,
     .description = kStub},
    {.name = "URN19   ", .action = CallThenNotImplemented, .make = make_urn19,
     .description = kStub},
    {.name = "URN20   ", .action = Fill, .make = make_urn20,
     .bits = Urn20Core::bits,
     .seed = Urn20Core::seed_range,
     .description = "2027812808 X mod (2^31 - 1) with the product rounded to double",
     .period = {.length = "93214", .known = PeriodKnown::Measured,
                .how = "cycle detection over the core after a tail of 53769 values (tools/theory.sh); the rounding of the product makes the map many-to-one, so the period 2^31 - 2 of the exact multiplier does not apply"}},
    {.name = "URN21   ", .action = Fill, .make = make_urn21,
     .bits = Urn21Core::bits,
     .seed = Urn21Core::seed_range,
     .description = "an additive generator mod 10^8 over the last three values",
     .period = {.length = "536870912", .known = PeriodKnown::Bound,
                .how = "more than 2^29: no return in 2^30 steps of cycle detection (tools/theory.sh), and the map is invertible (the oldest word follows from the three newer ones), so the stream has no tail; at most 10^24, the number of states",
                .form = "more than 2^29"}},
    {.name = "URN22   ", .action = Fill, .make = make_urn22,
     .bits = Urn22Core::bits,
     .seed = Urn22Core::seed_range,
     .description = "69069 X + 1 mod 2^32 in double precision",
     .period = {.length = "4294967296", .known = PeriodKnown::Theory,
                .how = "69069 = 1 mod 4 with the odd increment 1: full period 2^32 (every intermediate is exact in double precision); half a period adds 2^31, the top bit",
                .form = "2^32"}},
    {.name = "URN23   ", .action = NotImplemented, .make = nullptr,
     .description = "not implemented"},
    {.name = "URN24   ", .action = NotImplemented, .make = nullptr,
     .description = "not implemented"},
    {.name = "URN25   ", .action = NotImplemented, .make = nullptr,
     .description = "not implemented"},
    {.name = "URN26   ", .action = NotImplemented, .make = nullptr,
     .description = "not implemented"},
    {.name = "URN27   ", .action = NotImplemented, .make = nullptr,
     .description = "not implemented"},
    {.name = "URN28   ", .action = Fill, .make = make_urn28,
     .bits = Urn28Core::bits,
     .seed = Urn28Core::seed_range,
     .description = "16807 X mod (2^31 - 1) by exact decomposition in 32-bit integers",
     .period = {.length = "2147483646", .known = PeriodKnown::Theory,
                .how = "16807 = 7^5 is a primitive root modulo the prime 2^31 - 1: its order, from 2^31 - 2 = 2 3^2 7 11 31 151 331, is 2^31 - 2",
                .form = "2^31 - 2"}},
    {.name = "URN29   ", .action = NotImplemented, .make = nullptr,
     .description = "not implemented"},
    {.name = "URN30   ", .action = Fill, .make = make_urn30,
     .bits = Urn30Core::bits,
     .seed = Urn30Core::seed_range,
     .description = "a new stream mod (2^31 - 1) at every call (depends on the cut)",
     .period = {.length = "1073741823", .known = PeriodKnown::Theory,
                .how = "each call starts stream K = 1, 2, ... at 1973272912 c^K mod (2^31 - 1), c = 1047710950 = g^100000 for the step g = 630360016, a primitive root (order 2^31 - 2): the streams are stretches of one cycle 100000 values apart, a call never repeats within itself, and the seeds of the calls repeat after the order of c, (2^31 - 2) / 2 calls",
                .form = "(2^31 - 2) / 2", .unit = "calls"}},
    {.name = "URN31   ", .action = Fill, .make = make_urn31,
     .bits = Urn31Core::bits,
     .seed = Urn31Core::seed_range,
     .description = "2456949 X mod 2^24 in wrapping 32-bit arithmetic",
     .period = {.length = "4194304", .known = PeriodKnown::Measured,
                .how = "cycle detection over the core, with no tail (tools/theory.sh): the fold keeps the period 2^22 of 2456949 = 5 mod 8 modulo 2^24",
                .form = "2^22"}},
    {.name = "URN32   ", .action = Fill, .make = make_urn32,
     .bits = Urn32Core::bits,
     .seed = Urn32Core::seed_range,
     .description = "3513383 X mod 2^25 in wrapping 32-bit arithmetic",
     .period = {.length = "4194304", .known = PeriodKnown::Measured,
                .how = "cycle detection over the core after a tail of 1 value (tools/theory.sh): the start 1234567 is not on the cycle of the folded map",
                .form = "2^22"}},
    {.name = "URN33   ", .action = Fill, .make = make_urn33,
     .bits = Urn33Core::bits,
     .seed = Urn33Core::seed_range,
     .description = "two multiply-and-reduce stages with single-precision states",
     .period = {.length = "481106", .known = PeriodKnown::Measured,
                .how = "cycle detection over the core after a tail of 2691348 values (tools/theory.sh); every state rounded to single precision makes the map many-to-one"}},
    {.name = "URN34   ", .action = Fill, .make = make_urn34,
     .bits = Urn34Core::bits,
     .seed = Urn34Core::seed_range,
     .description = "three small prime moduli through shuffle tables (depends on the cut)",
     .period = {.length = "1032247", .known = PeriodKnown::Bound,
                .how = "at least, with 10000 values a call: the three sequences, primitive roots of orders 2038, 2026 and 2002, advance N + 10 steps a call and return to their phase after 2066558494 / gcd(10010, 2066558494) = 1032247 calls; the state also holds the last value, so the period is a multiple of that, too long to measure",
                .form = "at least 1032247", .unit = "calls"}},
    {.name = "URN35   ", .action = Fill, .make = make_urn35,
     .bits = Urn35Core::bits,
     .seed = Urn35Core::seed_range,
     .description = "three multiplicative components near 2^15 combined mod 32362",
     .period = {.length = "8125436850168", .known = PeriodKnown::Theory,
                .how = "the lcm of the orders of 157, 146 and 142 modulo the primes 32363, 31727 and 31657, all primitive roots: lcm(32362, 31726, 31656); the values are purely periodic (the core stores no last value before the first)",
                .form = "about 2^42.9"}},
    {.name = "URN36   ", .action = Fill, .make = make_urn36,
     .bits = Urn36Core::bits,
     .seed = Urn36Core::seed_range,
     .description = "5^13 X mod 2^35 by split products",
     .period = {.length = "8589934592", .known = PeriodKnown::Theory,
                .how = "5^13 = 5 mod 8 has order 2^(35 - 2) modulo 2^35, from the odd seed 32767; half a period adds 2^34, the top bit of the value",
                .form = "2^33"}},
    {.name = "URN37   ", .action = Fill, .make = make_urn37,
     .bits = Urn37Core::bits,
     .seed = Urn37Core::seed_range,
     .description = "5^13 X mod 2^31 in one wrapping multiplication",
     .period = {.length = "536870912", .known = PeriodKnown::Theory,
                .how = "5^13 = 5 mod 8 has order 2^(31 - 2) modulo 2^31, from the odd seed 32767; half a period adds 2^30 to the state",
                .form = "2^29"}},
    {.name = "URN38   ", .action = Fill, .make = make_urn38,
     .bits = Urn38Core::bits,
     .seed = Urn38Core::seed_range,
     .description = "5^13 X mod 2^15",
     .period = {.length = "8192", .known = PeriodKnown::Measured,
                .how = "cycle detection over the core, with no tail (tools/theory.sh), as the 2-adic rule gives: 5^13 = 5 mod 8 has order 2^(15 - 2) modulo 2^15",
                .form = "2^13"}},
    {.name = "URN39   ", .action = Fill, .make = make_urn39,
     .bits = Urn39Core::bits,
     .seed = Urn39Core::seed_range,
     .description = "the fractional part of sin(k) (SEED + k) + SEED",
     .period = {.length = "", .known = PeriodKnown::Unknown,
                .how = "the state holds the count k, which grows with every value, so no state repeats, and nothing known bounds the period of the values"}},
    {.name = "URN40   ", .action = NotImplemented, .make = nullptr,
     .description = "not implemented"},
    {.name = "URNWN   ", .action = NotImplemented, .make = nullptr,
     .description = "not implemented"},
}};

int lookup_generator(std::string_view name) {
    for (int i = 0; i < kGeneratorCount; ++i) {
        if (equal_blank_padded(name, kCatalogue[static_cast<std::size_t>(i)].name)) return i + 1;
    }
    return 0;
}

const CatalogueEntry& catalogue_entry(int number) {
    return kCatalogue.at(static_cast<std::size_t>(number - 1));
}

}  // namespace tamboril::generators
