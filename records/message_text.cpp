#include "records/message_text.hpp"

namespace tamboril::records {

std::string shown(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        out += byte < 0x20 || byte == 0x7F ? '?' : c;
    }
    return out;
}

std::string quoted_answer(std::string_view text) {
    constexpr std::size_t kQuoted = 80;
    std::string out = "\"";
    // Shown here already: a NUL byte would end the message's text.
    out.append(shown(text.substr(0, kQuoted))).append("\"");
    if (text.size() > kQuoted) out.append(" (its first ").append(std::to_string(kQuoted)).append(" characters)");
    return out;
}

}  // namespace tamboril::records
