/* The least a full run can cost on this disk: 130 000 000 bytes of data-file
 * lines, prepared once in one 1 MiB buffer (which stays in the cache), written
 * in 1 MiB write calls into an existing file, cut first as the program cuts
 * its data file.
 *
 *   tamboril_floor FILE [BYTES]     FILE must exist; BYTES: 130000000
 *
 * Exit status 0, or 1 with one line on standard error. */
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

enum { kBufferBytes = 1 << 20, kLineBytes = 13 };

static int fail(const char* what, const char* file) {
    fprintf(stderr, "tamboril_floor: %s %s: %s\n", what, file, strerror(errno));
    return 1;
}

int main(int argc, char** argv) {
    static char buffer[kBufferBytes];
    const char* file;
    unsigned long long left = 130000000ull;
    int fd;
    size_t i;

    if (argc < 2 || argc > 3) {
        fprintf(stderr, "usage: tamboril_floor FILE [BYTES]\n");
        return 2;
    }
    file = argv[1];
    if (argc == 3) left = strtoull(argv[2], NULL, 10);

    /* Lines such as ".5523322225" and CR LF, different from one another. */
    for (i = 0; i + kLineBytes <= sizeof buffer; i += kLineBytes) {
        snprintf(buffer + i, kLineBytes, ".%010zu", (i / kLineBytes) * 7919u % 10000000000u);
        buffer[i + 11] = '\r';
        buffer[i + 12] = '\n';
    }
    memset(buffer + i, '\n', sizeof buffer - i);

    fd = open(file, O_WRONLY);
    if (fd < 0) return fail("cannot open", file);
    if (ftruncate(fd, 0) != 0) return fail("cannot cut", file);
    while (left > 0) {
        const size_t size = left < sizeof buffer ? (size_t)left : sizeof buffer;
        const ssize_t put = write(fd, buffer, size);
        if (put < 0) {
            if (errno == EINTR) continue;
            return fail("cannot write", file);
        }
        if (put == 0) {
            errno = EIO;
            return fail("cannot write", file);
        }
        left -= (unsigned long long)put;
    }
    if (close(fd) != 0) return fail("cannot close", file);
    return 0;
}
