// The sine of a whole number with a 64-bit significand (long double on x86),
// equal to the C library's long double sine of that number, at a fraction of
// its cost.
#pragma once

namespace tamboril::generators {

// sin(k) as std::sin(static_cast<long double>(k)) gives it. Whole numbers k
// from 1 to 2^25 - 1 take the fast evaluation where it applies (glibc on
// x86-64); any other argument goes straight to the library.
long double extended_sine(double k);

// The library sine itself, for comparison with the fast evaluation.
long double library_extended_sine(double k);

}  // namespace tamboril::generators
