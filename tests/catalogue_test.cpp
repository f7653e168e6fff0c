// The catalogue table: the 41 names in order, the action of each, the
// operations behind them and the name lookup.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "generators/catalogue.hpp"

namespace tamboril::generators {
namespace {

const std::vector<std::string> kNames = {
    "URN01", "URN02", "URN03", "URN04", "URN05", "URN06", "URN07", "URN08", "URN09",
    "URN10", "URN11", "URN12", "URN13", "URN14", "URN15", "URN16", "URN17", "URN18",
    "URN19", "URN20", "URN21", "URN22", "URN23", "URN24", "URN25", "URN26", "URN27",
    "URN28", "URN29", "URN30", "URN31", "URN32", "URN33", "URN34", "URN35", "URN36",
    "URN37", "URN38", "URN39", "URN40", "URNWN"};

const std::set<std::string> kCalledOnce = {"URN04", "URN07", "URN15", "URN16",
                                            "URN17", "URN18", "URN19"};
const std::set<std::string> kNotImplemented = {"URN23", "URN24", "URN25", "URN26",
                                               "URN27", "URN29", "URN40", "URNWN"};

TEST(CatalogueTable, FortyOneNamesInOrderEachPaddedToEight) {
    ASSERT_EQ(kCatalogue.size(), kNames.size());
    for (std::size_t i = 0; i < kNames.size(); ++i) {
        EXPECT_EQ(kCatalogue[i].name, kNames[i] + "   ");
        EXPECT_EQ(kCatalogue[i].short_name(), kNames[i]);
        EXPECT_EQ(&catalogue_entry(static_cast<int>(i) + 1), &kCatalogue[i]);
    }
}

TEST(CatalogueTable, ActionsAndOperations) {
    for (const CatalogueEntry& entry : kCatalogue) {
        const std::string name(entry.short_name());
        SCOPED_TRACE(name);
        const Action expected = kCalledOnce.count(name) != 0       ? Action::CallThenNotImplemented
                                : kNotImplemented.count(name) != 0 ? Action::NotImplemented
                                                                   : Action::Fill;
        EXPECT_EQ(entry.action, expected);
        // A row that is called has an operation, a fresh one each time; the
        // others have none.
        const auto operation = entry.operation();
        EXPECT_EQ(operation != nullptr, expected != Action::NotImplemented);
        if (operation != nullptr) {
            EXPECT_NE(entry.operation(), operation);
            EXPECT_EQ(operation->name(), name);
        }
        EXPECT_FALSE(entry.description.empty());
    }
}

TEST(CatalogueLookup, BlankPaddedAndCaseSensitive) {
    EXPECT_EQ(lookup_generator("URN01   "), 1);
    EXPECT_EQ(lookup_generator("URN01"), 1);
    EXPECT_EQ(lookup_generator("URN01     "), 1);
    EXPECT_EQ(lookup_generator("URN39   "), 39);
    EXPECT_EQ(lookup_generator("URNWN   "), 41);
    for (const char* unknown : {"urn01   ", "URN1    ", "        ", "", "URN011  ", "URN00   ",
                                "URN41   ", "URN01  x", "URN01\t  "}) {
        EXPECT_EQ(lookup_generator(unknown), 0) << '"' << unknown << '"';
    }
}

}  // namespace
}  // namespace tamboril::generators
