// The library's view of the catalogue: the generators that produce values.
#include "generators/library.hpp"

#include <stdexcept>
#include <string>

#include "generators/catalogue.hpp"
#include "tamboril/generators.hpp"

namespace tamboril {

std::vector<std::string> generator_names() {
    std::vector<std::string> names;
    for (const auto& entry : generators::kCatalogue) {
        if (entry.action == generators::Action::Fill) names.emplace_back(entry.short_name());
    }
    return names;
}

std::unique_ptr<Generator> make_generator(std::string_view name) { return generators::make_operation(name); }

std::unique_ptr<Generator> make_generator(std::string_view name, std::uint64_t seed) {
    auto generator = generators::make_operation(name);
    generator->seed(seed);
    return generator;
}

namespace generators {

std::unique_ptr<Operation> make_operation(std::string_view name) {
    const int number = generators::lookup_generator(name);
    std::string why;
    if (number == 0) {
        why.append(1, '"').append(name).append("\" is not a generator of the catalogue");
    } else {
        const auto& entry = generators::catalogue_entry(number);
        switch (entry.action) {
            case generators::Action::Fill: return entry.operation();
            case generators::Action::CallThenNotImplemented:
                why = std::string(entry.short_name()) +
                      " produces no values: it only prints its starting state";
                break;
            case generators::Action::NotImplemented:
                why = std::string(entry.short_name()) + " is not implemented";
                break;
        }
    }
    why += "; the generators that produce values are";
    const char* separator = " ";
    for (const auto& valid : generator_names()) {
        why += separator + valid;
        separator = ", ";
    }
    throw std::invalid_argument(why);
}

}  // namespace generators

}  // namespace tamboril
