#pragma once
// The outside program the clerk's films are handed to.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/drive_table.h"

namespace qh {

// The program a film is handed to, looked for in this order: the two places the shop's Windows
// player installs to ("C:\Program Files\StormII\Storm.exe", then
// "D:\Program Files\StormII\Storm.exe", through the drive table, case-insensitively as Windows
// finds them: resolveOnDisk), then the command the settings name (a host path, or a program name
// looked up on the search path), then the first installed of mpv, vlc, celluloid, totem, parole,
// smplayer, ffplay on the search path. Only an executable regular file counts. Empty when none is
// there.
std::optional<std::filesystem::path> findVideoProgram(
    const DriveTable& drives, const std::string& configured,
    const std::vector<std::filesystem::path>& searchPath);
// The folders of $PATH.
std::vector<std::filesystem::path> programSearchPath();

}  // namespace qh
