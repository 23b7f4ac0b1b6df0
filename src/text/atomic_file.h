#pragma once
// Whole-file reads and writes for the data folder. A write goes to a temporary file beside the
// target, is flushed to disk and renamed over the target, so a crash or a power cut leaves
// either the old or the new file, never half of one. A target that is a symbolic link is written
// through: its link target is replaced the same way.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace qh {

std::optional<std::string> readWholeFile(const std::filesystem::path& file);
bool writeFileAtomically(const std::filesystem::path& file, std::string_view content);

// Removes the temporary files of saves into `folder` that their writers can never finish: left by
// a program that was killed or a computer that was switched off in the middle of a save. Those of
// a save still running, in this or another program, stay.
void removeAbandonedSaves(const std::filesystem::path& folder);

}  // namespace qh
