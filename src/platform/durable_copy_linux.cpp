#include "platform/durable_copy_linux.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rename_no_replace_linux.h"
#include "platform/unique_fd_linux.h"

namespace qh {

namespace {

struct TemporaryFile {
    std::string name;
    UniqueFd fd;
};

constexpr std::string_view kTemporaryPrefix = ".qhcopy-";
constexpr std::string_view kTemporarySuffix = ".tmp";

// Hidden, so a listing without hidden entries never shows a copy in progress; short, so a long
// target name cannot push it over the name length limit. The name carries the process id, so a
// copy left behind can be told from one still being written.
std::optional<TemporaryFile> createTemporaryFile(int folder) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = std::string(kTemporaryPrefix) + std::to_string(::getpid()) + "-" +
                           std::to_string(counter.fetch_add(1)) + std::string(kTemporarySuffix);
        // 0666 and the umask give the permissions of any new file.
        UniqueFd fd{::openat(folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666)};
        if (fd) {
            return TemporaryFile{std::move(name), std::move(fd)};
        }
        if (errno != EEXIST) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

bool writeAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

bool copyByReadWrite(int in, int out, off_t position) {
    std::vector<char> buffer(1 << 20);
    while (true) {
        const ssize_t got = ::pread(in, buffer.data(), buffer.size(), position);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        if (got == 0) {
            return true;
        }
        if (!writeAll(out, buffer.data(), static_cast<std::size_t>(got))) {
            return false;
        }
        position += got;
    }
}

// copy_file_range lets the kernel (or the file system, by sharing blocks) move the data; where
// it cannot, read and write carry on from the same position. They also confirm the end, as
// some file systems report nothing copied before it.
bool copyData(int in, int out, off_t position) {
    constexpr std::size_t chunk = std::size_t{64} << 20;
    while (true) {
        const ssize_t copied = ::copy_file_range(in, &position, out, nullptr, chunk, 0);
        if (copied > 0) {
            continue;
        }
        if (copied < 0 && errno == EINTR) {
            continue;
        }
        const bool fallBack = copied == 0 || errno == EXDEV || errno == ENOSYS || errno == EINVAL ||
                              errno == EOPNOTSUPP;
        return fallBack && copyByReadWrite(in, out, position);
    }
}

bool moveIntoPlace(int folder, const std::string& temporary, const std::string& name,
                   bool overwrite) {
    if (overwrite) {
        return ::renameat(folder, temporary.c_str(), folder, name.c_str()) == 0;
    }
    return renameNoReplace(folder, temporary.c_str(), folder, name.c_str());
}

// The process that wrote a temporary copy of ours, from its name.
std::optional<pid_t> writerOf(std::string_view name) {
    if (!name.starts_with(kTemporaryPrefix) || !name.ends_with(kTemporarySuffix)) {
        return std::nullopt;
    }
    const std::string_view middle = name.substr(
        kTemporaryPrefix.size(), name.size() - kTemporaryPrefix.size() - kTemporarySuffix.size());
    pid_t pid = 0;
    const auto [end, error] = std::from_chars(middle.data(), middle.data() + middle.size(), pid);
    if (error != std::errc{} || pid <= 0 || end == middle.data() + middle.size() || *end != '-') {
        return std::nullopt;
    }
    return pid;
}

// With syncData, data, time and all are on the disk before the file gets its name. On failure
// the temporary file goes, so nothing partial is left.
bool syncAndName(int folder, UniqueFd file, const std::string& temporaryName,
                 const std::string& name, bool overwrite, bool syncData) {
    const bool whole = file && (!syncData || ::fsync(file.get()) == 0) && file.close();
    if (whole && moveIntoPlace(folder, temporaryName, name, overwrite)) {
        return true;
    }
    ::unlinkat(folder, temporaryName.c_str(), 0);
    return false;
}

}  // namespace

void removeAbandonedCopies(int folder) {
    UniqueFd listing{::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    DIR* entries = listing ? ::fdopendir(listing.get()) : nullptr;
    if (entries == nullptr) {
        return;
    }
    listing.release();  // closedir closes it
    while (const dirent* entry = ::readdir(entries)) {
        const auto writer = writerOf(entry->d_name);
        // A live writer, this program's other lists' jobs among them, may still name its copy.
        if (writer && ::kill(*writer, 0) != 0 && errno == ESRCH) {
            ::unlinkat(folder, entry->d_name, 0);
        }
    }
    ::closedir(entries);
}

std::optional<UnnamedCopy> writeUnnamedCopy(const std::filesystem::path& source,
                                            const std::filesystem::path& target, bool overwrite,
                                            std::int64_t sourceOffset) {
    if (sourceOffset < 0 || !target.has_filename()) {
        return std::nullopt;
    }
    UniqueFd in{::open(source.c_str(), O_RDONLY | O_CLOEXEC)};
    struct stat sourceStat {};
    if (!in || ::fstat(in.get(), &sourceStat) != 0 || !S_ISREG(sourceStat.st_mode) ||
        sourceOffset > sourceStat.st_size) {
        return std::nullopt;
    }
    // Read from start to end once: a larger read-ahead keeps the library's disk streaming.
    ::posix_fadvise(in.get(), 0, 0, POSIX_FADV_SEQUENTIAL);
    UniqueFd folder{::open(target.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (!folder) {
        return std::nullopt;
    }
    std::string name = target.filename().native();
    struct stat existing {};
    // Checked early only to spare a needless copy; the rename is what guarantees it.
    if (!overwrite && ::fstatat(folder.get(), name.c_str(), &existing, AT_SYMLINK_NOFOLLOW) == 0) {
        return std::nullopt;
    }
    auto temporary = createTemporaryFile(folder.get());
    if (!temporary) {
        return std::nullopt;
    }
    if (!copyData(in.get(), temporary->fd.get(), sourceOffset)) {
        ::unlinkat(folder.get(), temporary->name.c_str(), 0);
        return std::nullopt;
    }
    // A volume that cannot keep the time still holds a whole copy, so that failure is let pass.
    const struct timespec times[2] = {{0, UTIME_OMIT}, sourceStat.st_mtim};
    ::futimens(temporary->fd.get(), times);
    return UnnamedCopy{.folder = std::move(folder),
                       .file = std::move(temporary->fd),
                       .temporaryName = std::move(temporary->name),
                       .name = std::move(name),
                       .overwrite = overwrite,
                       .bytes = sourceStat.st_size - sourceOffset};
}

bool nameCopy(UnnamedCopy& copy, bool syncData) {
    return syncAndName(copy.folder.get(), std::move(copy.file), copy.temporaryName, copy.name,
                       copy.overwrite, syncData);
}

bool nameCopyWrittenEarlier(int folder, const std::string& temporaryName, const std::string& name,
                            bool overwrite) {
    // Any descriptor of the file syncs its data, and reports a write-out error not yet reported.
    UniqueFd file{::openat(folder, temporaryName.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC)};
    return syncAndName(folder, std::move(file), temporaryName, name, overwrite, /*syncData=*/true);
}

bool copyFileDurably(const std::filesystem::path& source, const std::filesystem::path& target,
                     bool overwrite, std::int64_t sourceOffset, bool syncData) {
    auto copy = writeUnnamedCopy(source, target, overwrite, sourceOffset);
    return copy && nameCopy(*copy, syncData);
}

}  // namespace qh
