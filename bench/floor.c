/* The least a full run can cost in a folder: 130 000 000 bytes of data-file
 * lines, prepared once (they stay in the cache), stored with the same system
 * calls as the program's data-file writer makes:
 *
 *   open(FILE, O_WRONLY | O_CREAT | O_CLOEXEC, 0666), fstat, ftruncate(0);
 *   one write per batch of 80659 records of 13 bytes (1 048 567 bytes, the
 *   last batch shorter); after each write that brings the bytes not yet
 *   handed to the disk to 16 MiB or more, sync_file_range(SYNC_FILE_RANGE_WRITE)
 *   over them (on a regular file); close.
 *
 *   tamboril_floor FILE [BYTES]     BYTES: 130000000
 *
 * Exit status 0; 1 with one line on standard error when a call fails; 2 for
 * wrong arguments. */
#define _GNU_SOURCE
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

enum {
    kLineBytes = 13,
    kBatchRecords = (1 << 20) / kLineBytes, /* as the writer's batches */
    kBatchBytes = kBatchRecords * kLineBytes
};
static const unsigned long long kWriteBackBytes = 16ull << 20;

static int fail(const char* what, const char* file) {
    fprintf(stderr, "tamboril_floor: %s %s: %s\n", what, file, strerror(errno));
    return 1;
}

int main(int argc, char** argv) {
    static char buffer[kBatchBytes];
    const char* file;
    unsigned long long left = 130000000ull, written = 0, sent = 0;
    struct stat info;
    int fd, regular, result;
    size_t i;

    if (argc < 2 || argc > 3) {
        fprintf(stderr, "usage: tamboril_floor FILE [BYTES]\n");
        return 2;
    }
    file = argv[1];
    if (argc == 3) left = strtoull(argv[2], NULL, 10);

    /* Lines such as ".5523322225" and CR LF, different from one another. */
    for (i = 0; i < kBatchRecords; ++i) {
        char* line = buffer + i * kLineBytes;
        snprintf(line, kLineBytes, ".%010zu", i * 7919u % 10000000000u);
        line[11] = '\r';
        line[12] = '\n';
    }

    do {
        fd = open(file, O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return fail("cannot open", file);
    if (fstat(fd, &info) != 0) return fail("cannot examine", file);
    regular = S_ISREG(info.st_mode);
    if (regular) {
        do {
            result = ftruncate(fd, 0);
        } while (result != 0 && errno == EINTR);
        if (result != 0) return fail("cannot cut", file);
    }
    while (left > 0) {
        const size_t size = left < sizeof buffer ? (size_t)left : sizeof buffer;
        size_t done = 0;
        while (done < size) {
            const ssize_t put = write(fd, buffer + done, size - done);
            if (put < 0) {
                if (errno == EINTR) continue;
                return fail("cannot write", file);
            }
            if (put == 0) {
                errno = EIO;
                return fail("cannot write", file);
            }
            done += (size_t)put;
        }
        left -= size;
        written += size;
        if (regular && written - sent >= kWriteBackBytes) {
            (void)sync_file_range(fd, (off_t)sent, (off_t)(written - sent), SYNC_FILE_RANGE_WRITE);
            sent = written;
        }
    }
    if (close(fd) != 0) return fail("cannot close", file);
    return 0;
}
