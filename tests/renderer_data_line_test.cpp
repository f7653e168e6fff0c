// The fast renderer of data-file lines against worked values, against an
// exact decimal expansion for every float in [0, 1], and against the general
// field writer.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cmath>
#include <cstring>
#include <mutex>
#include <span>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "records/fast_fixed.hpp"
#include "records/fields.hpp"
#include "tests/support/common.hpp"

namespace tamboril::records {
namespace {

// Under the sanitizers the exhaustive walks take every stride-th value.
constexpr std::uint32_t kStride = testing::kSanitized ? 17 : 1;

std::string fast_line(float value) {
    std::string line(11, '?');
    render_sample_line(value, line.data());
    return line;
}

std::string general_line(float value) {
    std::string line;
    put_fixed(line, 11, 10, static_cast<double>(value), kDoubleDigits);
    return line;
}

std::string units_line(std::uint64_t units) {
    if (units >= 10000000000u) return std::string(11, '*');
    std::string line = ".0000000000";
    for (int i = 10; i >= 1; --i, units /= 10) line[static_cast<std::size_t>(i)] += units % 10;
    return line;
}

// Expected lines from an independent decimal computation of the rule.
TEST(DataLine, WorkedValues) {
    struct Case {
        std::uint32_t bits;
        const char* line;
    };
    const Case cases[] = {
        {0x00000000, ".0000000000"},  // 0
        {0x3D800000, ".0625000000"},  // 0.0625
        {0x3E800000, ".2500000000"},  // 0.25
        {0x3F000000, ".5000000000"},  // 0.5
        {0x3F800000, "***********"},  // 1.0 needs 12 characters
        {0x3F7FFFFF, ".9999999404"},  // the largest float below 1
        {0x00000001, ".0000000000"},  // the smallest subnormal
        {0x007FFFFF, ".0000000000"},  // the largest subnormal
        {0x2DFFFFFF, ".0000000000"},  // just below 2^-35
        {0x2E000000, ".0000000000"},  // 2^-35
        {0x2E5BE6FF, ".0000000001"},  // the first float at or above 5e-11
        {0x2E5BE700, ".0000000001"},
        {0x3C23D70A, ".0099999998"},  // 0.01f
        {0x3727C5AC, ".0000100000"},  // 1e-5f
        {0x3DCCCCCC, ".0999999940"},  // just below 0.1
        {0x3DCCCCCD, ".1000000015"},  // 0.1f
        {0x3A000000, ".0004882813"},  // 2^-11 = .00048828125: a tie rounds up
        {0x3AC00000, ".0014648438"},  // 3 * 2^-11
        {0x3F7FE000, ".9995117188"},  // 2047 * 2^-11
        {0x3F7FF000, ".9997558594"},
        // The floats nearest below a tie at the tenth decimal: even rounded to
        // 17 digits they stay below it (no float reaches a tie that way).
        {0x2E5BE6FE, ".0000000000"},  // 4.9999997198124646e-11
        {0x2F24ED3F, ".0000000001"},  // 1.4999999853326784e-10
        {0x3032ABAF, ".0000000006"},  // 6.4999999827008992e-10
        {0x31361B4B, ".0000000026"},  // 2.6499999972173782e-09
        {0x31B7D319, ".0000000053"},  // 5.3499999985717750e-09
        {0x37149404, ".0000088559"},  // 8.8559499999973923e-06
        {0x38A782DC, ".0000798755"},  // 7.9875549999997020e-05
        {0x3A29E0B7, ".0006480323"},  // 6.4803234999999404e-04
        // Outside [0, 1): negative values overflow unless they round to zero,
        // which is written without the sign.
        {0x80000000, ".0000000000"},  // -0
        {0x80000001, ".0000000000"},
        {0xAE000000, ".0000000000"},  // -2^-35
        {0xAE5BE700, "***********"},  // rounds to -.0000000001
        {0xBE800000, "***********"},  // -0.25
        {0x40000000, "***********"},  // 2
        {0x7F800000, "***********"},  // infinity
        {0xFF800000, "***********"},
        {0x7FC00000, "***********"},  // NaN
        {0xFFC00000, "***********"},
    };
    for (const Case& c : cases) {
        const auto value = std::bit_cast<float>(c.bits);
        EXPECT_EQ(fast_line(value), c.line) << std::hex << c.bits;
        EXPECT_EQ(general_line(value), c.line) << std::hex << c.bits;
    }
}

// Odd multiples of 2^-11 are the floats whose eleventh decimal is a final 5.
TEST(DataLine, ExactTiesRoundUp) {
    for (std::uint64_t odd = 1; odd < 2048; odd += 2) {
        const float value = static_cast<float>(odd) * 0x1p-11f;
        const std::uint64_t up = (odd * 10000000000u + 1024) / 2048;
        ASSERT_EQ((odd * 10000000000u) % 2048, 1024u);
        EXPECT_EQ(fast_line(value), units_line(up)) << odd;
    }
}

// The rule worked on the exact decimal digits of the value, as on paper: a
// float m * 2^-(23+k) is m * 5^(23+k) * 10^(40-k) / 10^63, so its 63 first
// decimals are exact. Round half even to 17 significant digits, then half up
// at the tenth decimal.
class ExactDecimals {
public:
    static constexpr int kLimbs = 7;  // base 10^9, most significant first
    static constexpr std::uint64_t kBase = 1000000000;

    // Binades [2^-k, 2^(1-k)) for k = 1 to 40.
    ExactDecimals() {
        for (int k = 1; k <= 40; ++k) {
            std::array<std::uint64_t, kLimbs> unit{};
            unit[kLimbs - 1] = 1;
            for (int i = 0; i < 23 + k; ++i) multiply(unit, 5);
            for (int i = 0; i < 40 - k; ++i) multiply(unit, 10);
            units_[static_cast<std::size_t>(k)] = unit;
        }
    }

    // The value in units of 10^-10 after both roundings (10^10 overflows).
    std::uint64_t units(std::uint32_t bits) const {
        const int k = 127 - static_cast<int>(bits >> 23);
        const std::uint32_t m = (bits & 0x7FFFFFu) | 0x800000u;
        std::array<std::uint64_t, kLimbs> value = units_[static_cast<std::size_t>(k)];
        multiply(value, m);
        // The rule never looks past decimal 30 (17 digits from at most the
        // 13th decimal, and one more); later limbs only tell whether a 5 is
        // followed by anything.
        constexpr int kShown = 36;
        std::array<int, kShown + 1> d{};  // d[1] is the first decimal
        for (int limb = 0; limb < kShown / 9; ++limb) {
            std::uint64_t v = value[static_cast<std::size_t>(limb)];
            for (int j = 9; j >= 1; --j, v /= 10) {
                d[static_cast<std::size_t>(9 * limb + j)] = static_cast<int>(v % 10);
            }
        }
        int first = 1;
        while (d[static_cast<std::size_t>(first)] == 0) ++first;
        const int last = first + 16;  // the 17th significant digit
        const int next = d[static_cast<std::size_t>(last + 1)];
        bool beyond = value[4] != 0 || value[5] != 0 || value[6] != 0;
        for (int i = last + 2; i <= kShown; ++i) beyond = beyond || d[static_cast<std::size_t>(i)] != 0;
        const bool odd = d[static_cast<std::size_t>(last)] % 2 != 0;
        const bool up17 = next > 5 || (next == 5 && (beyond || odd));
        std::uint64_t head = 0;  // decimals 1 to 10
        for (int i = 1; i <= 10; ++i) head = head * 10 + static_cast<std::uint64_t>(d[static_cast<std::size_t>(i)]);
        std::uint64_t tail = 0;  // decimals 11 to last
        std::uint64_t unit = 1;
        for (int i = 11; i <= last; ++i, unit *= 10) {
            tail = tail * 10 + static_cast<std::uint64_t>(d[static_cast<std::size_t>(i)]);
        }
        if (up17) ++tail;
        return head + (tail >= unit / 2 ? 1 : 0);
    }

private:
    static void multiply(std::array<std::uint64_t, kLimbs>& limbs, std::uint64_t factor) {
        std::uint64_t carry = 0;
        for (int i = kLimbs - 1; i >= 0; --i) {
            const std::uint64_t p = limbs[static_cast<std::size_t>(i)] * factor + carry;
            limbs[static_cast<std::size_t>(i)] = p % kBase;
            carry = p / kBase;
        }
        if (carry != 0) throw std::logic_error("value above 1");
    }

    std::array<std::array<std::uint64_t, kLimbs>, 41> units_{};
};

// Runs `check` on every step-th bit pattern of [first, last), on every core;
// returns the first mismatches it reports (at most a few).
template <class Check>
std::vector<std::string> check_range(std::uint32_t first, std::uint32_t last, std::uint32_t step,
                                     Check check) {
    const std::uint64_t chunk = std::uint64_t{step} << 16;
    std::atomic<std::uint64_t> next{first};
    std::mutex lock;
    std::vector<std::string> faults;
    auto work = [&] {
        for (;;) {
            const std::uint64_t begin = next.fetch_add(chunk);
            if (begin >= last) return;
            const std::uint64_t end = std::min<std::uint64_t>(last, begin + chunk);
            for (std::uint64_t at = begin; at < end; at += step) {
                const auto bits = static_cast<std::uint32_t>(at);
                std::string fault = check(bits);
                if (fault.empty()) continue;
                const std::lock_guard<std::mutex> guard(lock);
                if (faults.size() < 8) faults.push_back(std::move(fault));
            }
        }
    };
    const unsigned cores = std::max(1u, std::min(4u, std::thread::hardware_concurrency()));
    std::vector<std::thread> threads;
    for (unsigned i = 1; i < cores; ++i) threads.emplace_back(work);
    work();
    for (std::thread& t : threads) t.join();
    return faults;
}

std::string describe(std::uint32_t bits, const std::string& got, const std::string& want) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "%08X", bits);
    return std::string(hex) + ": " + got + " instead of " + want;
}

constexpr std::uint32_t kBitsOf2To40 = (127u - 40u) << 23;
constexpr std::uint32_t kBitsOfOne = 0x3F800000u;

// The line as a count of 10^-10 (10^10 for asterisks); -1 if malformed.
std::int64_t line_units(const char* line) {
    if (std::memcmp(line, "***********", 11) == 0) return 10000000000;
    if (line[0] != '.') return -1;
    std::int64_t units = 0;
    for (int i = 1; i <= 10; ++i) {
        if (line[i] < '0' || line[i] > '9') return -1;
        units = units * 10 + (line[i] - '0');
    }
    return units;
}

// Every float from 2^-40 to 1 against the exact digits; below 2^-40 (under
// 1e-12) every float shows as zero.
TEST(DataLine, EveryFloatInZeroToOne) {
    const ExactDecimals exact;
    auto faults = check_range(kBitsOf2To40, kBitsOfOne + 1, kStride, [&](std::uint32_t bits) {
        char line[11];
        render_sample_line(std::bit_cast<float>(bits), line);
        const auto want = static_cast<std::int64_t>(
            bits == kBitsOfOne ? 10000000000u : exact.units(bits));
        return line_units(line) == want
                   ? std::string()
                   : describe(bits, std::string(line, 11), units_line(static_cast<std::uint64_t>(want)));
    });
    const auto tiny = check_range(0, kBitsOf2To40, kStride, [](std::uint32_t bits) {
        char line[11];
        render_sample_line(std::bit_cast<float>(bits), line);
        return std::memcmp(line, ".0000000000", 11) == 0
                   ? std::string()
                   : describe(bits, std::string(line, 11), ".0000000000");
    });
    faults.insert(faults.end(), tiny.begin(), tiny.end());
    EXPECT_TRUE(faults.empty()) << faults.front();
}

// The arithmetic that settles values near a tie, on its whole domain.
TEST(DataLine, SeventeenDigitArithmetic) {
    const ExactDecimals exact;
    const auto faults = check_range(fast_fixed::kLowestExponent << 23, kBitsOfOne, kStride * 13,
                                    [&](std::uint32_t bits) {
        const std::uint64_t got = fast_fixed::units_by_17_digits(bits);
        const std::uint64_t want = exact.units(bits);
        return got == want ? std::string()
                           : describe(bits, std::to_string(got), std::to_string(want));
    });
    EXPECT_TRUE(faults.empty()) << faults.front();
}

// A dense sample against the general field writer itself.
TEST(DataLine, AgreesWithTheGeneralWriter) {
    const std::uint32_t step = testing::kSanitized ? 4001 : 61;
    auto check = [](std::uint32_t bits) {
        const auto value = std::bit_cast<float>(bits);
        const std::string got = fast_line(value);
        const std::string want = general_line(value);
        return got == want ? std::string() : describe(bits, got, want);
    };
    auto faults = check_range(kBitsOf2To40, kBitsOfOne + 1, step, check);
    const auto tiny = check_range(0, kBitsOf2To40, step * 64, check);
    faults.insert(faults.end(), tiny.begin(), tiny.end());
    EXPECT_TRUE(faults.empty()) << faults.front();
}

// The general field writer against the tests' own line rule
// (expected_data_line), on every 4099th float from 0 up to 1.0 inclusive.
TEST(DataLine, GeneralWriterAgreesWithAnIndependentFormula) {
    std::string line;
    for (std::uint32_t bits = 0; bits <= 0x3F800000u; bits += 4099) {
        const double value = std::bit_cast<float>(bits);
        line.clear();
        put_fixed(line, 11, 10, value, kDoubleDigits);
        ASSERT_EQ(line, testing::expected_data_line(value)) << bits;
    }
    line.clear();
    put_fixed(line, 11, 10, 1.0, kDoubleDigits);
    EXPECT_EQ(line, testing::expected_data_line(1.0));
}


// The records of `values` by `render`, between guard bytes that must stay.
template <class Render>
std::string records_between_guards(const std::vector<float>& values, Render render) {
    constexpr std::size_t kGuard = 32;
    std::string text(values.size() * kDataRecordBytes + 2 * kGuard, '#');
    char* const end = render(std::span<const float>(values), text.data() + kGuard);
    if (end != text.data() + kGuard + values.size() * kDataRecordBytes) return "wrong end";
    return text;
}

std::string plain_records(const std::vector<float>& values) {
    return records_between_guards(values, render_sample_records_plain);
}

// The vector path against the line renderer, on every float from 0 to 1
// inclusive, in blocks of 4 099 (so that its groups of sixteen start at every
// offset), with nothing written outside a block.
TEST(DataRecords, VectorPathOnEveryFloatInZeroToOne) {
    if (!fast_fixed::vector_records_available()) GTEST_SKIP() << "no vector path on this processor";
    constexpr std::uint32_t kBlock = 4099;
    const auto faults = check_range(0, kBitsOfOne + 1, kBlock * kStride, [](std::uint32_t first) {
        std::vector<float> values;
        for (std::uint32_t bits = first; bits < first + kBlock && bits <= kBitsOfOne; ++bits) {
            values.push_back(std::bit_cast<float>(bits));
        }
        const std::string got = records_between_guards(values, fast_fixed::render_sample_records_vector);
        const std::string want = plain_records(values);
        if (got == want) return std::string();
        const auto at = static_cast<std::size_t>(std::mismatch(got.begin(), got.end(), want.begin()).first - got.begin());
        return describe(first, got.substr(at, 13), want.substr(at, 13));
    });
    EXPECT_TRUE(faults.empty()) << faults.front();
}

// Values the vector path leaves to the line renderer, at every position of its
// groups and among spans of every length up to five groups: negative ones and
// negative zero, 1 and above, infinities and NaN, exact ties and values just
// below them, values rounded up to 1.
TEST(DataRecords, VectorPathLeavesTheSpecialValuesToTheLineRenderer) {
    if (!fast_fixed::vector_records_available()) GTEST_SKIP() << "no vector path on this processor";
    const float specials[] = {-0.0f, -1e-12f, -0.5f, 1.0f, 1.5f, 3e38f,
                              std::bit_cast<float>(0x7F800000u), std::bit_cast<float>(0xFF800000u),
                              std::bit_cast<float>(0x7FC00000u), std::bit_cast<float>(0xFFC00001u),
                              0x1p-11f, 3 * 0x1p-11f, std::bit_cast<float>(0x3F7FFFFFu),
                              std::nextafter(0x1p-11f, 0.0f), 1e-13f, 0.0f};
    std::uint32_t state = 12345;
    auto uniform = [&] {
        state = state * 1664525u + 1013904223u;
        return static_cast<float>(state >> 8) * 0x1p-24f;
    };
    for (std::size_t length = 0; length <= 80; ++length) {
        for (const float special : specials) {
            for (std::size_t at = 0; at < std::max<std::size_t>(length, 1); at += 3) {
                std::vector<float> values(length);
                for (float& v : values) v = uniform();
                if (at < length) values[at] = special;
                if (length > 40) values[length - 1 - at % 17] = special;
                ASSERT_EQ(records_between_guards(values, fast_fixed::render_sample_records_vector),
                          plain_records(values))
                    << "length " << length << ", " << special << " at " << at;
            }
        }
    }
}

}  // namespace
}  // namespace tamboril::records
