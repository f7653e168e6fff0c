// The library's catalogue: the names it offers, the generators it makes and
// the names it refuses; the sequences its generators refuse.
#include <gtest/gtest.h>

#include <sys/mman.h>

#include <cstddef>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "tamboril/generators.hpp"
#include "tests/support/common.hpp"
#include "tests/support/names.hpp"

namespace {

TEST(LibraryNames, TheGeneratorsThatProduceValuesInCatalogueOrder) {
    const auto names = tamboril::generator_names();
    const std::vector<std::string> expected(tamboril::testing::kValueGenerators.begin(),
                                            tamboril::testing::kValueGenerators.end());
    EXPECT_EQ(names, expected);
}

TEST(LibraryNames, EveryNameMakesItsGenerator) {
    for (const auto& name : tamboril::generator_names()) {
        const auto generator = tamboril::make_generator(name);
        ASSERT_NE(generator, nullptr) << name;
        EXPECT_EQ(generator->name(), name);
    }
    // As in the program, trailing blanks of a name do not count.
    EXPECT_EQ(tamboril::make_generator("URN01   ")->name(), "URN01");
}

struct Refused {
    const char* name;
    std::string why;
};

TEST(LibraryNames, RefusedNamesSayWhyAndListTheValidNames) {
    const std::string stub = " produces no values: it only prints its starting state";
    const Refused cases[] = {
        {"URN99", "\"URN99\" is not a generator of the catalogue"},
        {"urn01", "\"urn01\" is not a generator of the catalogue"},
        {"URN1", "\"URN1\" is not a generator of the catalogue"},
        {"URN011", "\"URN011\" is not a generator of the catalogue"},
        {"", "\"\" is not a generator of the catalogue"},
        {"URN07", "URN07" + stub},
        {"URN04", "URN04" + stub},
        {"URN19", "URN19" + stub},
        {"URN23", "URN23 is not implemented"},
        {"URN29", "URN29 is not implemented"},
        {"URNWN", "URNWN is not implemented"},
    };
    std::string valid = "; the generators that produce values are ";
    for (std::size_t i = 0; i < tamboril::testing::kValueGenerators.size(); ++i) {
        valid += (i == 0 ? "" : ", ") + std::string(tamboril::testing::kValueGenerators[i]);
    }
    for (const auto& c : cases) {
        try {
            tamboril::make_generator(c.name);
            ADD_FAILURE() << c.name << " was accepted";
        } catch (const std::invalid_argument& error) {
            EXPECT_EQ(error.what(), c.why + valid);
        }
    }
}

TEST(LibraryGenerators, InstancesAreIndependent) {
    // Two generators of one name, called in turns, each give the run's stream.
    auto a = tamboril::make_generator("URN02");
    auto b = tamboril::make_generator("URN02");
    auto alone = tamboril::make_generator("URN02");
    std::vector<float> va(100), vb(100), valone(100);
    for (int k = 0; k < 5; ++k) {
        a->sequence(va);
        alone->sequence(valone);
        EXPECT_EQ(va, valone);
    }
    for (int k = 0; k < 5; ++k) {
        b->sequence(vb);
    }
    EXPECT_EQ(vb, valone);
}

TEST(LibraryGenerators, AnEmptySequenceIsStillACall) {
    // URN34 primes its tables at every call, also with N = 0; URN01 does not
    // move. The values after an empty call show it.
    for (const char* name : {"URN34", "URN01"}) {
        auto with_empty = tamboril::make_generator(name);
        auto without = tamboril::make_generator(name);
        std::vector<float> a(5), b(5);
        with_empty->sequence(std::span<float>());
        with_empty->sequence(a);
        without->sequence(b);
        if (std::string(name) == "URN34") {
            EXPECT_NE(a, b) << name;
        } else {
            EXPECT_EQ(a, b) << name;
        }
    }
}

// A span of more values than a run's sequence can hold (2^31 - 1) is refused
// before anything is written, whatever its length modulo 2^32, and the
// generator goes on as if the call had not been made. The span covers
// address space that cannot be touched: a value written into it would end
// the test.
TEST(LibraryGenerators, ASequenceLongerThanARunCanAskForIsRefused) {
    constexpr std::size_t kLongest = std::size_t{1} << 32;
    const std::size_t bytes = (kLongest + 1) * sizeof(float);
    void* const room = ::mmap(nullptr, bytes, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    ASSERT_NE(room, MAP_FAILED);
    for (const auto& name : tamboril::generator_names()) {
        // 2^31 would be N = -2^31 in 32 bits, 2^32 N = 0, 2^32 + 1 N = 1.
        for (const std::size_t size : {std::size_t{1} << 31, kLongest, kLongest + 1}) {
            auto refused = tamboril::make_generator(name);
            try {
                refused->sequence(std::span<float>(static_cast<float*>(room), size));
                ADD_FAILURE() << name << ": a span of " << size << " values was taken";
            } catch (const std::length_error& error) {
                EXPECT_STREQ(error.what(), "a sequence holds at most 2147483647 values");
            }
            auto fresh = tamboril::make_generator(name);
            std::vector<float> after(5), first(5);
            refused->sequence(after);
            fresh->sequence(first);
            EXPECT_EQ(tamboril::testing::bits(after), tamboril::testing::bits(first))
                << name << ": the refused call moved the generator";
        }
    }
    ::munmap(room, bytes);
}

}  // namespace
