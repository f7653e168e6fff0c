// The generators that produce values, in catalogue order: the rows whose
// action is to fill the sample buffer.
#pragma once

#include <array>
#include <string_view>

namespace tamboril::testing {

inline constexpr std::array<std::string_view, 26> kValueGenerators = {
    "URN01", "URN02", "URN03", "URN05", "URN06", "URN08", "URN09", "URN10", "URN11",
    "URN12", "URN13", "URN14", "URN20", "URN21", "URN22", "URN28", "URN30", "URN31",
    "URN32", "URN33", "URN34", "URN35", "URN36", "URN37", "URN38", "URN39",
};

}  // namespace tamboril::testing
