// Draws values through the installed library and prints them as integers:
// URN10's values are k / 8192 and URN03's are whole multiples of 2^-31.
#include <tamboril/generators.hpp>

#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <vector>

int main() {
    const auto names = tamboril::generator_names();
    std::printf("names %zu %s %s\n", names.size(), names.front().c_str(), names.back().c_str());

    // Two sequences of three values of a run of URN10.
    auto urn10 = tamboril::make_generator("URN10");
    std::vector<float> values(3);
    for (int m = 0; m < 2; ++m) {
        urn10->sequence(values);
        for (float v : values) std::printf("%s %.0f\n", urn10->name().c_str(), v * 8192.0);
    }

    // URN03 as a value type: a copy replays the stream.
    auto urn03 = tamboril::generators::Urn03Core::start();
    const auto saved = urn03;
    for (int i = 0; i < 5; ++i) std::printf("URN03 %.0f\n", std::ldexp(static_cast<double>(urn03()), 31));
    auto replay = saved;
    for (int i = 0; i < 5; ++i) replay();
    std::printf("replay %s\n", replay == urn03 ? "equal" : "different");

    try {
        tamboril::make_generator("URN07");
    } catch (const std::invalid_argument& error) {
        std::printf("error %s\n", error.what());
    }
}
