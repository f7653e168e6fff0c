// URN30: every call opens the next stream. Stream K starts from the base seed
// 1973272912 after K rounds of products by 715, 1058 and 1385 reduced with
// fmod modulo 2^31 - 1; each value multiplies the state by 24112 and by 26143
// modulo 2^31 - 1 (decomposed products); sample (2 (Z div 256) + 1) / 2^24.
#pragma once

#include <cmath>
#include <cstdint>
#include <span>

#include "tests/reference/protocol.hpp"

namespace tamboril::reference {

// One round of the stream-seed computation.
inline double stream_seed_round(double s) {
    s = std::fmod(s * 715.0, 2147483647.0);
    s = std::fmod(s * 1058.0, 2147483647.0);
    s = std::fmod(s * 1385.0, 2147483647.0);
    return s;
}

// The starting state of stream K, computed from the base seed.
inline std::int32_t stream_seed(std::int32_t k) {
    double s = 1973272912.0;
    for (std::int32_t round = 0; round < k; ++round) s = stream_seed_round(s);
    return static_cast<std::int32_t>(s);
}

// The rounds for stream K are the rounds for stream K - 1 and one more, so a
// run that opens streams 1, 2, 3, ... in turn carries the loop of the seed
// computation from one call to the next instead of starting it over: the same
// floating-point operations on the same values, once each.
class StreamSeeds {
public:
    std::int32_t seed(std::int32_t k) {
        if (k < rounds_) {
            s_ = 1973272912.0;
            rounds_ = 0;
        }
        for (; rounds_ < k; ++rounds_) s_ = stream_seed_round(s_);
        return static_cast<std::int32_t>(s_);
    }

private:
    double s_ = 1973272912.0;
    std::int32_t rounds_ = 0;
};

struct Urn30 {
    std::int32_t ISTRM = 0;
    std::int32_t IZ = 0;
    StreamSeeds seeds;

    void start() {
        ISTRM = 0;
        IZ = 0;
    }

    void call(std::span<float> out) {
        const std::int32_t k = ISTRM + 1;
        std::int32_t z = seeds.seed(k);
        for (float& sample : out) {
            z = decomposed_product(z, 24112);
            z = decomposed_product(z, 26143);
            const std::int32_t value = 2 * (z / 256) + 1;
            sample = static_cast<float>(value) / 16777216.0f;
        }
        IZ = z;
        ISTRM = k;
    }
};

}  // namespace tamboril::reference
