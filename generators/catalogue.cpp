#include "generators/catalogue.hpp"

#include <stdexcept>
#include <string>

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
    {"URN01   ", Fill, make_urn01, "16807 X mod (2^31 - 1) in double precision"},
    {"URN02   ", Fill, make_urn02, "three wrapped 32-bit congruential sequences and a 128-entry table"},
    {"URN03   ", Fill, make_urn03, "65539 X mod 2^31 in wrapping 32-bit integers, from 1"},
    {"URN04   ", CallThenNotImplemented, make_urn04, "prints IX and a 128-entry table, then is not implemented"},
    {"URN05   ", Fill, make_urn05, "a 98-word feedback shift register of 31-bit words"},
    {"URN06   ", Fill, make_urn06, "the sum of two wrapped sequences, 65539 and 262147, scaled by 2^-31"},
    {"URN07   ", CallThenNotImplemented, make_urn07, kStub},
    {"URN08   ", Fill, make_urn08, "65539 X mod 2^31 in wrapping 32-bit integers, from 524287"},
    {"URN09   ", Fill, make_urn09, "the stream of URN08, coded otherwise"},
    {"URN10   ", Fill, make_urn10, "125 X mod 8192"},
    {"URN11   ", Fill, make_urn11, "452807053 X + C with a wrapped product and a single-precision remainder"},
    {"URN12   ", Fill, make_urn12, "452807053 X + C with a wrapped product and a double-precision remainder"},
    {"URN13   ", Fill, make_urn13, "663608941 X mod 2^32 by split products"},
    {"URN14   ", Fill, make_urn14, "a mixed congruential generator mod 2^31 shuffled through 64 entries"},
    {"URN15   ", CallThenNotImplemented, make_urn15, kStub},
    {"URN16   ", CallThenNotImplemented, make_urn16, kStub},
    {"URN17   ", CallThenNotImplemented, make_urn17, kStub},
    {"URN18   ", CallThenNotImplemented, make_urn18, kStub},
    {"URN19   ", CallThenNotImplemented, make_urn19, kStub},
    {"URN20   ", Fill, make_urn20, "2027812808 X mod (2^31 - 1) with the product rounded to double"},
    {"URN21   ", Fill, make_urn21, "an additive generator mod 10^8 over the last three values"},
    {"URN22   ", Fill, make_urn22, "69069 X + 1 mod 2^32 in double precision"},
    {"URN23   ", NotImplemented, nullptr, "not implemented"},
    {"URN24   ", NotImplemented, nullptr, "not implemented"},
    {"URN25   ", NotImplemented, nullptr, "not implemented"},
    {"URN26   ", NotImplemented, nullptr, "not implemented"},
    {"URN27   ", NotImplemented, nullptr, "not implemented"},
    {"URN28   ", Fill, make_urn28, "16807 X mod (2^31 - 1) by exact decomposition in 32-bit integers"},
    {"URN29   ", NotImplemented, nullptr, "not implemented"},
    {"URN30   ", Fill, make_urn30, "a new stream mod (2^31 - 1) at every call (depends on the cut)"},
    {"URN31   ", Fill, make_urn31, "2456949 X mod 2^24 in wrapping 32-bit arithmetic"},
    {"URN32   ", Fill, make_urn32, "3513383 X mod 2^25 in wrapping 32-bit arithmetic"},
    {"URN33   ", Fill, make_urn33, "two multiply-and-reduce stages with single-precision states"},
    {"URN34   ", Fill, make_urn34, "three small prime moduli through shuffle tables (depends on the cut)"},
    {"URN35   ", Fill, make_urn35, "three multiplicative components near 2^15 combined mod 32362"},
    {"URN36   ", Fill, make_urn36, "5^13 X mod 2^35 by split products"},
    {"URN37   ", Fill, make_urn37, "5^13 X mod 2^31 in one wrapping multiplication"},
    {"URN38   ", Fill, make_urn38, "5^13 X mod 2^15"},
    {"URN39   ", Fill, make_urn39, "the fractional part of sin(k) (SEED + k) + SEED"},
    {"URN40   ", NotImplemented, nullptr, "not implemented"},
    {"URNWN   ", NotImplemented, nullptr, "not implemented"},
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
