// The library's catalogue: the names it offers, the generators it makes and
// the names it refuses.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "tamboril/generators.hpp"
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

}  // namespace
