// URN30: a new stream at every call over the prime modulus 2^31 - 1. Stream K
// starts at 1973272912 x 1047710950^K mod (2^31 - 1); each step multiplies by
// 24112 and then by 26143 through the decomposed product.
//   seed:    ISTRM, the stream of the last call, 0 to 2^31 - 2: the next call
//            opens stream ISTRM + 1 (a run starts from 0)
//   discard: O(log n) in values cut into calls of per_call values: whole
//            calls only move the stream number, and the last call's state
//            is a power of 24112 x 26143 times its stream's start
// The values depend on the cut: sequence() is one call, and there is no
// one-value operator(); tamboril::Engine makes calls of a fixed length.
#pragma once

#include <cstdint>
#include <span>
#include <tuple>

#include "tamboril/cores/common.hpp"
#include "tamboril/cores/urn28.hpp"

namespace tamboril::generators {

class Urn30Core : public CoreBase<Urn30Core> {
public:
    static constexpr int bits = 23;
    static constexpr SeedRange seed_range{"ISTRM", 0, 2147483646, 0};
    static constexpr std::int32_t kA1 = 24112;
    static constexpr std::int32_t kA2 = 26143;
    static constexpr std::int32_t kA = static_cast<std::int32_t>(std::int64_t{kA1} * kA2 % kPrimeModulus);

    // The seed of stream k (of 0 for a negative k): k rounds from the base
    // 1973272912, where a round is three products by 715, 1058 and 1385,
    // each exact in double precision and reduced exactly modulo 2^31 - 1:
    // all k rounds at once, as 1973272912 x 1047710950^k mod (2^31 - 1).
    static std::int32_t stream_seed(std::int32_t k) {
        constexpr std::uint64_t p = kPrimeModulus;
        const std::uint64_t rounds = k < 0 ? 0 : static_cast<std::uint64_t>(k);
        return static_cast<std::int32_t>(mul_mod(pow_mod(1047710950, rounds, p), 1973272912, p));
    }

    static Urn30Core start() { return {}; }

    void seed(std::uint64_t v) {
        s_ = {static_cast<std::int32_t>(checked_seed("URN30", seed_range, v)), 0};
    }

    void discard(std::uint64_t n, std::int32_t per_call);

    // One call with N = out.size(): the first values of the next stream.
    void sequence(std::span<float> out) {
        begin_call();
        fill(out);
        end_call();
    }

    struct State {
        std::int32_t istrm = 0;  // stream of the last call
        std::int32_t iz = 0;     // state after the last call (reported only)

        static auto fields(auto& s) { return std::tie(s.istrm, s.iz); }
        static bool valid(const State& s) { return s.iz >= 0 && s.iz < kPrimeModulus; }
        friend bool operator==(const State&, const State&) = default;
    };

private:
    friend struct ProgramAccess;

    // Opens the next stream: the call's samples come from it alone.
    struct Call {
        std::int32_t stream = 0;  // stream of the call in progress
        std::int32_t z = 0;       // state of that stream
    };

    void begin_call() {
        call_.stream = wrap_add(s_.istrm, 1);
        call_.z = stream_seed(call_.stream);
    }

    void fill(std::span<float> out) {
        std::int32_t z = call_.z;
        for (float& sample : out) {
            // The two decomposed products are exact residues (urn28.hpp), so
            // together they multiply by 24112 x 26143 modulo 2^31 - 1.
            z = mod_product(kA, z);
            const std::int32_t odd = 2 * (z / 256) + 1;  // below 2^24
            sample = static_cast<float>(odd) / 16777216.0f;
        }
        call_.z = z;
    }

    void end_call(std::int32_t /*n*/ = 0) {
        s_.iz = call_.z;
        s_.istrm = call_.stream;
    }

    State s_;
    Call call_;
};

inline void Urn30Core::discard(std::uint64_t n, std::int32_t per_call) {
    if (n == 0) return;
    const auto length = static_cast<std::uint64_t>(per_call);
    const std::uint64_t calls = (n + length - 1) / length;
    const std::uint64_t last = n - (calls - 1) * length;  // values of the last call
    // Each call adds 1 to ISTRM, wrapping in 32 bits.
    const std::int32_t stream = wrap_add(s_.istrm, wrap(static_cast<std::uint32_t>(calls)));
    constexpr std::uint64_t p = kPrimeModulus;
    const std::uint64_t step = mul_mod(kA1, kA2, p);
    s_.iz = static_cast<std::int32_t>(
        mul_mod(pow_mod(step, last, p), static_cast<std::uint64_t>(stream_seed(stream)), p));
    s_.istrm = stream;
}

}  // namespace tamboril::generators
