// Whole writes to a file descriptor.
#pragma once

#include <sys/types.h>
#include <unistd.h>

#include <cstddef>
#include <string_view>

namespace tamboril::records {

// The system call that `write_all` makes; a test may give its own.
using WriteCall = ssize_t (*)(int, const void*, std::size_t);

// Writes all of `bytes` to `fd`, continuing after short writes and
// interruptions, and waiting on a descriptor that its opener left
// non-blocking until it takes more. Returns 0, or the errno of the write that
// failed; a write that makes no progress counts as EIO, so the loop always
// ends.
int write_all(int fd, std::string_view bytes, WriteCall call = ::write);

// After a read or write of `fd` failed with EAGAIN: when whoever started the
// program left `fd` non-blocking, waits until it is ready for `events`
// (POLLIN, POLLOUT) and returns true. A blocking descriptor that says EAGAIN
// has timed out (SO_RCVTIMEO, SO_SNDTIMEO): false, with errno EAGAIN.
bool wait_if_nonblocking(int fd, short events);

}  // namespace tamboril::records
