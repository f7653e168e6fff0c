#include "run/dispatch.hpp"

#include "generators/catalogue.hpp"

namespace tamboril::run {

using namespace tamboril::generators;

const std::array<DispatchRow, kGeneratorCount> kDispatchTable = {{
    {Action::Fill, make_urn01},  // URN01
    {Action::Fill, make_urn02},  // URN02
    {Action::Fill, make_urn03},  // URN03
    {Action::CallThenNotImplemented, make_urn04},  // URN04
    {Action::Fill, make_urn05},  // URN05
    {Action::Fill, make_urn06},  // URN06
    {Action::CallThenNotImplemented, make_urn07},  // URN07
    {Action::Fill, make_urn08},  // URN08
    {Action::Fill, make_urn09},  // URN09
    {Action::Fill, make_urn10},  // URN10
    {Action::Fill, make_urn11},  // URN11
    {Action::Fill, make_urn12},  // URN12
    {Action::Fill, make_urn13},  // URN13
    {Action::Fill, make_urn14},  // URN14
    {Action::CallThenNotImplemented, make_urn15},  // URN15
    {Action::CallThenNotImplemented, make_urn16},  // URN16
    {Action::CallThenNotImplemented, make_urn17},  // URN17
    {Action::CallThenNotImplemented, make_urn18},  // URN18
    {Action::CallThenNotImplemented, make_urn19},  // URN19
    {Action::Fill, make_urn20},  // URN20
    {Action::Fill, make_urn21},  // URN21
    {Action::Fill, make_urn22},  // URN22
    {Action::NotImplemented, nullptr},  // URN23
    {Action::NotImplemented, nullptr},  // URN24
    {Action::NotImplemented, nullptr},  // URN25
    {Action::NotImplemented, nullptr},  // URN26
    {Action::NotImplemented, nullptr},  // URN27
    {Action::Fill, make_urn28},  // URN28
    {Action::NotImplemented, nullptr},  // URN29
    {Action::Fill, make_urn30},  // URN30
    {Action::Fill, make_urn31},  // URN31
    {Action::Fill, make_urn32},  // URN32
    {Action::Fill, make_urn33},  // URN33
    {Action::Fill, make_urn34},  // URN34
    {Action::Fill, make_urn35},  // URN35
    {Action::Fill, make_urn36},  // URN36
    {Action::Fill, make_urn37},  // URN37
    {Action::Fill, make_urn38},  // URN38
    {Action::Fill, make_urn39},  // URN39
    {Action::NotImplemented, nullptr},  // URN40
    {Action::NotImplemented, nullptr},  // URNWN
}};

Action dispatch(int number, std::unique_ptr<Generator>& generator) {
    const DispatchRow& row = kDispatchTable.at(static_cast<std::size_t>(number - 1));
    generator = row.make != nullptr ? row.make() : nullptr;
    return generator != nullptr ? row.action : Action::NotImplemented;
}

}  // namespace tamboril::run
