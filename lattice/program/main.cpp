// tamboril-lattice: the spectral test of any multiplier and modulus, and the
// theory of the catalogue's generators (see --help).
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "lattice/program/measure.hpp"
#include "lattice/program/options.hpp"
#include "lattice/program/report.hpp"

namespace {

using namespace tamboril::lattice_program;
namespace lattice = tamboril::lattice;

// Writes what is ready at once, so that a long catalogue shows as it goes.
bool put(std::string_view text) {
    return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() && std::fflush(stdout) == 0;
}

int run(const Options& o) {
    switch (o.mode) {
        case Mode::Help:
            return put(help_text()) ? 0 : 1;
        case Mode::Numbers: {
            const auto figures = lattice::spectral_test(o.multiplier, o.modulus, o.dimensions);
            if (o.format == Format::Csv) return put(std::string(kCsvHeader) + "\n" + figures_csv(figures, "")) ? 0 : 1;
            const std::string head = "multiplier " + lattice::to_decimal(o.multiplier % o.modulus) + ", modulus " +
                                     lattice::to_short_form(o.modulus) + " (" + lattice::to_decimal(o.modulus) + ")\n";
            return put(head + figures_table(figures)) ? 0 : 1;
        }
        case Mode::Name:
        case Mode::Catalogue: {
            const bool csv = o.format == Format::Csv;
            if (csv && !put("name,modulus,multiplier," + std::string(kCsvHeader) + "\n")) return 1;
            bool first = true;
            for (const lattice::GeneratorTheory& g : lattice::catalogue_theory()) {
                if (o.mode == Mode::Name && g.name != o.name) continue;
                std::string text = csv ? generator_csv(g, o.dimensions) : generator_block(g, o.dimensions);
                if (!csv && !first) text = "\n" + text;
                first = false;
                if (!put(text)) return 1;
            }
            return 0;
        }
        case Mode::Periods:
            return put(periods_text(o.format)) ? 0 : 1;
        case Mode::Measure: {
            const auto cycle = measure_period(o.name, o.budget);
            return put(measured_text(o.name, *cycle)) ? 0 : 1;
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    const auto parsed = parse_options(args);
    if (const auto* message = std::get_if<std::string>(&parsed)) {
        std::fprintf(stderr, "tamboril-lattice: %s\n", message->c_str());
        return 2;
    }
    int status;
    try {
        status = run(std::get<Options>(parsed));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tamboril-lattice: %s\n", error.what());
        return 2;
    }
    if (status == 1) std::fprintf(stderr, "tamboril-lattice: cannot write the output: %s\n", std::strerror(errno));
    return status;
}
