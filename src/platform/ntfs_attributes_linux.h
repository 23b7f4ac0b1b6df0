#pragma once
// The Windows attribute word NTFS volumes keep for every entry, as ntfs-3g and the kernel's ntfs3
// expose it: an extended attribute.
#include <cstdint>
#include <filesystem>
#include <optional>

namespace qh {

// Whether the open folder lies on a volume that keeps the word; asked once per folder.
bool hasNtfsAttributes(int folderFd);

// The entry's ReadOnly, Hidden, System, Archive and ReparsePoint bits; empty when the word cannot
// be read. Never follows a symbolic link.
std::optional<std::uint32_t> ntfsAttributes(const std::filesystem::path& entry);

}  // namespace qh
