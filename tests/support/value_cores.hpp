// The 26 cores that produce values as type parameters of typed tests, each
// with its name; their names show in the names of the tests.
#pragma once

#include <gtest/gtest.h>

#include "tamboril/generators.hpp"

namespace value_cores {

using namespace tamboril::generators;

#define VALUE_CORE(NN)                                      \
    struct Urn##NN {                                        \
        using Core = Urn##NN##Core;                         \
        static constexpr const char* kName = "URN" #NN;     \
    }

VALUE_CORE(01);
VALUE_CORE(02);
VALUE_CORE(03);
VALUE_CORE(05);
VALUE_CORE(06);
VALUE_CORE(08);
VALUE_CORE(09);
VALUE_CORE(10);
VALUE_CORE(11);
VALUE_CORE(12);
VALUE_CORE(13);
VALUE_CORE(14);
VALUE_CORE(20);
VALUE_CORE(21);
VALUE_CORE(22);
VALUE_CORE(28);
VALUE_CORE(31);
VALUE_CORE(32);
VALUE_CORE(33);
VALUE_CORE(35);
VALUE_CORE(36);
VALUE_CORE(37);
VALUE_CORE(38);
VALUE_CORE(39);
VALUE_CORE(30);
VALUE_CORE(34);

}  // namespace value_cores

namespace value_cores {

// Every core, and those whose values do not depend on the cut into calls.
using All = ::testing::Types<Urn01, Urn02, Urn03, Urn05, Urn06, Urn08, Urn09, Urn10, Urn11, Urn12, Urn13, Urn14,
                             Urn20, Urn21, Urn22, Urn28, Urn30, Urn31, Urn32, Urn33, Urn34, Urn35, Urn36, Urn37,
                             Urn38, Urn39>;

}  // namespace value_cores
