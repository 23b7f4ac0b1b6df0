#pragma once
// The program's own options, for the shop's set-up and for tests:
//   --app-dir DIR               use DIR as the program folder instead of the executable's
//   --drive X=DIR[,removable]   make DIR drive X (repeatable)
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/drive_table.h"

namespace qh {

struct CommandLine {
    std::optional<std::filesystem::path> appDir;
    std::vector<Drive> drives;
    std::vector<std::string> errors;  // one line per option that could not be used
};

// `arguments` without the program name. Options Qt itself takes are passed over.
CommandLine parseCommandLine(const std::vector<std::string>& arguments);

}  // namespace qh
