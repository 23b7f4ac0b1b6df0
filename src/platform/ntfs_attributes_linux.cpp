#include "platform/ntfs_attributes_linux.h"

#include <sys/statfs.h>
#include <sys/xattr.h>

#include "platform/file_system.h"

namespace qh {

namespace {

constexpr const char* ntfsAttributesName = "system.ntfs_attrib_be";
constexpr std::uint32_t ntfsBitsWeKeep =
    attr::ReadOnly | attr::Hidden | attr::System | attr::Archive | attr::ReparsePoint;

}  // namespace

bool hasNtfsAttributes(int folderFd) {
    constexpr long fuseMagic = 0x65735546;
    constexpr long ntfs3Magic = 0x7366746e;
    constexpr long ntfsMagic = 0x5346544e;
    struct statfs volume {};
    if (::fstatfs(folderFd, &volume) != 0) {
        return false;
    }
    const long type = static_cast<long>(volume.f_type);
    if (type != fuseMagic && type != ntfs3Magic && type != ntfsMagic) {
        return false;
    }
    unsigned char word[4];
    return ::fgetxattr(folderFd, ntfsAttributesName, word, sizeof word) == sizeof word;
}

std::optional<std::uint32_t> ntfsAttributes(const std::filesystem::path& entry) {
    unsigned char word[4];
    if (::lgetxattr(entry.c_str(), ntfsAttributesName, word, sizeof word) != sizeof word) {
        return std::nullopt;
    }
    return (std::uint32_t{word[0]} << 24 | std::uint32_t{word[1]} << 16 |
            std::uint32_t{word[2]} << 8 | std::uint32_t{word[3]}) &
           ntfsBitsWeKeep;
}

}  // namespace qh
