#include "records/fd_io.hpp"

#include <fcntl.h>
#include <poll.h>

#include <cerrno>

namespace tamboril::records {

namespace {

// After EAGAIN: true once a non-blocking `fd` can take more bytes. A blocking
// descriptor that says EAGAIN has timed out (SO_SNDTIMEO), which is a failure.
bool wait_until_writable(int fd) {
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || (flags & O_NONBLOCK) == 0) return false;
    pollfd ready{fd, POLLOUT, 0};
    return ::poll(&ready, 1, -1) >= 0 || errno == EINTR;
}

}  // namespace

int write_all(int fd, std::string_view bytes, WriteCall call) {
    while (!bytes.empty()) {
        const ssize_t put = call(fd, bytes.data(), bytes.size());
        if (put < 0) {
            if (errno == EINTR) continue;
            if ((errno == EAGAIN || errno == EWOULDBLOCK) && wait_until_writable(fd)) continue;
            return errno;
        }
        if (put == 0) return EIO;
        bytes.remove_prefix(static_cast<std::size_t>(put));
    }
    return 0;
}

}  // namespace tamboril::records
