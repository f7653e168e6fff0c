#include <cstdio>
#include <cstring>

#include "records/console.hpp"
#include "records/standard_streams.hpp"
#include "run/driver.hpp"

int main() {
    // Before anything else is opened: a closed standard stream is opened on
    // /dev/null, so that no file of the run takes its descriptor.
    if (const int error = tamboril::records::open_missing_standard_streams(); error != 0) {
        std::fprintf(stderr, "tamboril: a standard stream is closed and /dev/null cannot be "
                     "opened in its place: %s\n", std::strerror(error));
        return tamboril::run::kExitStreams;
    }
    auto console = tamboril::records::Console::standard();
    return tamboril::run::run_dialogue(console);
}
