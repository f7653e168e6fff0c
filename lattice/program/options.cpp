#include "lattice/program/options.hpp"

#include <optional>
#include <vector>

namespace tamboril::lattice_program {

namespace {

// Typed text in a message: control characters as ?, at most 40 characters.
std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size() && i < 40; ++i) {
        const auto ch = static_cast<unsigned char>(text[i]);
        out.push_back(ch < 0x20 || ch == 0x7F ? '?' : static_cast<char>(ch));
    }
    if (text.size() > 40) out += "...";
    return out + "\"";
}

}  // namespace

std::variant<Options, std::string> parse_options(std::span<const std::string_view> args) {
    Options o;
    std::vector<std::string_view> positional;
    bool catalogue = false, periods = false, measure = false, dimensions_given = false, format_given = false, budget_given = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        auto value = [&](std::string_view option) -> std::optional<std::string_view> {
            const std::string prefix = std::string(option) + "=";
            if (arg.substr(0, prefix.size()) == prefix) return arg.substr(prefix.size());
            if (arg == option && i + 1 < args.size()) return args[++i];
            return std::nullopt;
        };
        auto is = [&](std::string_view option) { return arg == option || arg.substr(0, option.size() + 1) == std::string(option) + "="; };
        if (arg == "-h" || arg == "--help") {
            o.mode = Mode::Help;
            return o;
        } else if (arg == "--catalogue") {
            catalogue = true;
        } else if (arg == "--periods") {
            periods = true;
        } else if (is("--measure")) {
            const auto v = value("--measure");
            if (!v) return std::string("--measure needs a generator name");
            measure = true;
            positional.push_back(*v);
        } else if (is("--dimensions")) {
            const auto v = value("--dimensions");
            if (!v) return std::string("--dimensions needs a number from 2 to 24");
            const auto t = lattice::parse_number(*v);
            if (!t || *t < lattice::kMinDimension || *t > lattice::kMaxDimension)
                return "--dimensions must be a whole number from 2 to 24, not " + quoted(*v);
            o.dimensions = static_cast<int>(*t);
            dimensions_given = true;
        } else if (is("--format")) {
            const auto v = value("--format");
            if (!v) return std::string("--format needs text or csv");
            if (*v == "text") {
                o.format = Format::Text;
            } else if (*v == "csv") {
                o.format = Format::Csv;
            } else {
                return "--format must be text or csv, not " + quoted(*v);
            }
            format_given = true;
        } else if (is("--budget")) {
            const auto v = value("--budget");
            if (!v) return std::string("--budget needs a number of steps");
            const auto b = lattice::parse_number(*v);
            if (!b || *b < 1 || *b > (lattice::uint128{1} << 62))
                return "--budget must be a number of steps from 1 to 2^62, not " + quoted(*v);
            o.budget = static_cast<std::uint64_t>(*b);
            budget_given = true;
        } else if (arg.size() > 1 && arg[0] == '-' && !(arg[1] >= '0' && arg[1] <= '9')) {
            return "unknown option " + quoted(arg) + " (see --help)";
        } else {
            positional.push_back(arg);
        }
    }
    if (periods) {
        if (catalogue || measure || !positional.empty() || dimensions_given || budget_given)
            return std::string("--periods takes no other argument but --format");
        o.mode = Mode::Periods;
        return o;
    }
    if (measure) {
        if (catalogue || positional.size() != 1 || dimensions_given || format_given)
            return std::string("--measure takes one generator name and --budget only");
        o.mode = Mode::Measure;
        o.name = std::string(positional[0]);
        if (lattice::find_theory(o.name) == nullptr) return "unknown generator name " + quoted(o.name) + " (see --catalogue)";
        return o;
    }
    if (budget_given) return std::string("--budget goes with --measure only");
    if (catalogue) {
        if (!positional.empty()) return std::string("--catalogue takes no multiplier, modulus or name");
        o.mode = Mode::Catalogue;
        return o;
    }
    if (positional.size() == 1) {
        o.mode = Mode::Name;
        o.name = std::string(positional[0]);
        if (lattice::find_theory(o.name) == nullptr) {
            return "unknown generator name " + quoted(o.name) +
                   " (a name of a generator that produces values, such as URN03, or a multiplier and a modulus)";
        }
        return o;
    }
    if (positional.size() != 2) {
        if (positional.empty()) return std::string("give a multiplier and a modulus, a generator name or --catalogue (see --help)");
        return "too many arguments: " + quoted(positional[2]) + " (see --help)";
    }
    const auto a = lattice::parse_number(positional[0]);
    if (!a) return "the multiplier is not a number from 0 to 2^64: " + quoted(positional[0]);
    const auto m = lattice::parse_number(positional[1]);
    if (!m) return "the modulus is not a number from 2 to 2^64: " + quoted(positional[1]);
    if (*m < 2) return "the modulus must lie in 2 to 2^64, not " + quoted(positional[1]);
    if (lattice::gcd(*a % *m, *m) != 1)
        return "the multiplier " + quoted(positional[0]) + " is not prime to the modulus " + quoted(positional[1]);
    o.mode = Mode::Numbers;
    o.multiplier = *a;
    o.modulus = *m;
    return o;
}

std::string_view help_text() {
    return R"(Usage:
  tamboril-lattice A M [--dimensions T] [--format text|csv]
  tamboril-lattice NAME [--dimensions T] [--format text|csv]
  tamboril-lattice --catalogue [--dimensions T] [--format text|csv]
  tamboril-lattice --measure NAME [--budget STEPS]
  tamboril-lattice --periods [--format text|csv]
  tamboril-lattice --help

The spectral test of the congruential generator x <- A x (+ c) mod M: for each
dimension t from 2 to T, the shortest nonzero integer vector s with
s_1 + s_2 A + ... + s_t A^(t-1) = 0 (mod M), of length nu_t. The t-tuples of
consecutive values lie on parallel hyperplanes 1 / nu_t apart, and on no family
farther apart. Every figure is exact (fplll on GMP integers).

  A, M           the multiplier and the modulus: decimal, hexadecimal (0x...),
                 or a power of two with an offset (2^31-1, 2^32, 2^64);
                 2 <= M <= 2^64, A prime to M (only A mod M counts)
  NAME           a generator of the catalogue that produces values (URN01 ...
                 URN39): its recurrence, its period and how it is known, the
                 modulus its lattice has and why, and the figures; for one that
                 is not itself a lattice generator, a line saying so and the
                 figures of its congruential sequences
  --catalogue    every generator that produces values, one block each
  --dimensions T the largest dimension, 2 to 24 (default 8)
  --format csv   one row per dimension:
                   t,nu_squared,nu,s_t,mu_t,hyperplanes,shortest_vector,hyperplanes_vector
                 with vectors as their integers separated by single blanks; for
                 NAME and --catalogue each row begins name,modulus,multiplier,
                 (the lattice's modulus and the multiplier, so that
                 tamboril-lattice MULTIPLIER MODULUS gives the same rows)
  --measure NAME the period of NAME's stream from its starting state by cycle
                 detection (Brent's method) over the program's own generator:
                 a step is a value (a call of 10000 values for URN30 and URN34)
  --budget STEPS at most about this many steps for --measure (default 2^28)
  --periods      the period of every generator that produces values and how it
                 is known; as CSV: name,period,form,unit,method,how

The figures of each dimension t:
  nu_squared     nu_t^2, an exact integer
  nu             nu_t
  s_t            nu_t / (gamma_t^(1/2) M^(1/t)), at most 1; gamma_t is the
                 Hermite constant for t <= 8 and t = 24, and for 9 to 23 that
                 of the densest lattice known (a lower bound of the constant)
  mu_t           pi^(t/2) nu_t^t / (Gamma(t/2 + 1) M)
  hyperplanes    the fewest parallel hyperplanes that hold every t-tuple in the
                 unit cube: the least L1 norm of a nonzero dual vector, minus 1
  shortest_vector, hyperplanes_vector
                 the two vectors, each with its first nonzero entry positive

Exit status: 0 the figures are written; 1 the output cannot be written; 2 a bad
command line (not a number, M < 2 or M > 2^64, A not prime to M, T out of
range, an unknown name or option), with one line on standard error.
)";
}

}  // namespace tamboril::lattice_program
