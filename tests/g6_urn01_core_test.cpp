// The URN01 core's integer remainder against the double-precision fmod
// recurrence it replaces, bit for bit.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

#include "generators/urn01.hpp"

namespace tamboril::generators {
namespace {

TEST(Urn01Core, SameStreamAsTheFmodRecurrence) {
    for (const std::int32_t start : {524287, 1, 2147483646, 2147483583, 0, 16807}) {
        Urn01Core core{start};
        std::vector<float> samples(1000003);
        // Blocks of uneven length continue one stream.
        core.fill(std::span<float>(samples).first(4096));
        core.fill(std::span<float>(samples).subspan(4096));
        double x = start;
        for (std::size_t i = 0; i < samples.size(); ++i) {
            x = std::fmod(x * 16807.0, 2147483647.0);
            const auto want = static_cast<float>(x / 2147483647.0);
            ASSERT_EQ(std::bit_cast<std::uint32_t>(samples[i]), std::bit_cast<std::uint32_t>(want))
                << start << " step " << i;
        }
        EXPECT_EQ(core.ix, static_cast<std::int32_t>(x)) << start;
    }
}

TEST(Urn01Core, WorkedValues) {
    Urn01Core core{524287};
    float samples[10];
    core.fill(samples);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(samples[0]), 0x3DD37BE6u);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(samples[1]), 0x3F0D65A5u);
    EXPECT_EQ(core.ix, 717977074);
}

}  // namespace
}  // namespace tamboril::generators
