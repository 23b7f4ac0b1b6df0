#include "platform/verify_copy_linux.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/durable_copy_linux.h"
#include "platform/unique_fd_linux.h"

namespace qh {

namespace {

constexpr std::int64_t kSampleBytes = 64 * 1024;
constexpr std::int64_t kWholeChunkBytes = 1 << 20;
// Direct reads go by whole blocks of the device; no device has larger ones.
constexpr std::int64_t kDirectAlignment = 4096;

std::int64_t roundUp(std::int64_t bytes) {
    return (bytes + kDirectAlignment - 1) / kDirectAlignment * kDirectAlignment;
}

struct Range {
    std::int64_t offset;  // a multiple of kDirectAlignment
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
    const std::int64_t middle = (size / 2) / kDirectAlignment * kDirectAlignment;
    const std::int64_t last = (size - kSampleBytes) / kDirectAlignment * kDirectAlignment;
    return {{0, kSampleBytes}, {middle, kSampleBytes}, {last, size - last}};
}

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

// A direct read asks for whole blocks; the last one of the file comes back short.
bool readDirect(int fd, char* buffer, std::int64_t count, std::int64_t offset, int& error) {
    while (true) {
        const ssize_t got = ::pread(fd, buffer, static_cast<std::size_t>(roundUp(count)), offset);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        error = got < 0 ? errno : 0;
        return got >= count;
    }
}

struct FreeAligned {
    void operator()(char* memory) const { std::free(memory); }
};

}  // namespace

FileStatus verifyCopyOnDisk(const std::filesystem::path& source, std::int64_t sourceOffset,
                            const std::filesystem::path& copy, CopyCheck check) {
    const UniqueFd in{::open(source.c_str(), O_RDONLY | O_CLOEXEC)};
    if (!in) {
        return FileStatus::failed(sourceFaultOf(errno));
    }
    // A direct read passes by what the computer keeps of the copy and asks the disk itself.
    // Where the file system cannot read directly, the copy's pages are let go first; synced
    // pages are clean, so they go.
    UniqueFd out{::open(copy.c_str(), O_RDONLY | O_DIRECT | O_CLOEXEC)};
    const bool direct = static_cast<bool>(out);
    if (!out && errno == EINVAL) {
        out = UniqueFd{::open(copy.c_str(), O_RDONLY | O_CLOEXEC)};
        if (out) {
            ::posix_fadvise(out.get(), 0, 0, POSIX_FADV_DONTNEED);
        }
    }
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
    const std::int64_t bufferBytes = roundUp(std::min(size, kWholeChunkBytes)) + kDirectAlignment;
    std::vector<char> expected(static_cast<std::size_t>(bufferBytes));
    const std::unique_ptr<char, FreeAligned> found(static_cast<char*>(
        std::aligned_alloc(kDirectAlignment, static_cast<std::size_t>(bufferBytes))));
    if (!found) {
        return FileStatus::failed(FileFault::Other);
    }
    for (const Range& range : rangesToCompare(size, check)) {
        int error = 0;
        if (!readExactly(in.get(), expected.data(), range.length, sourceOffset + range.offset,
                         error)) {
            return FileStatus::failed(error == 0 ? FileFault::SourceUnreadable
                                                 : sourceFaultOf(error));
        }
        const bool read =
            direct ? readDirect(out.get(), found.get(), range.length, range.offset, error)
                   : readExactly(out.get(), found.get(), range.length, range.offset, error);
        if (!read) {
            return FileStatus::failed(error == 0 ? FileFault::VerifyFailed : targetFaultOf(error));
        }
        if (std::memcmp(expected.data(), found.get(), static_cast<std::size_t>(range.length)) !=
            0) {
            return FileStatus::failed(FileFault::VerifyFailed);
        }
    }
    return FileStatus::ok();
}

}  // namespace qh
