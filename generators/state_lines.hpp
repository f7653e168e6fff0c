// State lines that several generators print with the same template.
#pragma once

#include <array>
#include <cstdint>

#include "generators/protocol.hpp"

namespace tamboril::generators {

// "INTIN(1)=" to "INTIN(5)=" on three lines (split-product generators).
void print_intin_lines(Console& console, const std::array<std::int32_t, 5>& intin);
// "(1X,'INTIN(1)=',I20)".
void print_intin1_line(Console& console, std::int32_t intin1);
// "KW=", "KY=", "KZ=" and, on a second line, "XR=" (combined generators).
void print_kw_lines(Console& console, std::int32_t kw, std::int32_t ky, std::int32_t kz, float xr);

}  // namespace tamboril::generators
