// The cores of the catalogue as random number engines of the standard
// library's kind: tamboril::Engine<Core> models
// std::uniform_random_bit_generator, so that every distribution of <random>,
// std::shuffle and std::generate_canonical draw from a catalogue generator.
//
//     tamboril::Engine<tamboril::generators::Urn01Core> engine;  // a run's start
//     std::uniform_int_distribution<int> die(1, 6);
//     int roll = die(engine);
//
// Each call gives the top B bits of the next value's word floor(s 2^32),
// where B (Engine::bits, the core's `bits`) is the number of leading bits
// that are uniform over the values the generator can give; a value of 1.0
// gives 2^B - 1. So min() is 0 and max() is 2^B - 1, and the words carry no
// bias beyond the generator's own. value() gives the next value itself, the
// float of the data file, from the same stream.
//
// URN30 and URN34 make their values call by call, and the values depend on
// how the stream is cut into calls: their engine makes calls of a fixed
// number of values (10 000, as tamboril-stream does, or the constructor's
// second argument) and hands the values out one at a time.
//
// Engines are values: copies are independent, == compares the whole state,
// and << writes a text from which >> rebuilds an equal engine.
#pragma once

#include <concepts>
#include <cstdint>
#include <istream>
#include <ostream>
#include <random>
#include <span>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

#include "tamboril/cores/common.hpp"

namespace tamboril {

// floor(s 2^32) for a value s in [0, 1); FFFFFFFF for 1.0 (and above), 0 for
// a value below 0 or a NaN. Every generator's values lie in [0, 1].
constexpr std::uint32_t word32(float s) noexcept {
    if (!(s > 0.0f)) return 0;
    if (s >= 1.0f) return 0xFFFFFFFFu;
    // s has 24 significant bits, so s 2^32 is exact; truncation is the floor.
    return static_cast<std::uint32_t>(static_cast<double>(s) * 4294967296.0);
}

// The top `bits` bits (1 to 32) of the word of a value s in [0, 1], as
// every generator's values are: word32(s) >> (32 - bits), which is
// floor(s 2^bits), and for s below 1 that scaling is exact in single
// precision (a change of exponent), so no wider type is needed. 1.0, whose
// scaled value 2^bits is one past the largest word, gives 2^bits - 1.
template <int Bits>
constexpr std::uint32_t top_bits(float s) noexcept {
    static_assert(Bits >= 1 && Bits <= 32);
    constexpr float scale = static_cast<float>(std::uint64_t{1} << Bits);
    const float scaled = s * scale;
    if constexpr (Bits <= 24) {
        // 2^bits - 1 is a float, and every scaled value from it up to 2^bits
        // truncates to it: the bound is one minimum of floats before the
        // conversion. Integer steps after the conversion, though off the
        // recurrence's path, measurably delay it in a tight loop (they
        // compete with it for the integer units), and a branch makes the
        // engine too big for a distribution's call to be inlined. Seen as
        // a constant, the bound would be folded into a branch around the
        // conversion, so the optimiser is not shown it: an empty asm, which
        // constant evaluation skips.
        float largest = static_cast<float>((std::uint32_t{1} << Bits) - 1);
#if (defined(__GNUC__) || defined(__clang__)) && (defined(__x86_64__) || defined(__i386__))
        if (!std::is_constant_evaluated()) asm("" : "+x"(largest));
#endif
        const float y = scaled < largest ? scaled : largest;
        return static_cast<std::uint32_t>(static_cast<std::int32_t>(y));
    } else {
        // Subtract the one bit above the word, set only for 2^bits.
        const auto w = static_cast<std::uint64_t>(static_cast<std::int64_t>(scaled));
        return static_cast<std::uint32_t>(w - (w >> Bits));
    }
}
constexpr std::uint32_t top_bits(float s, int bits) noexcept { return word32(s) >> (32 - bits); }

// Values per call of URN30's and URN34's engines unless given otherwise.
inline constexpr std::int32_t kDefaultValuesPerCall = 10000;

// A core whose values depend on how its stream is cut into calls.
template <class Core>
concept CutDependentCore = requires(Core core, std::uint64_t n, std::int32_t per_call) {
    core.discard(n, per_call);
};

template <class Core>
class Engine {
public:
    using result_type = std::uint32_t;
    using core_type = Core;
    static constexpr int bits = Core::bits;
    static constexpr std::uint64_t default_seed = Core::seed_range.start;

    static constexpr result_type min() { return 0; }
    static constexpr result_type max() { return bits == 32 ? 0xFFFFFFFFu : (result_type{1} << bits) - 1; }

    // The start of a run.
    Engine() = default;
    explicit Engine(const Core& core) : core_(core) {}
    // The core seeded with v (std::invalid_argument outside its range).
    explicit Engine(std::uint64_t v) { core_.seed(v); }

    result_type operator()() { return top_bits<bits>(core_()); }
    // The next value itself.
    float value() { return core_(); }

    void seed(std::uint64_t v = default_seed) { core_.seed(v); }
    // The state after n more values.
    void discard(std::uint64_t n) { core_.discard(n); }

    const Core& core() const { return core_; }

    friend bool operator==(const Engine&, const Engine&) = default;
    friend std::ostream& operator<<(std::ostream& os, const Engine& engine) { return os << engine.core_; }
    friend std::istream& operator>>(std::istream& is, Engine& engine) { return is >> engine.core_; }

private:
    Core core_{};
};

// URN30 and URN34: calls of per_call values, handed out one by one. The
// state is the core at the start of the call in progress and the values of
// that call already given (0 when no call is in progress); the text is the
// core's, then per_call, then that count.
template <CutDependentCore Core>
class Engine<Core> {
public:
    using result_type = std::uint32_t;
    using core_type = Core;
    static constexpr int bits = Core::bits;
    static constexpr std::uint64_t default_seed = Core::seed_range.start;

    static constexpr result_type min() { return 0; }
    static constexpr result_type max() { return bits == 32 ? 0xFFFFFFFFu : (result_type{1} << bits) - 1; }

    Engine() = default;
    explicit Engine(const Core& core, std::int32_t per_call = kDefaultValuesPerCall)
        : base_(core), per_call_(checked_per_call(per_call)) {}
    explicit Engine(std::uint64_t v, std::int32_t per_call = kDefaultValuesPerCall)
        : per_call_(checked_per_call(per_call)) {
        base_.seed(v);
    }

    result_type operator()() { return top_bits<bits>(value()); }

    float value() {
        if (given_ == 0) {
            call_ = base_;
            values_.resize(static_cast<std::size_t>(per_call_));
            call_.sequence(values_);
        }
        const float v = values_[static_cast<std::size_t>(given_)];
        if (++given_ == per_call_) {
            base_ = call_;
            given_ = 0;
        }
        return v;
    }

    void seed(std::uint64_t v = default_seed) {
        base_.seed(v);
        given_ = 0;
    }

    // The state after n more values, in calls of per_call values.
    void discard(std::uint64_t n) {
        const auto left = static_cast<std::uint64_t>(per_call_ - given_);
        if (given_ > 0) {
            if (n < left) {
                given_ += static_cast<std::int32_t>(n);
                return;
            }
            n -= left;
            base_ = call_;
            given_ = 0;
        }
        const auto per_call = static_cast<std::uint64_t>(per_call_);
        base_.discard(n - n % per_call, per_call_);
        for (std::uint64_t k = n % per_call; k > 0; --k) value();
    }

    std::int32_t per_call() const { return per_call_; }
    // The core from which the next call starts: after the call in progress,
    // if any.
    Core core() const { return given_ == 0 ? base_ : call_; }

    friend bool operator==(const Engine& a, const Engine& b) {
        return a.base_ == b.base_ && a.per_call_ == b.per_call_ && a.given_ == b.given_;
    }
    friend std::ostream& operator<<(std::ostream& os, const Engine& engine) {
        os << engine.base_ << ' ';
        generators::state_text::Writer writer(os);
        writer.put(engine.per_call_);
        writer.put(engine.given_);
        return os;
    }
    friend std::istream& operator>>(std::istream& is, Engine& engine) {
        Core base = engine.base_;
        std::int32_t per_call = 0;
        std::int32_t given = -1;
        bool ok = false;
        if (is >> base) {
            generators::state_text::Reader reader(is);
            ok = reader.get(per_call) && reader.get(given) && per_call >= 1 && given >= 0 && given < per_call;
        }
        if (ok) {
            Engine read(base, per_call);
            read.discard(static_cast<std::uint64_t>(given));
            engine = std::move(read);
        } else {
            is.setstate(std::ios_base::failbit);
        }
        return is;
    }

private:
    static std::int32_t checked_per_call(std::int32_t per_call) {
        if (per_call < 1) {
            throw std::invalid_argument("the values per call must be 1 or more, not " + std::to_string(per_call));
        }
        return per_call;
    }

    Core base_{};
    std::int32_t per_call_ = kDefaultValuesPerCall;
    std::int32_t given_ = 0;  // 0 to per_call_ - 1
    Core call_{};             // the core after the call in progress
    std::vector<float> values_;
};

}  // namespace tamboril
