// libFuzzer target: template compiler and renderer.
// Input: the template text, a NUL byte, then bytes that choose the items.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "records/template.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using tamboril::records::Item;
    const std::string_view all(reinterpret_cast<const char*>(data), size);
    const std::size_t split = all.find('\0');
    const std::string_view text = all.substr(0, split);
    std::string_view rest = split == std::string_view::npos ? std::string_view() : all.substr(split + 1);
    std::vector<Item> items;
    while (!rest.empty() && items.size() < 300) {
        const unsigned char kind = static_cast<unsigned char>(rest[0]);
        rest.remove_prefix(1);
        std::uint64_t bits = 0;
        const std::size_t take = rest.size() < 8 ? rest.size() : 8;
        std::memcpy(&bits, rest.data(), take);
        rest.remove_prefix(take);
        switch (kind % 4) {
            case 0: items.emplace_back(static_cast<std::int32_t>(bits)); break;
            case 1: {
                float f;
                const auto low = static_cast<std::uint32_t>(bits);
                std::memcpy(&f, &low, sizeof f);
                items.emplace_back(f);
                break;
            }
            case 2: {
                double d;
                std::memcpy(&d, &bits, sizeof d);
                items.emplace_back(d);
                break;
            }
            default: items.emplace_back(std::string_view("URN01   ARCH").substr(0, bits % 13)); break;
        }
    }
    try {
        const tamboril::records::Template format(text);
        std::size_t total = 0;
        format.render(items, [&total](std::string_view record) { total += record.size(); });
    } catch (const std::logic_error&) {
        // A malformed template, or items that do not suit it, is refused.
    }
    return 0;
}
