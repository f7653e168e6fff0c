// URN34: three small multiplicative components (W, Y, Z modulo 2039, 2027,
// 2003), each feeding a table of 10 that every call primes afresh with ten
// steps. The previous sample picks one entry of each table by its three leading
// decimal digits; the W entry picks one of six combinations of the three.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <span>

#include "tests/reference/protocol.hpp"

namespace tamboril::reference {

struct Urn34 {
    std::int32_t KW = 0, KY = 0, KZ = 0;
    float XR = 0.0f;

    static constexpr float initial_xr = 0.453f;
    static_assert(std::bit_cast<std::uint32_t>(initial_xr) == 0x3EE7EF9Eu);
    // The third divisor is the single-precision value of 2038 * 2026 * 2002.
    static constexpr float D = 2038.0f * 2026.0f * 2002.0f;
    static_assert(static_cast<double>(D) == 8266233856.0);

    void start() {
        KW = 1;
        KY = 1;
        KZ = 1;
        XR = initial_xr;
    }

    void step_w() { KW = (44 * KW) % 2039; }
    void step_y() { KY = (45 * KY) % 2027; }
    void step_z() { KZ = (41 * KZ) % 2003; }

    void call(std::span<float> out) {
        std::array<float, 10> w_table{}, y_table{}, z_table{};  // position p is [p - 1]
        for (int i = 0; i < 10; ++i) {
            step_w();
            w_table[i] = static_cast<float>(KW);
            step_y();
            y_table[i] = static_cast<float>(KY);
            step_z();
            z_table[i] = static_cast<float>(KZ);
        }
        for (float& sample : out) {
            step_w();
            step_y();
            step_z();
            std::int32_t j = static_cast<std::int32_t>(static_cast<double>(XR) * 1000.0);
            // A previous sample of exactly 1.0 gives J = 1000 and a W position
            // past the table. The program takes the digits of J modulo 1000
            // then, so that step draws and replaces position 1 of each table.
            if (j == 1000) j = 0;
            const std::int32_t pw = j / 100 + 1;
            const std::int32_t py = (j % 100) / 10 + 1;
            const std::int32_t pz = j % 10 + 1;
            const std::int32_t w = static_cast<std::int32_t>(w_table.at(pw - 1));
            const std::int32_t y = static_cast<std::int32_t>(y_table.at(py - 1));
            const std::int32_t z = static_cast<std::int32_t>(z_table.at(pz - 1));
            w_table.at(pw - 1) = static_cast<float>(KW);
            y_table.at(py - 1) = static_cast<float>(KY);
            z_table.at(pz - 1) = static_cast<float>(KZ);
            const double dw = w, dy = y, dz = z, d = D;
            double first = 0.0, second = 0.0, third = 0.0;
            switch (w % 6 + 1) {
                case 1: first = dw / 2038.0; second = dy / 4128988.0; third = dz / d; break;
                case 2: first = dw / 2038.0; second = dz / 4080076.0; third = dy / d; break;
                case 3: first = dy / 2026.0; second = dz / 4056052.0; third = dw / d; break;
                case 4: first = dy / 2026.0; second = dw / 4128988.0; third = dz / d; break;
                case 5: first = dz / 2002.0; second = dw / 4080076.0; third = dy / d; break;
                default: first = dz / 2002.0; second = dy / 4056052.0; third = dw / d; break;
            }
            const double difference = first - second;
            XR = static_cast<float>(difference + third);
            sample = XR;
        }
    }
};

}  // namespace tamboril::reference
