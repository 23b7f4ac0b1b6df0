#include "platform/durable_copy_linux.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rename_no_replace_linux.h"
#include "platform/unique_fd_linux.h"
#include "text/temporary_writer.h"

namespace qh {

namespace {

struct TemporaryFile {
    std::string name;
    UniqueFd fd;
};

constexpr std::string_view kTemporaryPrefix = ".qhcopy-";
constexpr std::string_view kTemporarySuffix = ".tmp";

// The temporary names this program is writing or holds for naming. Another list's job may be
// copying into the same folder while a sweep runs.
class LiveTemporaryNames {
public:
    void add(const std::string& name) {
        std::lock_guard lock(mutex_);
        names_.insert(name);
    }
    void remove(const std::string& name) {
        std::lock_guard lock(mutex_);
        names_.erase(name);
    }
    bool contains(const std::string& name) const {
        std::lock_guard lock(mutex_);
        return names_.contains(name);
    }

private:
    mutable std::mutex mutex_;
    std::set<std::string> names_;
};

LiveTemporaryNames& liveTemporaryNames() {
    static LiveTemporaryNames names;
    return names;
}

// Hidden, so a listing without hidden entries never shows a copy in progress; short enough
// that a long target name cannot push it over the name length limit.
std::optional<TemporaryFile> createTemporaryFile(int folder, int& error) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = std::string(kTemporaryPrefix) + thisWriter().stem() + "-" +
                           std::to_string(counter.fetch_add(1)) + std::string(kTemporarySuffix);
        liveTemporaryNames().add(name);
        // 0666 and the umask give the permissions of any new file.
        UniqueFd fd{::openat(folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666)};
        if (fd) {
            return TemporaryFile{std::move(name), std::move(fd)};
        }
        error = errno;
        liveTemporaryNames().remove(name);
        if (error != EEXIST) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

std::optional<FileFault> writeAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return targetFaultOf(errno);
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return std::nullopt;
}

std::optional<FileFault> copyByReadWrite(int in, int out, off_t position) {
    std::vector<char> buffer(1 << 20);
    while (true) {
        const ssize_t got = ::pread(in, buffer.data(), buffer.size(), position);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return sourceFaultOf(errno);
        }
        if (got == 0) {
            return std::nullopt;
        }
        if (const auto fault = writeAll(out, buffer.data(), static_cast<std::size_t>(got))) {
            return fault;
        }
        position += got;
    }
}

// copy_file_range lets the kernel (or the file system, by sharing blocks) move the data; where
// it cannot, read and write carry on from the same position. They also confirm the end, as
// some file systems report nothing copied before it, and tell which side an error came from.
std::optional<FileFault> copyData(int in, int out, off_t position) {
    constexpr std::size_t chunk = std::size_t{64} << 20;
    while (true) {
        const ssize_t copied = ::copy_file_range(in, &position, out, nullptr, chunk, 0);
        if (copied > 0) {
            continue;
        }
        if (copied < 0 && errno == EINTR) {
            continue;
        }
        if (copied < 0 &&
            (errno == ENOSPC || errno == EDQUOT || errno == EFBIG || errno == EROFS)) {
            return targetFaultOf(errno);
        }
        return copyByReadWrite(in, out, position);
    }
}

bool moveIntoPlace(int folder, const std::string& temporary, const std::string& name,
                   bool overwrite) {
    if (overwrite) {
        return ::renameat(folder, temporary.c_str(), folder, name.c_str()) == 0;
    }
    return renameNoReplace(folder, temporary.c_str(), folder, name.c_str());
}

std::vector<std::string_view> fieldsOf(std::string_view text) {
    std::vector<std::string_view> fields;
    while (true) {
        const std::size_t dash = text.find('-');
        fields.push_back(text.substr(0, dash));
        if (dash == std::string_view::npos) {
            return fields;
        }
        text.remove_prefix(dash + 1);
    }
}

std::optional<pid_t> pidOf(std::string_view text) {
    pid_t pid = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), pid);
    if (error != std::errc{} || pid <= 0 || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return pid;
}

// Whether a temporary copy of ours, from its name, can no longer be named by its writer. Names
// of the earlier form carry the process id alone.
bool abandoned(const std::string& name) {
    if (!name.starts_with(kTemporaryPrefix) || !name.ends_with(kTemporarySuffix)) {
        return false;
    }
    const auto fields = fieldsOf(std::string_view(name).substr(
        kTemporaryPrefix.size(), name.size() - kTemporaryPrefix.size() - kTemporarySuffix.size()));
    if (fields.size() == 2) {
        const auto pid = pidOf(fields[0]);
        return pid && !processRunning(*pid);
    }
    const auto writer = fields.size() == 4
                            ? writerOfStem(std::string(fields[0]) + "-" + std::string(fields[1]) +
                                           "-" + std::string(fields[2]))
                            : std::nullopt;
    if (!writer) {
        return false;
    }
    if (*writer == thisWriter()) {
        return !liveTemporaryNames().contains(name);
    }
    return writerGone(*writer);
}

// With syncData, data, time and all are on the disk before the file gets its name. On failure
// the temporary file goes, so nothing partial is left.
CopyResult syncAndName(int folder, UniqueFd file, const std::string& temporaryName,
                       const std::string& name, bool overwrite, bool syncData) {
    std::optional<FileFault> fault;
    if (syncData && ::fsync(file.get()) != 0) {
        fault = targetFaultOf(errno);
    } else if (!file.close()) {
        fault = targetFaultOf(errno);
    } else if (moveIntoPlace(folder, temporaryName, name, overwrite)) {
        liveTemporaryNames().remove(temporaryName);
        return CopyResult::copied();
    } else {
        const int error = errno;
        discardUnnamedCopy(folder, temporaryName);
        return error == EEXIST ? CopyResult::alreadyThere()
                               : CopyResult::failed(targetFaultOf(error));
    }
    discardUnnamedCopy(folder, temporaryName);
    return CopyResult::failed(*fault);
}

}  // namespace

FileFault targetFaultOf(int error) {
    switch (error) {
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return FileFault::DiskFull;
        case EROFS:
        case EACCES:
        case EPERM:
            return FileFault::WriteProtected;
        case ENOENT:
        case ENOTDIR:
            return FileFault::FolderMissing;
        case EIO:
            return FileFault::DiskError;
        case ENODEV:
        case ENXIO:
        case ENOTCONN:
        case ESHUTDOWN:
        case ESTALE:
            return FileFault::DiskGone;
        default:
            return FileFault::Other;
    }
}

FileFault sourceFaultOf(int error) {
    return error == ENOENT || error == ENOTDIR ? FileFault::SourceMissing
                                               : FileFault::SourceUnreadable;
}

void discardUnnamedCopy(int folder, const std::string& temporaryName) {
    ::unlinkat(folder, temporaryName.c_str(), 0);
    liveTemporaryNames().remove(temporaryName);
}

void sweepAbandonedCopies(int folder) {
    UniqueFd listing{::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    DIR* entries = listing ? ::fdopendir(listing.get()) : nullptr;
    if (entries == nullptr) {
        return;
    }
    listing.release();  // closedir closes it
    while (const dirent* entry = ::readdir(entries)) {
        if (abandoned(entry->d_name)) {
            ::unlinkat(folder, entry->d_name, 0);
        }
    }
    ::closedir(entries);
}

CopyWrite writeUnnamedCopy(const std::filesystem::path& source, const std::filesystem::path& target,
                           bool overwrite, std::int64_t sourceOffset) {
    const auto failed = [](FileFault fault) {
        return CopyWrite{std::nullopt, CopyResult::failed(fault)};
    };
    if (sourceOffset < 0 || !target.has_filename()) {
        return failed(FileFault::Other);
    }
    UniqueFd in{::open(source.c_str(), O_RDONLY | O_CLOEXEC)};
    if (!in) {
        return failed(sourceFaultOf(errno));
    }
    struct stat sourceStat {};
    if (::fstat(in.get(), &sourceStat) != 0) {
        return failed(sourceFaultOf(errno));
    }
    if (!S_ISREG(sourceStat.st_mode)) {
        return failed(FileFault::SourceMissing);
    }
    if (sourceOffset > sourceStat.st_size) {
        return failed(FileFault::SourceUnreadable);
    }
    // Read from start to end once: a larger read-ahead keeps the library's disk streaming.
    ::posix_fadvise(in.get(), 0, 0, POSIX_FADV_SEQUENTIAL);
    UniqueFd folder{::open(target.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (!folder) {
        return failed(targetFaultOf(errno));
    }
    std::string name = target.filename().native();
    struct stat existing {};
    // Checked early only to spare a needless copy; the rename is what guarantees it.
    if (!overwrite && ::fstatat(folder.get(), name.c_str(), &existing, AT_SYMLINK_NOFOLLOW) == 0) {
        return CopyWrite{std::nullopt, CopyResult::alreadyThere()};
    }
    int error = 0;
    auto temporary = createTemporaryFile(folder.get(), error);
    if (!temporary) {
        return failed(targetFaultOf(error));
    }
    if (const auto fault = copyData(in.get(), temporary->fd.get(), sourceOffset)) {
        temporary->fd.reset();
        discardUnnamedCopy(folder.get(), temporary->name);
        return failed(*fault);
    }
    // A volume that cannot keep the time still holds a whole copy, so that failure is let pass.
    const struct timespec times[2] = {{0, UTIME_OMIT}, sourceStat.st_mtim};
    ::futimens(temporary->fd.get(), times);
    return CopyWrite{UnnamedCopy{.folder = std::move(folder),
                                 .file = std::move(temporary->fd),
                                 .temporaryName = std::move(temporary->name),
                                 .name = std::move(name),
                                 .overwrite = overwrite,
                                 .bytes = sourceStat.st_size - sourceOffset},
                     CopyResult::copied()};
}

CopyResult nameCopy(UnnamedCopy& copy, bool syncData) {
    return syncAndName(copy.folder.get(), std::move(copy.file), copy.temporaryName, copy.name,
                       copy.overwrite, syncData);
}

CopyResult nameCopyWrittenEarlier(int folder, const std::string& temporaryName,
                                  const std::string& name, bool overwrite) {
    // Any descriptor of the file syncs its data, and reports a write-out error not yet reported.
    UniqueFd file{::openat(folder, temporaryName.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC)};
    if (!file) {
        // The folder is there, so a temporary file gone from it says nothing of the folder.
        const int error = errno;
        discardUnnamedCopy(folder, temporaryName);
        return CopyResult::failed(error == ENOENT ? FileFault::Other : targetFaultOf(error));
    }
    return syncAndName(folder, std::move(file), temporaryName, name, overwrite, /*syncData=*/true);
}

CopyResult copyFileDurably(const std::filesystem::path& source, const std::filesystem::path& target,
                           bool overwrite, std::int64_t sourceOffset, bool syncData) {
    auto write = writeUnnamedCopy(source, target, overwrite, sourceOffset);
    return write.copy ? nameCopy(*write.copy, syncData) : write.result;
}

}  // namespace qh
