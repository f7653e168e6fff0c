// Not built yet: the run treats this generator as not implemented.
#include "generators/catalogue.hpp"

namespace tamboril::generators {

std::unique_ptr<Generator> make_urn02() { return nullptr; }

}  // namespace tamboril::generators
