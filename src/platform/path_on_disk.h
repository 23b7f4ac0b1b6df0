#pragma once
// Windows paths found on the disk as Windows finds them: a name stands for any spelling of it
// that differs only in the case of ASCII letters.
#include <filesystem>
#include <optional>
#include <string_view>

#include "platform/drive_table.h"

namespace qh {

// DriveTable::resolve, then, when that path is not on the disk, name by name from the drive's
// root: a name missing in its exact spelling is the entry of its folder that equals it without
// regard to ASCII letter case, the byte-wise smallest of several, so the choice never depends on
// the listing order. From the first name with no such entry on, names stay as spelled, so what is
// created there gets the spelling asked for. The exact path costs one system call; only a missing
// name costs a listing of its folder.
std::optional<std::filesystem::path> resolveOnDisk(const DriveTable& drives,
                                                   std::string_view windowsPath);

}  // namespace qh
