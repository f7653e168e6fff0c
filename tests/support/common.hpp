// What many tests share: temporary folders that go away with the test, the
// sanitizer switch, and the console texts and data-file lines that the tests
// expect, written from the system's templates and computed independently of
// the program's renderer.
#pragma once

#include <bit>
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "tests/reference/urn20.hpp"

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define TAMBORIL_TEST_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(undefined_behavior_sanitizer) || \
    __has_feature(thread_sanitizer)
#define TAMBORIL_TEST_SANITIZED 1
#endif
#endif
#ifndef TAMBORIL_TEST_SANITIZED
#define TAMBORIL_TEST_SANITIZED 0
#endif

namespace tamboril::testing {

// Whether the build runs under AddressSanitizer, UndefinedBehaviorSanitizer
// or ThreadSanitizer; the walks over every float or every count then take a
// sample.
inline constexpr bool kSanitized = TAMBORIL_TEST_SANITIZED != 0;

// The bit pattern of a single-precision value, for exact comparisons, and
// those of several values.
inline std::uint32_t bits(float value) { return std::bit_cast<std::uint32_t>(value); }
std::vector<std::uint32_t> bits(std::span<const float> values);

// A fresh empty folder under the system's temporary directory, removed with
// all it holds when the object goes out of scope. It is the folder's path.
// It can be neither copied nor moved: a fixture holds one as a member, and
// `fs::path p = make_temp_dir();` would take the path of a folder already
// removed.
class TempDir : public std::filesystem::path {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
};

// A TempDir for `const auto dir = make_temp_dir();`.
inline TempDir make_temp_dir() { return {}; }

// Text as a C string literal would write it, for the messages of failed
// checks: "URN10\n\x1B[2J".
std::string as_literal(std::string_view text);

std::string read_file(const std::filesystem::path& path);

// Each line followed by CR LF.
std::string crlf(std::initializer_list<std::string_view> lines);

// An integer as the field I11 shows it.
std::string i11(std::int32_t n);

// The data-file line of a value, computed independently of the program's
// renderer: 17 significant digits from printf, then half up at the tenth
// decimal; 1.0 and above, and negative values that do not round to zero,
// give asterisks.
std::string expected_data_line(double value);

// The data file of the given samples: one line each, CR LF after every line.
std::string expected_data_file(const std::vector<float>& samples);

// The first `count` records of URN10's data file: from IX = 1, each state is
// the previous one times 125 modulo 8192, and the sample is the state over
// 8192, exactly.
std::string urn10_records(int count);

// URN20's stream from the start of a run, one value at a time, by its plain
// formulation (tests/reference/urn20.hpp): X times 2027812808 rounded to
// double, reduced modulo 2^31 - 1; the sample X over 2^31 - 1.
class Urn20Stream {
public:
    // The data-file record of the next value, CR LF included.
    std::string next_record();
    // The line URN20 prints after every sequence, "(1X,'IX=',I20)", for the
    // state after the values taken so far.
    std::string ix_line() const;

private:
    reference::Run<reference::Urn20> run_;
};

// The first `count` records of URN20's data file.
std::string urn20_records(std::size_t count);

// The whole console text of a run of URN20 with N = 1, M sequences and a
// blank pause answer: its state after the first sequence, the heading, its
// state after every sequence.
std::string urn20_one_value_transcript(std::size_t m);

// A line of the program on standard error.
std::string error_line(std::string_view message);

// The report headings as their templates show them: the line with N, CR LF,
// and the closing line without a line end.
// "(1X,'LA INICIALIZACION PARA EL PROXIMO NUMERO ALEATORIO',' (SIGUIENTE A LOS',I11,/,1X,'YA GENERADOS) ES:')"
// and URN02's "(1X,'... ALEATORIO ','(SIGUIENTE A LOS',I11,/,1X,'YA GENERADOS) ES:')",
// which shows the same text.
std::string parenthesised_heading(std::int32_t n);
// "(1X,'LA INICIALIZACION PARA EL PROXIMO NUMERO ALEATORIO',' SIGUIENTE A LOS',I11,/,1X,'YA GENERADOS) ES:')"
std::string colon_heading(std::int32_t n);
// "(1X,'LA INICIALIZACION PARA EL PROXIMO NUMERO ALEATORIO',' SIGUIENTE A LOS',I11,/,1X,'YA GENERADOS) ES')"
std::string plain_heading(std::int32_t n);

// The five banner lines as shown (without the carriage-control blank).
extern const std::vector<std::string> kBanner;

// Expected console text of a run whose answers are piped.
// The name prompt, the echo of the name (its 5 characters) and the banner.
std::string dialogue_opening(std::string_view name5);
// Everything up to the answer for M, for a known name (its 5 characters).
std::string dialogue_head(std::string_view name5);
// Everything of a run with a name that is not in the table.
std::string unknown_name_transcript(std::string_view name5);
// The normal ending: two empty lines, the closing message, the pause.
std::string normal_tail(std::string_view name5);
// The not-implemented ending: message, pause, stop.
std::string not_implemented_tail(std::string_view name5);

}  // namespace tamboril::testing
