// The spectral test through the installed lattice library: RANDU's triples.
#include <tamboril/lattice.hpp>

#include <cstdio>

int main() {
    const auto figures = tamboril::lattice::spectral_test(65539, tamboril::lattice::uint128{1} << 31, 3);
    const auto& f = figures.at(1);
    std::printf("t %d nu2 %s vector %lld %lld %lld planes %llu\n", f.t, tamboril::lattice::to_decimal(f.nu_squared).c_str(),
                static_cast<long long>(f.shortest[0]), static_cast<long long>(f.shortest[1]),
                static_cast<long long>(f.shortest[2]), static_cast<unsigned long long>(f.hyperplanes));
}
