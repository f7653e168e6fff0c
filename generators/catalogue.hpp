// Factories of the generator operations, one per generator that has one.
// A factory that returns nullptr marks a generator that is not built yet.
#pragma once

#include <memory>

#include "generators/protocol.hpp"

namespace tamboril::generators {

std::unique_ptr<Generator> make_urn01();
std::unique_ptr<Generator> make_urn02();
std::unique_ptr<Generator> make_urn03();
std::unique_ptr<Generator> make_urn04();
std::unique_ptr<Generator> make_urn05();
std::unique_ptr<Generator> make_urn06();
std::unique_ptr<Generator> make_urn07();
std::unique_ptr<Generator> make_urn08();
std::unique_ptr<Generator> make_urn09();
std::unique_ptr<Generator> make_urn10();
std::unique_ptr<Generator> make_urn11();
std::unique_ptr<Generator> make_urn12();
std::unique_ptr<Generator> make_urn13();
std::unique_ptr<Generator> make_urn14();
std::unique_ptr<Generator> make_urn15();
std::unique_ptr<Generator> make_urn16();
std::unique_ptr<Generator> make_urn17();
std::unique_ptr<Generator> make_urn18();
std::unique_ptr<Generator> make_urn19();
std::unique_ptr<Generator> make_urn20();
std::unique_ptr<Generator> make_urn21();
std::unique_ptr<Generator> make_urn22();
std::unique_ptr<Generator> make_urn28();
std::unique_ptr<Generator> make_urn30();
std::unique_ptr<Generator> make_urn31();
std::unique_ptr<Generator> make_urn32();
std::unique_ptr<Generator> make_urn33();
std::unique_ptr<Generator> make_urn34();
std::unique_ptr<Generator> make_urn35();
std::unique_ptr<Generator> make_urn36();
std::unique_ptr<Generator> make_urn37();
std::unique_ptr<Generator> make_urn38();
std::unique_ptr<Generator> make_urn39();

}  // namespace tamboril::generators
