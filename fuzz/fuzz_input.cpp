// libFuzzer target: the console input reader (name, then integer answers).
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "records/input.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tamboril::records;
    TextLineSource in(std::string_view(reinterpret_cast<const char*>(data), size));
    const auto name = read_a5(in);
    if (name && name->size() != 5) __builtin_trap();
    for (;;) {
        const FreeInteger got = read_free_integer(in);
        if (got.status == FreeInteger::Status::EndOfInput) break;
    }
    return 0;
}
