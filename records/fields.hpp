// Field writers: the text that one edit descriptor produces for one item.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tamboril::records {

// Significant digits a real item may show: 7 for a single-precision item,
// 16 for a double-precision one.
inline constexpr int kSingleDigits = 7;
inline constexpr int kDoubleDigits = 16;

// A real value as 0.d1d2...dk times ten to `exponent`. `count` digits are
// meaningful (0 means the value is zero).
struct Decimal {
    std::array<char, 18> digits{};
    int count = 0;
    int exponent = 0;
    bool negative = false;
};

// The value expanded to 17 significant digits, correctly rounded.
// Zero has no digits and exponent 0. Not for infinities or NaNs.
Decimal decimal17(double value);

// Rounds half up, on the magnitude, to `keep` significant digits.
// `keep` of 0 or less can leave a single digit 1 at a higher exponent, or zero.
void round_half_up(Decimal& dec, int keep);

// Each writer appends exactly `width` characters to `out`; a text longer than
// the field gives `width` asterisks.
void put_integer(std::string& out, int width, std::int32_t value);
void put_hex(std::string& out, int width, std::int32_t value);
void put_chars(std::string& out, int width, std::string_view text);
void put_fixed(std::string& out, int width, int decimals, double value, int limit);
void put_exponent(std::string& out, int width, int decimals, double value, int limit,
                  char letter);
void put_general(std::string& out, int width, int decimals, double value, int limit);

}  // namespace tamboril::records
