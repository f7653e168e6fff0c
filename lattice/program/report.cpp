#include "lattice/program/report.hpp"

#include <cstdio>

#include "generators/catalogue.hpp"
#include "lattice/program/measure.hpp"

namespace tamboril::lattice_program {

namespace {

std::string format(const char* pattern, long double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, pattern, value);
    return buffer;
}

std::string joined(const std::vector<std::int64_t>& v) {
    std::string out;
    for (std::size_t i = 0; i < v.size(); ++i) {
        if (i != 0) out += ' ';
        out += std::to_string(v[i]);
    }
    return out;
}

std::string both_forms(lattice::uint128 value) {
    const std::string decimal = lattice::to_decimal(value);
    const std::string short_form = lattice::to_short_form(value);
    return short_form == decimal ? decimal : short_form + " (" + decimal + ")";
}

std::string_view method_name(generators::PeriodKnown known) {
    switch (known) {
        case generators::PeriodKnown::Theory: return "exact by theory";
        case generators::PeriodKnown::Measured: return "measured (cycle detection)";
        case generators::PeriodKnown::Bound: return "a bound";
        case generators::PeriodKnown::Unknown: break;
    }
    return "not known";
}

}  // namespace

std::string figures_table(const std::vector<lattice::Figures>& figures) {
    std::string out = " t  nu_t^2                nu_t            S_t       mu_t         hyperplanes  shortest vector / hyperplane vector\n";
    for (const lattice::Figures& f : figures) {
        char line[256];
        std::snprintf(line, sizeof line, "%2d  %-20s  %-14s  %-8s  %-11s  %-11s  ", f.t,
                      lattice::to_decimal(f.nu_squared).c_str(), format("%.4Lf", f.nu).c_str(),
                      format("%.6Lf", f.s_t).c_str(), format("%.5Lg", f.mu_t).c_str(),
                      std::to_string(f.hyperplanes).c_str());
        out += line;
        out += '(';
        out += joined(f.shortest);
        out += ")  (";
        out += joined(f.hyperplane_vector);
        out += ")\n";
    }
    return out;
}

std::string figures_csv(const std::vector<lattice::Figures>& figures, std::string_view lead) {
    std::string out;
    for (const lattice::Figures& f : figures) {
        out += lead;
        out += std::to_string(f.t) + "," + lattice::to_decimal(f.nu_squared) + "," + format("%.10Lg", f.nu) + "," +
               format("%.8Lf", f.s_t) + "," + format("%.8Lg", f.mu_t) + "," + std::to_string(f.hyperplanes) + "," +
               joined(f.shortest) + "," + joined(f.hyperplane_vector) + "\n";
    }
    return out;
}

std::string generator_block(const lattice::GeneratorTheory& g, int dimensions) {
    const generators::CatalogueEntry& entry = generators::catalogue_entry(generators::lookup_generator(g.name));
    const generators::Period& p = entry.period;
    std::string out = std::string(g.name) + ": " + std::string(g.recurrence) + "\n";
    out += "  period: ";
    if (p.length.empty()) {
        out += "not known";
    } else {
        out += std::string(p.length);
        if (!p.form.empty()) out += " (" + std::string(p.form) + ")";
        if (!p.unit.empty()) out += " " + std::string(p.unit);
        out += ", " + std::string(method_name(p.known));
    }
    out += ": " + std::string(p.how) + "\n";
    if (!g.lattice) out += "  " + std::string(g.note) + ".\n";
    for (const lattice::LatticeComponent& c : g.components) {
        out += "  " + std::string(c.label) + ": multiplier " + lattice::to_decimal(c.multiplier);
        if (c.increment != 0) out += ", increment " + lattice::to_decimal(c.increment);
        out += ", modulus " + both_forms(c.modulus);
        if (c.seed != 0) out += ", from " + lattice::to_decimal(c.seed);
        out += "\n  lattice modulus " + both_forms(c.lattice_modulus) + ": " + std::string(c.convention) + "\n";
        out += figures_table(lattice::spectral_test(c.multiplier, c.lattice_modulus, dimensions));
    }
    return out;
}

std::string generator_csv(const lattice::GeneratorTheory& g, int dimensions) {
    std::string out;
    for (const lattice::LatticeComponent& c : g.components) {
        const std::string lead = std::string(g.name) + "," + lattice::to_decimal(c.lattice_modulus) + "," +
                                 lattice::to_decimal(c.multiplier) + ",";
        out += figures_csv(lattice::spectral_test(c.multiplier, c.lattice_modulus, dimensions), lead);
    }
    return out;
}

std::string periods_text(Format format) {
    std::string out = format == Format::Csv ? "name,period,form,unit,method,how\n" : "";
    for (const lattice::GeneratorTheory& g : lattice::catalogue_theory()) {
        const generators::Period& p = generators::catalogue_entry(generators::lookup_generator(g.name)).period;
        if (format == Format::Csv) {
            // Fields hold no comma but `how`, which comes last, quoted.
            std::string how;
            for (char c : p.how) how += c == '"' ? std::string("\"\"") : std::string(1, c);
            for (std::string_view field : {g.name, p.length, p.form, p.unit, method_name(p.known)}) {
                out += field;
                out += ',';
            }
            out += '"';
            out += how;
            out += "\"\n";
        } else {
            out += g.name;
            out += ": ";
            out += p.length.empty() ? std::string_view("not known") : p.length;
            if (!p.unit.empty()) {
                out += ' ';
                out += p.unit;
            }
            out += ", ";
            out += method_name(p.known);
            out += '\n';
        }
    }
    return out;
}

std::string measured_text(std::string_view name, const lattice::Cycle& cycle) {
    const std::string unit = measured_in_calls(name) ? " calls of " + std::to_string(kMeasuredCall) + " values" : " values";
    std::string out = std::string(name) + ": ";
    if (cycle.found) {
        out += "period " + std::to_string(cycle.period) + unit + " after a tail of " + std::to_string(cycle.tail) +
               " (Brent's method, " + std::to_string(cycle.steps) + " steps)\n";
    } else {
        out += "no cycle within the budget: the period exceeds " + std::to_string(cycle.bound) + unit +
               ", or the tail reaches that length (Brent's method, " + std::to_string(cycle.steps) + " steps)\n";
    }
    return out;
}

}  // namespace tamboril::lattice_program
