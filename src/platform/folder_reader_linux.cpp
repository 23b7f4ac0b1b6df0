#include "platform/folder_reader_linux.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <sys/sysmacros.h>

#include <filesystem>
#include <optional>
#include <utility>

#include "platform/file_system.h"
#include "platform/ntfs_attributes_linux.h"
#include "platform/path_on_disk.h"
#include "platform/unique_fd_linux.h"
#include "text/gbk.h"

namespace qh {

namespace {

// Read by getdents64 into a buffer of our own: no DIR stream to set up for each of the many
// small folders of a library.
constexpr std::size_t kListingBufferSize = 32 * 1024;

// A saved index is read in well under a second; a disk that takes longer is walked meanwhile.
constexpr std::chrono::milliseconds kLongestIndexWait{5000};

// The entry's type from the listing; only a file system that leaves it unknown costs a stat.
unsigned char typeOf(int folderFd, const dirent64& entry) {
    if (entry.d_type != DT_UNKNOWN) {
        return entry.d_type;
    }
    struct stat status {};
    if (::fstatat(folderFd, entry.d_name, &status, AT_SYMLINK_NOFOLLOW) != 0) {
        return DT_UNKNOWN;
    }
    return IFTODT(status.st_mode);
}

// A link's target bits, as a Windows listing shows a link to a folder as a folder.
std::uint32_t linkTargetAttributes(int folderFd, const char* name) {
    struct stat status {};
    if (::fstatat(folderFd, name, &status, 0) != 0) {
        return 0;  // dangling
    }
    if (S_ISDIR(status.st_mode)) {
        return attr::Directory;
    }
    return S_ISREG(status.st_mode) ? attr::Archive : 0;
}

// A folder's stamp as the file system gives it now; nothing for what is not a folder.
std::optional<FolderStamp> stampOf(int at, const char* path, int flags) {
    struct statx status {};
    if (::statx(at, path, flags | AT_STATX_SYNC_AS_STAT, STATX_TYPE | STATX_INO | STATX_CTIME,
                &status) != 0 ||
        !S_ISDIR(status.stx_mode)) {
        return std::nullopt;
    }
    return FolderStamp{::makedev(status.stx_dev_major, status.stx_dev_minor), status.stx_ino,
                       status.stx_ctime.tv_sec * 1'000'000'000LL + status.stx_ctime.tv_nsec};
}

// Where a folder's listing comes from: the kernel, read now (and kept in the index once read
// whole), or the index, for a folder whose stamp says it has not changed since.
class LinuxOpenFolder final : public OpenFolder {
public:
    // A folder read from the disk. `recording`, when given, collects its listing for the index.
    LinuxOpenFolder(UniqueFd fd, std::filesystem::path hostPath, const NamePattern& pattern,
                    ListingIndex* index, std::shared_ptr<FolderRecord> recording)
        : fd_(std::move(fd)),
          hostPath_(std::move(hostPath)),
          ntfs_(hasNtfsAttributes(fd_.get())),
          pattern_(pattern),
          index_(index),
          recording_(std::move(recording)) {
        if (recording_) {
            recording_->ntfsAttributes = ntfs_;
        }
        buffer_ = std::make_unique_for_overwrite<char[]>(kListingBufferSize);
    }
    // A folder listed from the index.
    LinuxOpenFolder(std::shared_ptr<const FolderRecord> kept, std::filesystem::path hostPath,
                    const NamePattern& pattern, ListingIndex* index)
        : hostPath_(std::move(hostPath)),
          ntfs_(kept->ntfsAttributes),
          pattern_(pattern),
          index_(index),
          kept_(std::move(kept)),
          keptCursor_(kept_->listing.bytes()) {}

    bool next(FolderEntry& entry) override;
    std::unique_ptr<OpenFolder> openSubfolder(std::string_view name) override;

private:
    struct RawEntry {
        std::string_view name;
        unsigned char type = DT_UNKNOWN;
    };
    // The next entry, "." and ".." left out; false at the end or on an error.
    bool nextRaw(RawEntry& raw);
    bool nextListed(RawEntry& raw);
    // At the end of a listing read whole: it goes into the index.
    void finishRecording();
    // The file descriptor to look names up from, and the name to give it: the folder's own
    // while it is open, else the full path.
    std::pair<int, std::string> lookUp(std::string_view hostName) const;
    // On NTFS the volume's own bits replace those of the name and the mode. Read from the
    // volume each time, kept listing or not: changing them changes no folder's stamp.
    std::uint32_t withVolumeBits(std::string_view hostName, std::uint32_t bits) const;

    UniqueFd fd_;
    // Left uninitialised: getdents64 fills what it reads. Let go at the end of the listing, so a
    // walk holds one only for each folder it is still listing, not for each it is inside of.
    std::unique_ptr<char[]> buffer_;
    std::size_t filled_ = 0;
    std::size_t offset_ = 0;
    bool ended_ = false;
    std::filesystem::path hostPath_;
    bool ntfs_;
    const NamePattern& pattern_;
    ListingIndex* index_;
    std::shared_ptr<FolderRecord> recording_;
    std::shared_ptr<const FolderRecord> kept_;
    std::optional<RawListing::Cursor> keptCursor_;
};

std::unique_ptr<OpenFolder> openFolder(int at, const std::string& path, int flags,
                                       std::filesystem::path hostPath, const NamePattern& pattern,
                                       ListingIndex* index) {
    std::shared_ptr<FolderRecord> recording;
    if (index != nullptr) {
        const std::string key = hostPath.native();
        // The stamp is taken before the folder is read: a change made while it is read gives a
        // later one.
        const std::int64_t now = index->now();
        if (const auto stamp = stampOf(at, path.c_str(), flags == 0 ? 0 : AT_SYMLINK_NOFOLLOW)) {
            if (auto kept = index->trusted(key, *stamp)) {
                return std::make_unique<LinuxOpenFolder>(std::move(kept), std::move(hostPath),
                                                         pattern, index);
            }
            recording = std::make_shared<FolderRecord>();
            recording->stamp = *stamp;
            recording->recordedNs = now;
        }
    }
    UniqueFd fd{::openat(at, path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | flags)};
    if (!fd) {
        return nullptr;
    }
    if (recording) {
        // The folder opened must be the one stamped: one put in its place between the two is
        // read, and not kept.
        const auto opened = stampOf(fd.get(), "", AT_EMPTY_PATH);
        if (!opened || opened->device != recording->stamp.device ||
            opened->inode != recording->stamp.inode) {
            recording.reset();
        }
        index->countRead();
    }
    return std::make_unique<LinuxOpenFolder>(std::move(fd), std::move(hostPath), pattern, index,
                                             std::move(recording));
}

bool LinuxOpenFolder::nextListed(RawEntry& raw) {
    for (;;) {
        if (offset_ >= filled_) {
            const ssize_t got =
                ended_ ? 0 : ::getdents64(fd_.get(), buffer_.get(), kListingBufferSize);
            if (got <= 0) {
                if (got < 0) {
                    recording_.reset();  // not read whole
                }
                ended_ = true;
                buffer_.reset();
                return false;
            }
            filled_ = static_cast<std::size_t>(got);
            offset_ = 0;
        }
        const auto* entry = reinterpret_cast<const dirent64*>(buffer_.get() + offset_);
        offset_ += entry->d_reclen;
        raw.name = entry->d_name;
        if (raw.name == "." || raw.name == "..") {
            continue;
        }
        raw.type = typeOf(fd_.get(), *entry);
        if (recording_ && !recording_->listing.add(raw.type, raw.name)) {
            recording_.reset();
        }
        return true;
    }
}

bool LinuxOpenFolder::nextRaw(RawEntry& raw) {
    if (keptCursor_) {
        return keptCursor_->next(raw.type, raw.name);
    }
    if (ended_) {
        return false;
    }
    if (nextListed(raw)) {
        return true;
    }
    finishRecording();
    return false;
}

void LinuxOpenFolder::finishRecording() {
    if (!recording_) {
        return;
    }
    recording_->listing.shrinkToFit();
    index_->record(hostPath_.native(), std::move(recording_));
}

std::pair<int, std::string> LinuxOpenFolder::lookUp(std::string_view hostName) const {
    if (fd_) {
        return {fd_.get(), std::string(hostName)};
    }
    return {AT_FDCWD, (hostPath_ / hostName).native()};
}

std::uint32_t LinuxOpenFolder::withVolumeBits(std::string_view hostName, std::uint32_t bits) const {
    if (!ntfs_) {
        return bits;
    }
    const auto volumeBits = ntfsAttributes(hostPath_ / hostName);
    return volumeBits ? *volumeBits | (bits & (attr::Directory | attr::ReparsePoint)) : bits;
}

bool LinuxOpenFolder::next(FolderEntry& entry) {
    RawEntry raw;
    while (nextRaw(raw)) {
        const std::string_view hostName = raw.name;
        const std::uint32_t hidden = hostName.front() == '.' ? attr::Hidden : 0;
        if (raw.type == DT_DIR) {
            // A folder is never read-only to a walk: a library on a read-only mount, or one
            // the shop protected with chmod, must still be searched through.
            entry.name = hostNameToGbk(hostName);
            entry.matches = pattern_.mayMatchHostName(hostName) && pattern_.matches(entry.name);
            entry.attributes = withVolumeBits(hostName, attr::Directory | hidden);
            return true;
        }
        // Most entries of a keyword search end here, after a byte test of the raw name.
        if (!pattern_.mayMatchHostName(hostName)) {
            continue;
        }
        std::string name = hostNameToGbk(hostName);
        if (!pattern_.matches(name)) {
            continue;
        }
        std::uint32_t bits = hidden;
        if (raw.type == DT_REG) {
            bits |= attr::Archive;
        } else if (raw.type == DT_LNK) {
            // The link's target is looked at now, kept listing or not: it changes no stamp.
            const auto [at, path] = lookUp(hostName);
            bits |= attr::ReparsePoint | linkTargetAttributes(at, path.c_str());
        }
        entry.name = std::move(name);
        entry.matches = true;
        entry.attributes = withVolumeBits(hostName, bits);
        return true;
    }
    return false;
}

std::unique_ptr<OpenFolder> LinuxOpenFolder::openSubfolder(std::string_view name) {
    const std::string hostName = gbkToHostName(name);
    // One name below this folder, never a way out of it.
    if (hostName.empty() || hostName == "." || hostName == ".." ||
        hostName.find('/') != std::string::npos) {
        return nullptr;
    }
    const auto [at, path] = lookUp(hostName);
    return openFolder(at, path, O_NOFOLLOW, hostPath_ / hostName, pattern_, index_);
}

}  // namespace

std::unique_ptr<OpenFolder> LinuxFolderReader::open(std::string_view folder,
                                                    const NamePattern& pattern) const {
    if (index_ != nullptr) {
        index_->waitWhileLoading(kLongestIndexWait);
    }
    const auto host = resolveOnDisk(*drives_.snapshot(), folder);
    if (!host) {
        return nullptr;
    }
    return openFolder(AT_FDCWD, host->string(), 0, *host, pattern, index_);
}

}  // namespace qh
