// Runs the program under a pseudo-terminal, typing answers as a person would.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tamboril::testing {

class TerminalRun {
public:
    // Starts the program in `dir` on a new pseudo-terminal (canonical input
    // with echo; output shown as written).
    explicit TerminalRun(const std::filesystem::path& dir);
    ~TerminalRun();
    TerminalRun(const TerminalRun&) = delete;
    TerminalRun& operator=(const TerminalRun&) = delete;

    // Waits until the output shows `text` (after what earlier waits saw);
    // false on timeout or end of output.
    bool wait_for(std::string_view text,
                  std::chrono::milliseconds timeout = std::chrono::seconds(20));
    // Types `keys` at the terminal.
    void type(std::string_view keys);
    // Reads to the end of the output and returns the exit status (-1 if none).
    int finish(std::chrono::milliseconds timeout = std::chrono::seconds(20));

    const std::string& raw() const { return raw_; }
    // The screen as lines: CR returns to the line start, LF moves down.
    std::vector<std::string> screen() const;

private:
    bool read_some(int timeout_ms);

    pid_t pid_ = -1;
    int fd_ = -1;
    std::string raw_;
    std::size_t seen_ = 0;
    bool ended_ = false;
};

}  // namespace tamboril::testing
