// Whole writes to a file descriptor.
#pragma once

#include <string_view>

namespace tamboril::records {

// Writes all of `bytes` to `fd`, continuing after short writes and
// interruptions. Returns 0, or the errno of the write that failed; a write
// that makes no progress counts as EIO, so the loop always ends.
int write_all(int fd, std::string_view bytes);

}  // namespace tamboril::records
