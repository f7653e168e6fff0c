// Skipping past 2^32 values, where a count kept in 32 bits would go wrong:
// every generator whose state moves by a linear map skips 2^32 + 5 values at
// once, and the state it reaches is the one that 2^32 + 5 plain steps of its
// recurrence reach, counted here one by one on two threads (for the small
// state spaces of URN10, URN35 and URN38, by their cycles).
#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdint>
#include <map>
#include <sstream>
#include <string>
#include <thread>

#include "tamboril/generators.hpp"
#include "tests/reference/urn05.hpp"

namespace tamboril {
namespace {

constexpr std::uint64_t kFar = (std::uint64_t{1} << 32) + 5;
constexpr std::uint64_t kMask31 = 0x7FFFFFFF, kMask32 = 0xFFFFFFFF, kMask35 = (std::uint64_t{1} << 35) - 1;

// x a mod (2^31 - 1) for x and a below 2^31: 2^31 is 1 modulo 2^31 - 1.
inline std::uint64_t times_mod_p(std::uint64_t x, std::uint64_t a) {
    const std::uint64_t p = x * a;
    std::uint64_t r = (p & kMask31) + (p >> 31);
    if (r >= kMask31) r -= kMask31;
    return r;
}

// The saved texts of the states after kFar steps, by generator.
std::map<std::string, std::string> stepped_states() {
    std::map<std::string, std::string> texts, congruential_texts;
    const auto text = [](auto... v) {
        std::ostringstream out;
        const char* blank = "";
        ((out << blank << v, blank = " "), ...);
        return out.str();
    };

    std::thread congruential([&texts = congruential_texts, &text] {
        std::uint64_t u01 = 524287, u28 = 1, u03 = 1, u08 = 524287, u37 = 32767, u12 = 1, u06 = 1, u13 = 524287;
        for (std::uint64_t i = 0; i < kFar; ++i) {
            u01 = times_mod_p(u01, 16807);
            u28 = times_mod_p(u28, 16807);
            u03 = u03 * 65539 & kMask31;
            u08 = u08 * 65539 & kMask31;
            u37 = u37 * 1220703125 & kMask31;
            u12 = u12 * 452807053 & kMask31;
            u06 = u06 * 65539 & kMask32;
            u13 = u13 * 663608941 & kMask32;
        }
        texts["URN01"] = text(u01);
        texts["URN28"] = text(u28);
        texts["URN03"] = text(u03);
        texts["URN08"] = texts["URN09"] = text(u08);
        texts["URN37"] = text(u37);
        texts["URN12"] = text(u12);
        texts["URN06"] = text(static_cast<std::int32_t>(static_cast<std::uint32_t>(u06)));
        texts["URN13"] = text(524287, u13 >> 15, u13 & 0x7FFF);
    });

    // Beside them URN22, URN11, URN36, URN05's register and URN30's streams.
    // URN30 makes calls of 10 000 values: each opens the next stream, whose
    // seed is one round (times 1047710950) past the one before; each value
    // is one step (times 24112 and then 26143).
    std::uint64_t u22 = 32007779, u11 = 1, u36 = 32767;
    reference::Urn05 shift_register;
    shift_register.start();
    std::uint32_t words[98];
    for (int j = 0; j < 98; ++j) words[j] = static_cast<std::uint32_t>(shift_register.MFSR[j + 1]);
    std::uint64_t position = 0;  // from 0: the word replaced next
    std::uint64_t seed = 1973272912, z = 0, stream = 0, in_call = 0;
    const std::uint64_t step = 24112ull * 26143ull % kMask31;
    for (std::uint64_t i = 0; i < kFar; ++i) {
        u22 = (u22 * 69069 + 1) & kMask32;
        // URN11's step: the absolute value of the signed 32-bit product.
        u11 = u11 * 452807053 & kMask32;
        if (u11 > 0x80000000u) u11 = 0x100000000u - u11;
        if (u11 == 0x80000000u) u11 = 0;
        u36 = u36 * 1220703125 & kMask35;
        words[position] ^= words[position + 27 < 98 ? position + 27 : position + 27 - 98];
        position = position == 97 ? 0 : position + 1;
        if (in_call == 0) {
            seed = times_mod_p(seed, 1047710950);
            ++stream;
            z = seed;
            in_call = 10000;
        }
        z = times_mod_p(z, step);
        --in_call;
    }
    texts["URN22"] = text(u22);
    texts["URN11"] = text(u11);
    texts["URN36"] = text(32767, u36 >> 15, u36 & 0x7FFF);
    std::ostringstream urn05;
    urn05 << (position == 0 ? 98 : position);
    for (const std::uint32_t w : words) urn05 << ' ' << w;
    texts["URN05"] = urn05.str();
    texts["URN30"] = text(stream, z);

    // The small ones go round their cycles many times: they are counted
    // one step at a time through one cycle, then the steps past the last
    // whole cycle.
    const auto stepped = [](std::uint64_t state, auto next) {
        std::uint64_t cycle = 1;
        for (std::uint64_t x = next(state); x != state; x = next(x)) ++cycle;
        for (std::uint64_t i = 0; i < kFar % cycle; ++i) state = next(state);
        return state;
    };
    texts["URN10"] = text(stepped(std::uint64_t{1}, [](std::uint64_t x) { return x * 125 & 8191; }));
    texts["URN38"] = text(stepped(std::uint64_t{32767}, [](std::uint64_t x) { return x * 1220703125 & 0x7FFF; }));
    const auto kw = stepped(std::uint64_t{1}, [](std::uint64_t x) { return x * 157 % 32363; });
    const auto ky = stepped(std::uint64_t{1}, [](std::uint64_t x) { return x * 146 % 31727; });
    const auto kz = stepped(std::uint64_t{1}, [](std::uint64_t x) { return x * 142 % 31657; });
    const auto xr = static_cast<float>((static_cast<double>((kz + ky + kw - 3) % 32362) + 1.0) / 32363.0);
    texts["URN35"] = text(kw, ky, kz, std::bit_cast<std::uint32_t>(xr));

    congruential.join();
    texts.merge(congruential_texts);
    return texts;
}

TEST(FarDiscard, LinearGeneratorsSkipPastTwoToThe32AsPlainStepsGo) {
    const auto expected = stepped_states();
    ASSERT_EQ(expected.size(), 17u);
    for (const auto& [name, text] : expected) {
        auto generator = make_generator(name);
        generator->discard(kFar);
        EXPECT_EQ(generator->save(), name + " " + text);
    }
}

}  // namespace
}  // namespace tamboril
