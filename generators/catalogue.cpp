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
     .period = {}},
    {.name = "URN02   ", .action = Fill, .make = make_urn02,
     .bits = Urn02Core::bits,
     .seed = Urn02Core::seed_range,
     .description = "three wrapped 32-bit congruential sequences and a 128-entry table",
     .period = {}},
    {.name = "URN03   ", .action = Fill, .make = make_urn03,
     .bits = Urn03Core::bits,
     .seed = Urn03Core::seed_range,
     .description = "65539 X mod 2^31 in wrapping 32-bit integers, from 1",
     .period = {}},
    {.name = "URN04   ", .action = CallThenNotImplemented, .make = make_urn04,
     .description = "prints IX and a 128-entry table, then is not implemented"},
    {.name = "URN05   ", .action = Fill, .make = make_urn05,
     .bits = Urn05Core::bits,
     .seed = Urn05Core::seed_range,
     .description = "a 98-word feedback shift register of 31-bit words",
     .period = {}},
    {.name = "URN06   ", .action = Fill, .make = make_urn06,
     .bits = Urn06Core::bits,
     .seed = Urn06Core::seed_range,
     .description = "the sum of two wrapped sequences, 65539 and 262147, scaled by 2^-31",
     .period = {}},
    {.name = "URN07   ", .action = CallThenNotImplemented, .make = make_urn07,
     .description = kStub},
    {.name = "URN08   ", .action = Fill, .make = make_urn08,
     .bits = Urn08Core::bits,
     .seed = Urn08Core::seed_range,
     .description = "65539 X mod 2^31 in wrapping 32-bit integers, from 524287",
     .period = {}},
    {.name = "URN09   ", .action = Fill, .make = make_urn09,
     .bits = Urn09Core::bits,
     .seed = Urn09Core::seed_range,
     .description = "the stream of URN08, coded otherwise",
     .period = {}},
    {.name = "URN10   ", .action = Fill, .make = make_urn10,
     .bits = Urn10Core::bits,
     .seed = Urn10Core::seed_range,
     .description = "125 X mod 8192",
     .period = {}},
    {.name = "URN11   ", .action = Fill, .make = make_urn11,
     .bits = Urn11Core::bits,
     .seed = Urn11Core::seed_range,
     .description = "452807053 X + C with a wrapped product and a single-precision remainder",
     .period = {}},
    {.name = "URN12   ", .action = Fill, .make = make_urn12,
     .bits = Urn12Core::bits,
     .seed = Urn12Core::seed_range,
     .description = "452807053 X + C with a wrapped product and a double-precision remainder",
     .period = {}},
    {.name = "URN13   ", .action = Fill, .make = make_urn13,
     .bits = Urn13Core::bits,
     .seed = Urn13Core::seed_range,
     .description = "663608941 X mod 2^32 by split products",
     .period = {}},
    {.name = "URN14   ", .action = Fill, .make = make_urn14,
     .bits = Urn14Core::bits,
     .seed = Urn14Core::seed_range,
     .description = "a mixed congruential generator mod 2^31 shuffled through 64 entries",
     .period = {}},
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
     .period = {}},
    {.name = "URN21   ", .action = Fill, .make = make_urn21,
     .bits = Urn21Core::bits,
     .seed = Urn21Core::seed_range,
     .description = "an additive generator mod 10^8 over the last three values",
     .period = {}},
    {.name = "URN22   ", .action = Fill, .make = make_urn22,
     .bits = Urn22Core::bits,
     .seed = Urn22Core::seed_range,
     .description = "69069 X + 1 mod 2^32 in double precision",
     .period = {}},
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
     .period = {}},
    {.name = "URN29   ", .action = NotImplemented, .make = nullptr,
     .description = "not implemented"},
    {.name = "URN30   ", .action = Fill, .make = make_urn30,
     .bits = Urn30Core::bits,
     .seed = Urn30Core::seed_range,
     .description = "a new stream mod (2^31 - 1) at every call (depends on the cut)",
     .period = {}},
    {.name = "URN31   ", .action = Fill, .make = make_urn31,
     .bits = Urn31Core::bits,
     .seed = Urn31Core::seed_range,
     .description = "2456949 X mod 2^24 in wrapping 32-bit arithmetic",
     .period = {}},
    {.name = "URN32   ", .action = Fill, .make = make_urn32,
     .bits = Urn32Core::bits,
     .seed = Urn32Core::seed_range,
     .description = "3513383 X mod 2^25 in wrapping 32-bit arithmetic",
     .period = {}},
    {.name = "URN33   ", .action = Fill, .make = make_urn33,
     .bits = Urn33Core::bits,
     .seed = Urn33Core::seed_range,
     .description = "two multiply-and-reduce stages with single-precision states",
     .period = {}},
    {.name = "URN34   ", .action = Fill, .make = make_urn34,
     .bits = Urn34Core::bits,
     .seed = Urn34Core::seed_range,
     .description = "three small prime moduli through shuffle tables (depends on the cut)",
     .period = {}},
    {.name = "URN35   ", .action = Fill, .make = make_urn35,
     .bits = Urn35Core::bits,
     .seed = Urn35Core::seed_range,
     .description = "three multiplicative components near 2^15 combined mod 32362",
     .period = {}},
    {.name = "URN36   ", .action = Fill, .make = make_urn36,
     .bits = Urn36Core::bits,
     .seed = Urn36Core::seed_range,
     .description = "5^13 X mod 2^35 by split products",
     .period = {}},
    {.name = "URN37   ", .action = Fill, .make = make_urn37,
     .bits = Urn37Core::bits,
     .seed = Urn37Core::seed_range,
     .description = "5^13 X mod 2^31 in one wrapping multiplication",
     .period = {}},
    {.name = "URN38   ", .action = Fill, .make = make_urn38,
     .bits = Urn38Core::bits,
     .seed = Urn38Core::seed_range,
     .description = "5^13 X mod 2^15",
     .period = {}},
    {.name = "URN39   ", .action = Fill, .make = make_urn39,
     .bits = Urn39Core::bits,
     .seed = Urn39Core::seed_range,
     .description = "the fractional part of sin(k) (SEED + k) + SEED",
     .period = {}},
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
