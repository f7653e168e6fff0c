// Not built yet: the run treats this generator as not implemented.
#include "generators/catalogue.hpp"

namespace tamboril::generators {

std::unique_ptr<Generator> make_urn07() { return nullptr; }
std::unique_ptr<Generator> make_urn15() { return nullptr; }
std::unique_ptr<Generator> make_urn16() { return nullptr; }
std::unique_ptr<Generator> make_urn17() { return nullptr; }
std::unique_ptr<Generator> make_urn18() { return nullptr; }
std::unique_ptr<Generator> make_urn19() { return nullptr; }

}  // namespace tamboril::generators
