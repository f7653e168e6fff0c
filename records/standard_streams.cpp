#include "records/standard_streams.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace tamboril::records {

int open_missing_standard_streams(const char* device) {
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (::fcntl(fd, F_GETFD) >= 0 || errno != EBADF) continue;
        int opened;
        do {
            opened = ::open(device, fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
        } while (opened < 0 && errno == EINTR);
        if (opened < 0) return errno;
        // The lowest free descriptor is this one, as those below it are open;
        // should it not be, move it there.
        if (opened != fd) {
            const int moved = ::dup2(opened, fd);
            const int error = errno;
            ::close(opened);
            if (moved < 0) return error;
        }
    }
    return 0;
}

}  // namespace tamboril::records
