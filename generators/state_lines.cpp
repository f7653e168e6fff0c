#include "generators/state_lines.hpp"

namespace tamboril::generators {

void print_intin_lines(Console& console, const std::array<std::int32_t, 5>& intin) {
    static const Template lines(
        "(1X,'INTIN(1)=',I15,5X,'INTIN(2)=',I15,/,1X,'INTIN(3)=',I15,5X,'INTIN(4)=',I15,/,"
        "1X,'INTIN(5)=',I15)");
    console.write(lines, {intin[0], intin[1], intin[2], intin[3], intin[4]});
}

void print_intin1_line(Console& console, std::int32_t intin1) {
    static const Template line("(1X,'INTIN(1)=',I20)");
    console.write(line, {intin1});
}

void print_kw_lines(Console& console, std::int32_t kw, std::int32_t ky, std::int32_t kz, float xr) {
    static const Template lines("(1X,'KW=',I15,3X,'KY=',I15,3X,'KZ=',I15,3X,/,1X,'XR=',F12.10)");
    console.write(lines, {kw, ky, kz, xr});
}

}  // namespace tamboril::generators
