#include "text/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <string>

#include "text/temporary_writer.h"

namespace qh {
namespace {

constexpr int kTemporaryNameAttempts = 100;
// As many links as Linux itself follows before it gives up with ELOOP.
constexpr int kMostLinksFollowed = 40;
// Keeps "." + name + suffix within the 255 bytes a Linux file name may have.
constexpr std::size_t kMaxNameBytesInTemporary = 200;

bool writeAll(int fd, std::string_view content) {
    while (!content.empty()) {
        const ssize_t written = ::write(fd, content.data(), content.size());
        if (written < 0 && errno != EINTR) {
            return false;
        }
        if (written > 0) {
            content.remove_prefix(static_cast<std::size_t>(written));
        }
    }
    return true;
}

constexpr std::string_view kSaveMarker = ".qhsave-";
constexpr std::string_view kTemporarySuffix = ".tmp";

// Hidden and named after its target, so a file left by a crash shows whose it was, and after its
// writer, so the next start can tell it was left; the count keeps one writer's saves apart.
std::filesystem::path temporaryPathFor(const std::filesystem::path& file) {
    static std::atomic<unsigned> counter{0};
    std::string name = "." + file.filename().string().substr(0, kMaxNameBytesInTemporary) +
                       std::string(kSaveMarker) + thisWriter().stem() + "-" +
                       std::to_string(counter.fetch_add(1)) + std::string(kTemporarySuffix);
    return file.parent_path() / name;
}

// The earlier form, "." + name + "." + up to 16 hex digits + ".tmp", tells no writer.
bool isEarlierSaveName(std::string_view name) {
    if (!name.starts_with('.') || !name.ends_with(kTemporarySuffix)) {
        return false;
    }
    name.remove_suffix(kTemporarySuffix.size());
    const std::size_t dot = name.rfind('.');
    const std::string_view digits = name.substr(dot + 1);
    return dot > 1 && !digits.empty() && digits.size() <= 16 &&
           digits.find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

// A save's temporary file whose writer can no longer rename it.
bool abandonedSave(const std::filesystem::path& entry) {
    const std::string name = entry.filename().string();
    const std::size_t marker = name.rfind(kSaveMarker);
    if (name.starts_with('.') && name.ends_with(kTemporarySuffix) && marker != std::string::npos) {
        std::string_view stem = std::string_view(name).substr(marker + kSaveMarker.size());
        stem.remove_suffix(kTemporarySuffix.size());
        stem = stem.substr(0, stem.rfind('-'));  // the count
        const auto writer = writerOfStem(stem);
        return writer && writerGone(*writer);
    }
    // Saves take milliseconds: one of the earlier form a day old was left by its writer.
    std::error_code error;
    const auto modified = std::filesystem::last_write_time(entry, error);
    return isEarlierSaveName(name) && !error &&
           std::filesystem::file_time_type::clock::now() - modified > std::chrono::hours(24);
}

int createTemporaryFor(const std::filesystem::path& file, std::filesystem::path& temporary) {
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        temporary = temporaryPathFor(file);
        // 0666 lets the umask decide, as for any new file of the program.
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

// A rewritten file keeps the permissions the shop gave it.
void takeOverModeOf(const std::filesystem::path& file, int fd) {
    struct stat status {};
    if (::stat(file.c_str(), &status) == 0 && S_ISREG(status.st_mode)) {
        ::fchmod(fd, status.st_mode & 07777);
    }
}

// Makes the rename itself durable.
bool syncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    // EINVAL: the file system cannot sync a folder; the rename is as durable as it gets there.
    const bool synced = ::fsync(fd) == 0 || errno == EINVAL;
    ::close(fd);
    return synced;
}

// A data file the shop made a symbolic link (to a list kept on another disk) stays one: the new
// content replaces the file the link points to, and the link is left as it is. Empty for a loop.
std::optional<std::filesystem::path> throughLinks(const std::filesystem::path& file) {
    std::filesystem::path at = file;
    for (int hop = 0; hop < kMostLinksFollowed; ++hop) {
        std::error_code error;
        if (!std::filesystem::is_symlink(at, error)) {
            return at;
        }
        const auto target = std::filesystem::read_symlink(at, error);
        if (error) {
            return std::nullopt;
        }
        at = target.is_absolute() ? target : at.parent_path() / target;
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> readWholeFile(const std::filesystem::path& file) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    std::optional<std::string> content;
    struct stat status {};
    if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode)) {
        content.emplace();
        content->reserve(static_cast<std::size_t>(status.st_size));
        std::array<char, 65536> buffer{};
        for (;;) {
            const ssize_t count = ::read(fd, buffer.data(), buffer.size());
            if (count > 0) {
                content->append(buffer.data(), static_cast<std::size_t>(count));
            } else if (count == 0) {
                break;
            } else if (errno != EINTR) {
                content.reset();
                break;
            }
        }
    }
    ::close(fd);
    return content;
}

bool writeFileAtomically(const std::filesystem::path& path, std::string_view content) {
    const auto target = throughLinks(path);
    if (!target) {
        return false;
    }
    const std::filesystem::path& file = *target;
    std::filesystem::path temporary;
    const int fd = createTemporaryFor(file, temporary);
    if (fd < 0) {
        return false;
    }
    takeOverModeOf(file, fd);
    const bool written = writeAll(fd, content) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(temporary.c_str(), file.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return syncFolder(file.has_parent_path() ? file.parent_path() : ".");
}

void removeAbandonedSaves(const std::filesystem::path& folder) {
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        std::error_code ignored;
        if (entry->is_regular_file(ignored) && abandonedSave(entry->path())) {
            std::filesystem::remove(entry->path(), ignored);
        }
    }
}

}  // namespace qh
