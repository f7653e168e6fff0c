// URN04: a generator slot that prints IX and a 128-entry table ITABLE but
// generates nothing. Neither is ever assigned, so both hold zeros.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace tamboril::generators {

inline constexpr std::size_t kUrn04TableSize = 128;

struct Urn04State {
    std::int32_t ix = 0;
    std::array<std::int32_t, kUrn04TableSize> itable{};
};

}  // namespace tamboril::generators
