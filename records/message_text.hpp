// Typed text as it may stand in a one-line message on standard error.
#pragma once

#include <string>
#include <string_view>

namespace tamboril::records {

// `text` with its control characters (a newline, a terminal's escape among
// them) shown as '?', so that a message stays one plain line.
std::string shown(std::string_view text);

// An answer as a message quotes it: in double quotes, at most its first 80
// characters, saying so when there were more, its control characters (a NUL
// byte among them) shown as '?'.
std::string quoted_answer(std::string_view text);

}  // namespace tamboril::records
