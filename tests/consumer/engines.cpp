// The installed library's engines, as a program outside the tree uses them:
// for every core, the engine is a uniform random bit generator that drives
// the standard distributions; seeds, skipping ahead and saved states work.
// Prints "engines 26 ok", or the first property that fails (status 1).
#include <tamboril/generators.hpp>
#include <tamboril/version.hpp>

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace g = tamboril::generators;

static_assert(TAMBORIL_VERSION_MAJOR >= 1 && TAMBORIL_VERSION_MINOR >= 0 && TAMBORIL_VERSION_PATCH >= 0);

template <class Core>
std::string check(const char* name) {
    using Engine = tamboril::Engine<Core>;
    static_assert(std::uniform_random_bit_generator<Engine>);
    Engine engine;
    std::uniform_int_distribution<int> die(1, 6);
    for (int i = 0; i < 100; ++i) {
        const int face = die(engine);
        if (face < 1 || face > 6) return "a die shows " + std::to_string(face);
    }
    std::vector<int> deck(20);
    std::iota(deck.begin(), deck.end(), 0);
    std::shuffle(deck.begin(), deck.end(), engine);
    if (!std::is_permutation(deck.begin(), deck.end(), std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19}.begin())) {
        return "shuffle lost a card";
    }
    std::normal_distribution<double> normal;
    (void)normal(engine);

    Core seeded;
    seeded.seed(Core::seed_range.start);
    if (!(seeded == Core::start())) return "seed(start) is not start()";
    try {
        seeded.seed(Core::seed_range.high + 1);
        return "a seed above the range was taken";
    } catch (const std::invalid_argument&) {
    }

    Engine stepped, skipped;
    for (int i = 0; i < 12345; ++i) stepped();
    skipped.discard(12345);
    if (!(stepped == skipped)) return "discard(12345) is not 12345 values";

    std::stringstream text;
    text << stepped;
    Engine read;
    if (!(text >> read) || !(read == stepped)) return "the saved state does not read back";
    std::istringstream bad("not a state");
    if (bad >> read) return "malformed text was read";

    auto generator = tamboril::make_generator(name, Core::seed_range.low);
    const std::string saved = generator->save();
    try {
        generator->restore("URN00 1");
        return "a bad saved state was restored";
    } catch (const std::invalid_argument&) {
    }
    if (generator->save() != saved) return "a refused state changed the generator";
    return "";
}

#define CHECK(NN)                                                  \
    if (const auto why = check<g::Urn##NN##Core>("URN" #NN); !why.empty()) { \
        std::printf("URN%s: %s\n", #NN, why.c_str());              \
        return 1;                                                  \
    }                                                              \
    ++checked;

int main() {
    int checked = 0;
    CHECK(01) CHECK(02) CHECK(03) CHECK(05) CHECK(06) CHECK(08) CHECK(09) CHECK(10) CHECK(11) CHECK(12)
    CHECK(13) CHECK(14) CHECK(20) CHECK(21) CHECK(22) CHECK(28) CHECK(30) CHECK(31) CHECK(32) CHECK(33)
    CHECK(34) CHECK(35) CHECK(36) CHECK(37) CHECK(38) CHECK(39)
    std::printf("engines %d ok\n", checked);
}
