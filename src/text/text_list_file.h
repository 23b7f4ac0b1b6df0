#pragma once
// The data folder's text lists: GBK, one entry per line, every line ended by CR LF.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace qh {

// Splits on CR LF, lone CR or lone LF; a final line break makes no empty last entry. Any bytes
// (invalid GBK, NUL) are kept as they are.
std::vector<std::string> splitTextLines(std::string_view content);
std::string joinTextLines(const std::vector<std::string>& lines);

// Callers test that the file exists first; an unreadable file loads as no lines.
std::vector<std::string> loadTextList(const std::filesystem::path& file);
// Replaces the whole file through a temporary file renamed into place. False when it failed.
bool saveTextList(const std::filesystem::path& file, const std::vector<std::string>& lines);

}  // namespace qh
