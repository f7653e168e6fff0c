#include "records/fd_io.hpp"

#include <fcntl.h>
#include <poll.h>

#include <cerrno>

namespace tamboril::records {

int write_all(int fd, std::string_view bytes, WriteCall call) {
    while (!bytes.empty()) {
        const ssize_t put = call(fd, bytes.data(), bytes.size());
        if (put < 0) {
            if (errno == EINTR) continue;
            if ((errno == EAGAIN || errno == EWOULDBLOCK) && wait_if_nonblocking(fd, POLLOUT)) continue;
            return errno;
        }
        if (put == 0) return EIO;
        bytes.remove_prefix(static_cast<std::size_t>(put));
    }
    return 0;
}

bool wait_if_nonblocking(int fd, short events) {
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || (flags & O_NONBLOCK) == 0) {
        errno = EAGAIN;
        return false;
    }
    pollfd ready{fd, events, 0};
    return ::poll(&ready, 1, -1) >= 0 || errno == EINTR;
}

}  // namespace tamboril::records
