#include "run/names.hpp"

#include "generators/protocol.hpp"

namespace tamboril::run {

const std::array<std::string_view, kGeneratorCount> kGeneratorNames = {
    "URN01   ", "URN02   ", "URN03   ", "URN04   ", "URN05   ", "URN06   ", "URN07   ",
    "URN08   ", "URN09   ", "URN10   ", "URN11   ", "URN12   ", "URN13   ", "URN14   ",
    "URN15   ", "URN16   ", "URN17   ", "URN18   ", "URN19   ", "URN20   ", "URN21   ",
    "URN22   ", "URN23   ", "URN24   ", "URN25   ", "URN26   ", "URN27   ", "URN28   ",
    "URN29   ", "URN30   ", "URN31   ", "URN32   ", "URN33   ", "URN34   ", "URN35   ",
    "URN36   ", "URN37   ", "URN38   ", "URN39   ", "URN40   ", "URNWN   ",
};

int lookup_generator(std::string_view name) {
    for (int i = 0; i < kGeneratorCount; ++i) {
        if (generators::equal_blank_padded(name, kGeneratorNames[static_cast<std::size_t>(i)])) return i + 1;
    }
    return 0;
}

}  // namespace tamboril::run
