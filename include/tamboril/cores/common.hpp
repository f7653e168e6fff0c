// What every arithmetic core shares: its seed range, the text of its saved
// state, comparison, and the modular arithmetic that skips ahead.
#pragma once

#include <array>
#include <bit>
#include <cctype>
#include <cstdint>
#include <ios>
#include <istream>
#include <limits>
#include <ostream>
#include <span>
#include <stdexcept>
#include <string>
#include <tuple>
#include <type_traits>

#include "tamboril/cores/wrap.hpp"

namespace tamboril {

// The state variable that seed(v) sets, the values v may take (both ends
// included) and the value every run starts from: seed(start) gives start().
struct SeedRange {
    const char* variable;
    std::uint64_t low;
    std::uint64_t high;
    std::uint64_t start;
};

}  // namespace tamboril

namespace tamboril::generators {

// The program's own view of a core: its state variables, for the state lines
// the program prints, and the steps of a call, for the program's calls in
// blocks. Not part of the library's interface; a program of the library's
// users has no need of it, and what it gives may change.
struct ProgramAccess {
    template <class Core>
    static auto& state(Core& core) {
        return core.s_;
    }
    template <class Core>
    static const auto& state(const Core& core) {
        return core.s_;
    }
    // What a call in progress holds beside the state: the stream it opened,
    // the tables it primed (for the cores that have such).
    template <class Core>
    static auto& call(Core& core) {
        return core.call_;
    }

    // Work a call does before its values (a new stream, primed tables).
    template <class Core>
    static void begin_call(Core& core) {
        if constexpr (requires { core.begin_call(); }) core.begin_call();
    }
    // The next out.size() values of the call in progress.
    template <class Core>
    static void fill(Core& core, std::span<float> out) {
        core.fill(out);
    }
    // Work after the values of a call with N as given (even 0 or negative).
    template <class Core>
    static void end_call(Core& core, std::int32_t n) {
        if constexpr (requires { core.end_call(n); }) core.end_call(n);
    }
};

// The seed `v` when it lies in `range`; otherwise std::invalid_argument
// naming the generator, the variable and the valid range.
inline std::uint64_t checked_seed(const char* generator, const SeedRange& range, std::uint64_t v) {
    if (v < range.low || v > range.high) {
        throw std::invalid_argument(std::string(generator) + ": the seed " + std::to_string(v) +
                                    " is outside the range of " + range.variable + ", " +
                                    std::to_string(range.low) + " to " + std::to_string(range.high));
    }
    return v;
}

// ---------------------------------------------------------------------------
// Saved states: the state variables as decimal integers separated by single
// blanks, in the manner of the standard engines. A single-precision or
// double-precision variable is written as its bit pattern (an unsigned
// integer), so that the text holds it exactly.

namespace state_text {

// A floating-point variable that holds whole numbers only, written as its
// decimal integer: whole(variable) in a State's fields.
template <class T>
struct Whole {
    T& value;
};
template <class T>
Whole<T> whole(T& value) {
    return {value};
}

class Writer {
public:
    explicit Writer(std::ostream& os) : os_(os), flags_(os.flags()), fill_(os.fill()) {
        os_.flags(std::ios_base::dec | std::ios_base::left);
        os_.fill(' ');
        os_.width(0);
    }
    ~Writer() {
        os_.flags(flags_);
        os_.fill(fill_);
    }
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    template <class T>
    void put(const Whole<T>& whole) {
        word(static_cast<long long>(whole.value));
    }

    template <class T>
    void put(const T& value) {
        if constexpr (std::is_same_v<T, float>) {
            word(std::bit_cast<std::uint32_t>(value));
        } else if constexpr (std::is_same_v<T, double>) {
            word(std::bit_cast<std::uint64_t>(value));
        } else if constexpr (std::is_integral_v<T>) {
            word(value);
        } else {
            for (const auto& element : value) put(element);
        }
    }

private:
    template <class I>
    void word(I value) {
        if (!first_) os_ << ' ';
        first_ = false;
        if constexpr (std::is_signed_v<I>) {
            os_ << static_cast<long long>(value);
        } else {
            os_ << static_cast<unsigned long long>(value);
        }
    }

    std::ostream& os_;
    std::ios_base::fmtflags flags_;
    char fill_;
    bool first_ = true;
};

class Reader {
public:
    explicit Reader(std::istream& is) : is_(is), flags_(is.flags()) {
        is_.flags(std::ios_base::dec | std::ios_base::skipws);
    }
    ~Reader() { is_.flags(flags_); }
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;

    // Reads one variable; false when the text is malformed or the number
    // does not fit the variable.
    template <class T>
    bool get(Whole<T>& whole) {
        long long read = 0;
        if (!get(read)) return false;
        if (read > (1LL << 53) || read < -(1LL << 53)) return false;
        const auto value = static_cast<T>(read);
        if (static_cast<long long>(value) != read) return false;  // not held exactly
        whole.value = value;
        return true;
    }

    template <class T>
    bool get(T& value) {
        if constexpr (std::is_same_v<T, float>) {
            std::uint32_t bits = 0;
            if (!get(bits)) return false;
            value = std::bit_cast<float>(bits);
            return true;
        } else if constexpr (std::is_same_v<T, double>) {
            std::uint64_t bits = 0;
            if (!get(bits)) return false;
            value = std::bit_cast<double>(bits);
            return true;
        } else if constexpr (std::is_integral_v<T>) {
            // A sign, then digits only: "12x" and "+-1" are malformed.
            is_ >> std::ws;
            const auto next = is_.peek();
            if (next == std::char_traits<char>::eof()) return false;
            if (next != '-' && (next < '0' || next > '9')) return false;
            if constexpr (std::is_signed_v<T>) {
                long long read = 0;
                if (!(is_ >> read) || !ends_word()) return false;
                if (read < std::numeric_limits<T>::min() || read > std::numeric_limits<T>::max()) return false;
                value = static_cast<T>(read);
            } else {
                if (next == '-') return false;
                unsigned long long read = 0;
                if (!(is_ >> read) || !ends_word()) return false;
                if (read > std::numeric_limits<T>::max()) return false;
                value = static_cast<T>(read);
            }
            return true;
        } else {
            for (auto& element : value) {
                if (!get(element)) return false;
            }
            return true;
        }
    }

private:
    // A number ends at a blank or at the end of the text: "12x" is no number.
    bool ends_word() {
        if (is_.eof()) return true;  // the number ran to the end of the text
        const auto next = is_.peek();
        if (next == std::char_traits<char>::eof()) return true;
        return std::isspace(static_cast<unsigned char>(next)) != 0;
    }

    std::istream& is_;
    std::ios_base::fmtflags flags_;
};

// Writes the variables that `State::fields` ties.
template <class State>
std::ostream& write(std::ostream& os, const State& state) {
    Writer writer(os);
    std::apply([&](const auto&... variable) { (writer.put(variable), ...); }, State::fields(state));
    return os;
}

// Reads a state; on malformed text or a state that State::valid refuses,
// sets failbit and leaves `target` as it was.
template <class State>
std::istream& read(std::istream& is, State& target) {
    State read_state = target;
    bool ok = false;
    {
        Reader reader(is);
        auto variables = State::fields(read_state);
        ok = std::apply([&](auto&... variable) { return (reader.get(variable) && ...); }, variables);
    }
    if (ok && State::valid(read_state)) {
        target = read_state;
    } else {
        is.setstate(std::ios_base::failbit);
    }
    return is;
}

}  // namespace state_text

// What every core has beside its own arithmetic: == on the whole state,
// and << and >> of its saved state. A core derives from CoreBase<itself> and
// has a private `State s_` whose type gives `fields(state)` (a tuple of
// references to the variables, in the order of the text) and `valid(state)`.
template <class Core>
class CoreBase {
protected:
    // Skipping ahead where no map gives the state at once: n values made in
    // blocks and dropped.
    void discard_by_steps(std::uint64_t n) {
        std::array<float, 1024> block;
        while (n > 0) {
            const std::size_t count = n < block.size() ? static_cast<std::size_t>(n) : block.size();
            ProgramAccess::fill(static_cast<Core&>(*this), std::span<float>(block.data(), count));
            n -= count;
        }
    }

public:
    friend bool operator==(const Core& a, const Core& b) {
        return ProgramAccess::state(a) == ProgramAccess::state(b);
    }
    friend std::ostream& operator<<(std::ostream& os, const Core& core) {
        return state_text::write(os, ProgramAccess::state(core));
    }
    friend std::istream& operator>>(std::istream& is, Core& core) {
        return state_text::read(is, ProgramAccess::state(core));
    }
};

// ---------------------------------------------------------------------------
// Skipping ahead. A linear recurrence applied n times is the n-th power of
// its map, found in O(log n) products by repeated squaring.

__extension__ typedef unsigned __int128 Wide;

// a b mod m, exactly, for any m from 1 to 2^64 - 1.
constexpr std::uint64_t mul_mod(std::uint64_t a, std::uint64_t b, std::uint64_t m) {
    return static_cast<std::uint64_t>(static_cast<Wide>(a) * b % m);
}

// a^n mod m.
constexpr std::uint64_t pow_mod(std::uint64_t a, std::uint64_t n, std::uint64_t m) {
    std::uint64_t result = 1 % m;
    a %= m;
    for (; n != 0; n >>= 1) {
        if (n & 1) result = mul_mod(result, a, m);
        a = mul_mod(a, a, m);
    }
    return result;
}

// The inverse of an odd number modulo 2^32 (Newton's iteration doubles the
// correct low bits at each step, from 3 bits: x x = 1 mod 8).
constexpr std::uint64_t inverse_mod_2_32(std::uint32_t x) {
    std::uint32_t y = x;
    for (int i = 0; i < 4; ++i) y *= 2u - x * y;
    return y;
}

// The map x -> a x + c modulo 2^k, as its two coefficients.
struct AffineMap {
    std::uint64_t a;
    std::uint64_t c;
};

// The map x -> a x + c modulo 2^k applied n times, where mask = 2^k - 1
// (k from 1 to 64): products modulo 2^64 keep every bit below 2^k.
constexpr AffineMap affine_power(AffineMap step, std::uint64_t n, std::uint64_t mask) {
    AffineMap result{1, 0};
    step = {step.a & mask, step.c & mask};
    for (; n != 0; n >>= 1) {
        // Powers of one map commute, so the order of composition is free.
        if (n & 1) result = {(result.a * step.a) & mask, (result.c * step.a + step.c) & mask};
        step = {(step.a * step.a) & mask, (step.c * step.a + step.c) & mask};
    }
    return result;
}

// a^n x modulo 2^k (mask = 2^k - 1).
constexpr std::uint64_t multiply_power(std::uint64_t a, std::uint64_t n, std::uint64_t x, std::uint64_t mask) {
    return (affine_power({a, 0}, n, mask).a * x) & mask;
}

}  // namespace tamboril::generators
