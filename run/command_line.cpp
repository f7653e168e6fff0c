#include "run/command_line.hpp"

#include <string>

#include "records/fd_io.hpp"
#include "records/message_text.hpp"
#include "run/driver.hpp"
#include "tamboril/version.hpp"

namespace tamboril::run {

std::string_view usage() {
    return "usage: tamboril\n"
           "       tamboril --help | --version\n"
           "\n"
           "Asks on the console for a generator's name (URN01 to URN40, URNWN), the\n"
           "number N of values in each sequence and the number M of sequences, then\n"
           "writes the M x N values, one a line, to the data file ARCH + name in the\n"
           "current folder (ARCHURN01 for URN01) and prints the dialogue with the\n"
           "generator's starting state and its state after the first sequence. Every\n"
           "run starts from the same state. The answers may come from a pipe:\n"
           "\n"
           "    printf 'URN01\\n5\\n2\\n\\n' | tamboril\n"
           "\n"
           "  --help      this text\n"
           "  --version   the version\n"
           "\n"
           "Exit status: 0 the normal end, an unknown name or a generator that is\n"
           "not implemented; 1 the data file cannot be created, written or closed;\n"
           "2 an answer for N or M that is not an integer, input that ends early or\n"
           "cannot be read, or an argument; 3 the console cannot be written; 4 a\n"
           "closed standard stream cannot be opened on /dev/null.\n";
}

std::optional<int> answer_arguments(std::span<const std::string_view> args, int out, int err) {
    if (args.empty()) return std::nullopt;
    std::string text;
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        text = usage();
    } else if (args.size() == 1 && args[0] == "--version") {
        text = std::string("tamboril ") + TAMBORIL_VERSION + "\n";
    } else {
        const std::string line = "tamboril: the dialogue takes no arguments, not \"" + records::shown(args[0]) +
                                 "\" (see --help)\n";
        (void)records::write_all(err, line);
        return kExitInput;
    }
    return records::write_all(out, text) == 0 ? kExitNormal : kExitConsole;
}

}  // namespace tamboril::run
