// URN30: a new stream at every call over the prime modulus 2^31 - 1. Stream K
// starts at 1973272912 x 1047710950^K mod (2^31 - 1); each step multiplies by
// 24112 and then by 26143 through the decomposed product.
#pragma once

#include <cmath>
#include <cstdint>
#include <span>

#include "tamboril/cores/urn28.hpp"
#include "tamboril/cores/wrap.hpp"

namespace tamboril::generators {

// Starting states of the streams. One round takes the seed of stream K to
// that of stream K + 1; the last seed is kept so that consecutive streams
// cost one round each.
class Urn30Seeds {
public:
    static constexpr double kBase = 1973272912.0;

    // One round: three products, each exact below 2^53, each reduced exactly.
    static double round(double s) {
        constexpr double p = kPrimeModulus;
        s = std::fmod(s * 715.0, p);
        s = std::fmod(s * 1058.0, p);
        s = std::fmod(s * 1385.0, p);
        return s;
    }

    // The seed of stream k, continuing from the last stream asked for when k
    // does not lie before it.
    std::int32_t seed(std::int32_t k) {
        if (k < 0) k = 0;
        if (k < stream_) {
            stream_ = 0;
            value_ = kBase;
        }
        for (; stream_ < k; ++stream_) value_ = round(value_);
        return static_cast<std::int32_t>(value_);
    }

    // The memo compares too; it follows from the streams opened so far.
    friend bool operator==(const Urn30Seeds&, const Urn30Seeds&) = default;

private:
    std::int32_t stream_ = 0;
    double value_ = kBase;
};

struct Urn30Core {
    static constexpr std::int32_t kA1 = 24112;
    static constexpr std::int32_t kA2 = 26143;

    std::int32_t istrm = 0;   // stream of the last call
    std::int32_t iz = 0;      // state after the last call (reported only)
    std::int32_t stream = 0;  // stream of the call in progress
    std::int32_t z = 0;       // state of that stream
    Urn30Seeds seeds;

    static Urn30Core start() {
        Urn30Core core;
        core.initialise();
        return core;
    }

    void initialise() {
        istrm = 0;
        iz = 0;
    }

    // Opens the next stream: the call's samples come from it alone.
    void begin_call() {
        stream = wrap_add(istrm, 1);
        z = seeds.seed(stream);
    }

    void fill(std::span<float> out) {
        for (float& sample : out) {
            z = decomposed_mod_product(kA1, z);
            z = decomposed_mod_product(kA2, z);
            const std::int32_t odd = 2 * (z / 256) + 1;  // below 2^24
            sample = static_cast<float>(odd) / 16777216.0f;
        }
    }

    void end_call() {
        iz = z;
        istrm = stream;
    }

    // One call with N = out.size(): the first values of the next stream.
    void sequence(std::span<float> out) {
        begin_call();
        fill(out);
        end_call();
    }

    friend bool operator==(const Urn30Core&, const Urn30Core&) = default;
};

}  // namespace tamboril::generators
