#include "platform/folder_reader_linux.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <filesystem>

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

class LinuxOpenFolder final : public OpenFolder {
public:
    LinuxOpenFolder(UniqueFd fd, std::filesystem::path hostPath, const NamePattern& pattern)
        : fd_(std::move(fd)),
          hostPath_(std::move(hostPath)),
          ntfs_(hasNtfsAttributes(fd_.get())),
          pattern_(pattern) {}

    bool next(FolderEntry& entry) override;
    std::unique_ptr<OpenFolder> openSubfolder(std::string_view name) override;

private:
    // The next raw entry, "." and ".." included; nullptr at the end or on an error.
    const dirent64* nextListed();
    // On NTFS the volume's own bits replace those of the name and the mode.
    std::uint32_t withVolumeBits(std::string_view hostName, std::uint32_t bits) const;

    UniqueFd fd_;
    // Left uninitialised: getdents64 fills what it reads. Let go at the end of the listing, so a
    // walk holds one only for each folder it is still listing, not for each it is inside of.
    std::unique_ptr<char[]> buffer_ = std::make_unique_for_overwrite<char[]>(kListingBufferSize);
    std::size_t filled_ = 0;
    std::size_t offset_ = 0;
    bool ended_ = false;
    std::filesystem::path hostPath_;
    bool ntfs_;
    const NamePattern& pattern_;
};

std::unique_ptr<OpenFolder> openFolder(int parentFd, const std::string& hostName, int flags,
                                       std::filesystem::path hostPath, const NamePattern& pattern) {
    UniqueFd fd{::openat(parentFd, hostName.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | flags)};
    if (!fd) {
        return nullptr;
    }
    return std::make_unique<LinuxOpenFolder>(std::move(fd), std::move(hostPath), pattern);
}

const dirent64* LinuxOpenFolder::nextListed() {
    if (offset_ >= filled_) {
        const ssize_t got = ended_ ? 0 : ::getdents64(fd_.get(), buffer_.get(), kListingBufferSize);
        if (got <= 0) {
            ended_ = true;
            buffer_.reset();
            return nullptr;
        }
        filled_ = static_cast<std::size_t>(got);
        offset_ = 0;
    }
    const auto* entry = reinterpret_cast<const dirent64*>(buffer_.get() + offset_);
    offset_ += entry->d_reclen;
    return entry;
}

std::uint32_t LinuxOpenFolder::withVolumeBits(std::string_view hostName, std::uint32_t bits) const {
    if (!ntfs_) {
        return bits;
    }
    const auto volumeBits = ntfsAttributes(hostPath_ / hostName);
    return volumeBits ? *volumeBits | (bits & (attr::Directory | attr::ReparsePoint)) : bits;
}

bool LinuxOpenFolder::next(FolderEntry& entry) {
    while (const dirent64* found = nextListed()) {
        const std::string_view hostName = found->d_name;
        if (hostName == "." || hostName == "..") {
            continue;
        }
        const std::uint32_t hidden = hostName.front() == '.' ? attr::Hidden : 0;
        const unsigned char type = typeOf(fd_.get(), *found);
        if (type == DT_DIR) {
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
        if (type == DT_REG) {
            bits |= attr::Archive;
        } else if (type == DT_LNK) {
            bits |= attr::ReparsePoint | linkTargetAttributes(fd_.get(), found->d_name);
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
    return openFolder(fd_.get(), hostName, O_NOFOLLOW, hostPath_ / hostName, pattern_);
}

}  // namespace

std::unique_ptr<OpenFolder> LinuxFolderReader::open(std::string_view folder,
                                                    const NamePattern& pattern) const {
    const auto host = resolveOnDisk(*drives_.snapshot(), folder);
    if (!host) {
        return nullptr;
    }
    return openFolder(AT_FDCWD, host->string(), 0, *host, pattern);
}

}  // namespace qh
