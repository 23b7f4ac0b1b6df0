#include "platform/verify_copy_linux.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "platform/durable_copy_linux.h"
#include "platform/unique_fd_linux.h"

namespace qh {

namespace {

constexpr std::int64_t kSampleBytes = 64 * 1024;
constexpr std::int64_t kWholeChunkBytes = 1 << 20;

// Reads exactly `count` bytes at `offset`; false on an error or an early end.
bool readExactly(int fd, char* buffer, std::int64_t count, std::int64_t offset, int& error) {
    while (count > 0) {
        const ssize_t got = ::pread(fd, buffer, static_cast<std::size_t>(count), offset);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            error = got < 0 ? errno : 0;
            return false;
        }
        buffer += got;
        count -= got;
        offset += got;
    }
    return true;
}

struct Range {
    std::int64_t offset;
    std::int64_t length;
};

std::vector<Range> rangesToCompare(std::int64_t size, CopyCheck check) {
    std::vector<Range> ranges;
    if (check == CopyCheck::Whole || size <= 3 * kSampleBytes) {
        for (std::int64_t at = 0; at < size; at += kWholeChunkBytes) {
            ranges.push_back({at, std::min(kWholeChunkBytes, size - at)});
        }
        return ranges;
    }
    const std::int64_t middle = (size / 2) / kSampleBytes * kSampleBytes;
    return {{0, kSampleBytes}, {middle, kSampleBytes}, {size - kSampleBytes, kSampleBytes}};
}

}  // namespace

FileStatus verifyCopyOnDisk(const std::filesystem::path& source, std::int64_t sourceOffset,
                            const std::filesystem::path& copy, CopyCheck check) {
    const UniqueFd in{::open(source.c_str(), O_RDONLY | O_CLOEXEC)};
    if (!in) {
        return FileStatus::failed(sourceFaultOf(errno));
    }
    const UniqueFd out{::open(copy.c_str(), O_RDONLY | O_CLOEXEC)};
    if (!out) {
        return FileStatus::failed(errno == ENOENT ? FileFault::VerifyFailed : targetFaultOf(errno));
    }
    struct stat sourceStat {};
    struct stat copyStat {};
    if (::fstat(in.get(), &sourceStat) != 0 || ::fstat(out.get(), &copyStat) != 0) {
        return FileStatus::failed(FileFault::Other);
    }
    const std::int64_t size = copyStat.st_size;
    if (sourceStat.st_size - sourceOffset != size) {
        return FileStatus::failed(FileFault::VerifyFailed);
    }
    // Synced pages are clean, so they go and the reads below reach the disk.
    ::posix_fadvise(out.get(), 0, 0, POSIX_FADV_DONTNEED);
    std::vector<char> expected(static_cast<std::size_t>(std::min(size, kWholeChunkBytes)));
    std::vector<char> found(expected.size());
    for (const Range& range : rangesToCompare(size, check)) {
        int error = 0;
        if (!readExactly(in.get(), expected.data(), range.length, sourceOffset + range.offset,
                         error)) {
            return FileStatus::failed(error == 0 ? FileFault::SourceUnreadable
                                                 : sourceFaultOf(error));
        }
        if (!readExactly(out.get(), found.data(), range.length, range.offset, error)) {
            return FileStatus::failed(error == 0 ? FileFault::VerifyFailed : targetFaultOf(error));
        }
        if (std::memcmp(expected.data(), found.data(), static_cast<std::size_t>(range.length)) !=
            0) {
            return FileStatus::failed(FileFault::VerifyFailed);
        }
    }
    return FileStatus::ok();
}

}  // namespace qh
