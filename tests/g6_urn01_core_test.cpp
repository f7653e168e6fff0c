// The URN01 core's integer remainder against the double-precision fmod
// recurrence it replaces, bit for bit.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

#include "tamboril/cores/urn01.hpp"

namespace tamboril::generators {
namespace {

TEST(Urn01Core, SameStreamAsTheFmodRecurrence) {
    // Negative states never come from the seed; they take the literal recurrence.
    for (const std::int32_t start : {524287, 1, 2147483646, 2147483583, 0, 16807, 2147483647, -1,
                                     -2147483647 - 1}) {
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

// One step from the states at both ends of the range, where the folded
// remainder needs its final subtraction or none.
TEST(Urn01Core, OneStepAtTheEnds) {
    for (std::int64_t k = 0; k < 20000; ++k) {
        const auto start = static_cast<std::int32_t>(k < 10000 ? k : 2147483646 - (k - 10000));
        Urn01Core core{start};
        float sample = 0;
        core.fill(std::span<float>(&sample, 1));
        const double x = std::fmod(start * 16807.0, 2147483647.0);
        ASSERT_EQ(core.ix, static_cast<std::int32_t>(x)) << start;
        ASSERT_EQ(std::bit_cast<std::uint32_t>(sample),
                  std::bit_cast<std::uint32_t>(static_cast<float>(x / 2147483647.0)))
            << start;
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
