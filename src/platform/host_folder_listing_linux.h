#pragma once
// Reading one host folder as a Windows directory listing: GBK names, Windows attributes.
#include <filesystem>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace qh {

// Entries whose GBK names match `pattern`, in readdir order; empty when the folder cannot be
// read. Attributes: Directory for folders; Hidden for dot-names; ReadOnly on files whose owner
// write bit is clear; Archive on regular files; a symbolic link has ReparsePoint beside its
// target's bits, and a dangling one is a file with ReparsePoint alone. NTFS volumes give their
// own bits instead of the name and mode rules.
std::vector<DirEntry> listHostFolder(const std::filesystem::path& folder, std::string_view pattern,
                                     HiddenEntries hidden);

}  // namespace qh
