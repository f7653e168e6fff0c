#include "generators/core_operation.hpp"

namespace tamboril::generators {

std::int32_t checked_per_call(std::int32_t per_call) {
    if (per_call < 1) {
        throw std::invalid_argument("the values per call must be 1 or more, not " + std::to_string(per_call));
    }
    return per_call;
}

void refuse_saved_state(const std::string& name, std::string_view text) {
    throw std::invalid_argument(records::shown(records::quoted_answer(text)) + " is not a saved state of " + name);
}

}  // namespace tamboril::generators
