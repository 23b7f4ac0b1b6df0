#pragma once
// A shell script standing in for a desktop tool, so that a test decides what the tool answers.
#include <filesystem>
#include <string>
#include <string_view>

#include "support/temp_folder.h"

namespace qh::testing {

inline std::filesystem::path writeStandInProgram(TempFolder& folder, const std::string& name,
                                                 std::string_view script) {
    const auto program = folder.write(name, "#!/bin/sh\n" + std::string(script));
    std::filesystem::permissions(program, std::filesystem::perms::owner_exec,
                                 std::filesystem::perm_options::add);
    return program;
}

}  // namespace qh::testing
