#include "records/fields.hpp"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace tamboril::records {

namespace {

void put_field(std::string& out, int width, std::string_view text) {
    const auto w = static_cast<std::size_t>(width);
    if (text.size() > w) {
        out.append(w, '*');
        return;
    }
    out.append(w - text.size(), ' ');
    out.append(text);
}

// Digit `index` of a rounded decimal, zero beyond the digits kept.
char digit_at(const Decimal& dec, int index) {
    return index >= 0 && index < dec.count ? dec.digits[static_cast<std::size_t>(index)]
                                           : '0';
}

bool non_finite(std::string& out, int width, double value) {
    if (std::isfinite(value)) return false;
    out.append(static_cast<std::size_t>(width), '*');
    return true;
}

}  // namespace

Decimal decimal17(double value) {
    Decimal dec;
    dec.negative = std::signbit(value);
    if (value == 0.0) return dec;
    char buf[40];
    const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value),
                                   std::chars_format::scientific, 16);
    // buf holds d.dddddddddddddddde[+-]XX
    dec.digits[0] = buf[0];
    for (int i = 1; i < 17; ++i) dec.digits[static_cast<std::size_t>(i)] = buf[i + 1];
    dec.count = 17;
    int exp10 = 0;
    std::from_chars(buf + 19 + (buf[19] == '+' ? 1 : 0), res.ptr, exp10);
    dec.exponent = exp10 + 1;
    return dec;
}

void round_half_up(Decimal& dec, int keep) {
    if (dec.count == 0 || keep >= dec.count) return;
    if (keep < 0) {
        dec.count = 0;
        return;
    }
    const bool up = dec.digits[static_cast<std::size_t>(keep)] >= '5';
    dec.count = keep;
    if (!up) {
        if (keep == 0) dec.count = 0;
        return;
    }
    int i = keep - 1;
    while (i >= 0 && dec.digits[static_cast<std::size_t>(i)] == '9') {
        dec.digits[static_cast<std::size_t>(i)] = '0';
        --i;
    }
    if (i >= 0) {
        ++dec.digits[static_cast<std::size_t>(i)];
        return;
    }
    // Every kept digit was 9 (or none was kept): the value becomes 10^exponent.
    dec.digits[0] = '1';
    dec.count = 1;
    ++dec.exponent;
}

void put_integer(std::string& out, int width, std::int32_t value) {
    char buf[16];
    const auto res = std::to_chars(buf, buf + sizeof buf, value);
    put_field(out, width, std::string_view(buf, static_cast<std::size_t>(res.ptr - buf)));
}

void put_hex(std::string& out, int width, std::int32_t value) {
    char buf[16];
    const auto res = std::to_chars(buf, buf + sizeof buf, static_cast<std::uint32_t>(value), 16);
    for (char* p = buf; p != res.ptr; ++p) {
        if (*p >= 'a' && *p <= 'f') *p = static_cast<char>(*p - 'a' + 'A');
    }
    put_field(out, width, std::string_view(buf, static_cast<std::size_t>(res.ptr - buf)));
}

void put_chars(std::string& out, int width, std::string_view text) {
    const auto w = static_cast<std::size_t>(width);
    if (text.size() >= w) {
        out.append(text.substr(0, w));
    } else {
        out.append(w - text.size(), ' ');
        out.append(text);
    }
}

void put_fixed(std::string& out, int width, int decimals, double value, int limit) {
    if (non_finite(out, width, value)) return;
    Decimal dec = decimal17(value);
    if (dec.count > 0) {
        const int shown = dec.exponent + decimals;
        round_half_up(dec, shown < limit ? shown : limit);
    }
    std::string text;
    if (dec.negative && dec.count > 0) text += '-';
    for (int i = 0; i < dec.exponent && dec.count > 0; ++i) text += digit_at(dec, i);
    if (dec.count == 0 && decimals == 0) text += '0';
    text += '.';
    for (int j = 1; j <= decimals; ++j) {
        text += dec.count > 0 ? digit_at(dec, dec.exponent - 1 + j) : '0';
    }
    put_field(out, width, text);
}

void put_exponent(std::string& out, int width, int decimals, double value, int limit,
                  char letter) {
    if (non_finite(out, width, value)) return;
    Decimal dec = decimal17(value);
    if (dec.count > 0 && decimals > 0) round_half_up(dec, decimals < limit ? decimals : limit);
    std::string text;
    if (dec.negative && dec.count > 0) text += '-';
    if (decimals == 0) {
        text += "0.";
    } else {
        text += '.';
        for (int i = 0; i < decimals; ++i) text += digit_at(dec, i);
    }
    const int exponent = dec.count > 0 ? dec.exponent : 0;
    const int magnitude = std::abs(exponent);
    if (magnitude <= 99) text += letter;
    text += exponent < 0 ? '-' : '+';
    if (magnitude > 99) text += static_cast<char>('0' + magnitude / 100);
    text += static_cast<char>('0' + magnitude / 10 % 10);
    text += static_cast<char>('0' + magnitude % 10);
    put_field(out, width, text);
}

void put_general(std::string& out, int width, int decimals, double value, int limit) {
    if (non_finite(out, width, value)) return;
    const Decimal dec = decimal17(value);
    const int exponent = dec.count > 0 ? dec.exponent : 0;
    if (exponent < 0 || exponent > decimals) {
        put_exponent(out, width, decimals, value, limit, 'E');
        return;
    }
    std::string fixed;
    if (width > 4) put_fixed(fixed, width - 4, decimals - exponent, value, limit);
    if (fixed.empty() || fixed[0] == '*') {
        out.append(static_cast<std::size_t>(width), '*');
        return;
    }
    out += fixed;
    out.append(4, ' ');
}

}  // namespace tamboril::records
