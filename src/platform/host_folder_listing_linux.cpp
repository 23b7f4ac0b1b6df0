#include "platform/host_folder_listing_linux.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <memory>
#include <optional>
#include <string>

#include "platform/ntfs_attributes_linux.h"
#include "platform/unique_fd_linux.h"
#include "platform/wildcard_match.h"
#include "text/gbk.h"

namespace qh {

namespace {

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

struct HostEntry {
    struct stat status {};
    bool isLink = false;
    bool dangling = false;
};

// One fstatat per entry: d_type already tells a link from the rest, so only a file system
// that leaves d_type unknown costs a second call for its links.
std::optional<HostEntry> statEntry(int folder, const dirent& entry) {
    HostEntry host;
    host.isLink = entry.d_type == DT_LNK;
    if (entry.d_type == DT_UNKNOWN) {
        if (::fstatat(folder, entry.d_name, &host.status, AT_SYMLINK_NOFOLLOW) != 0) {
            return std::nullopt;
        }
        host.isLink = S_ISLNK(host.status.st_mode);
        if (!host.isLink) {
            return host;
        }
    }
    const int flags = host.isLink ? 0 : AT_SYMLINK_NOFOLLOW;
    if (::fstatat(folder, entry.d_name, &host.status, flags) != 0) {
        if (!host.isLink) {
            return std::nullopt;  // gone since readdir
        }
        host.dangling = true;
    }
    // Replaced by a link since readdir: its target is unknown, like a dangling link.
    if (!host.isLink && S_ISLNK(host.status.st_mode)) {
        host.isLink = true;
        host.dangling = true;
    }
    return host;
}

std::uint32_t modeAttributes(const HostEntry& host, bool dotName) {
    std::uint32_t bits = dotName ? attr::Hidden : 0;
    if (host.dangling) {
        return bits;
    }
    const mode_t mode = host.status.st_mode;
    if (S_ISDIR(mode)) {
        // A folder never reads as read-only: a folder with any bit beside Directory is taken
        // for a file and never entered, and a write-protected library folder must still be.
        return bits | attr::Directory;
    }
    if (S_ISREG(mode)) {
        bits |= attr::Archive;
    }
    if ((mode & S_IWUSR) == 0) {
        bits |= attr::ReadOnly;
    }
    return bits;
}

}  // namespace

std::vector<DirEntry> listHostFolder(const std::filesystem::path& folder, std::string_view pattern,
                                     HiddenEntries hidden) {
    UniqueFd fd{::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (!fd) {
        return {};
    }
    const bool ntfs = hasNtfsAttributes(fd.get());
    std::unique_ptr<DIR, DirCloser> dir{::fdopendir(fd.get())};
    if (!dir) {
        return {};
    }
    fd.release();
    const int folderFd = ::dirfd(dir.get());
    const bool excludeHidden = hidden == HiddenEntries::Exclude;
    const Wildcard wildcard(pattern);

    std::vector<DirEntry> entries;
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string_view hostName = entry->d_name;
        if (hostName == "." || hostName == "..") {
            continue;
        }
        std::string name = hostNameToGbk(hostName);
        const bool dotName = hostName.front() == '.';
        // Name tests first: most entries of a keyword search end here, without a stat.
        if (!wildcard.matches(name) || (excludeHidden && dotName && !ntfs)) {
            continue;
        }
        const auto host = statEntry(folderFd, *entry);
        if (!host) {
            continue;
        }
        std::uint32_t attributes = modeAttributes(*host, dotName);
        if (ntfs) {
            if (const auto bits = ntfsAttributes(folder / hostName)) {
                const bool isFolder = (attributes & attr::Directory) != 0;
                attributes = *bits | (isFolder ? attr::Directory : 0);
            }
        }
        if (host->isLink) {
            attributes |= attr::ReparsePoint;
        }
        if (excludeHidden && (attributes & (attr::Hidden | attr::System)) != 0) {
            continue;
        }
        const bool isFile = !host->dangling && S_ISREG(host->status.st_mode);
        entries.push_back(DirEntry{std::move(name), attributes, isFile ? host->status.st_size : 0});
    }
    return entries;
}

}  // namespace qh
