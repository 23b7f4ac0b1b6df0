#pragma once
// The INI format of the settings file, as the Windows profile functions read and write it.
#include <filesystem>
#include <string>
#include <string_view>

namespace qh {

// Section and key compare without regard to ASCII case. The value is the text after the first
// "=", blanks around it removed, one pair of enclosing quotation marks dropped, at most 2047
// bytes. A missing section or key gives the empty text.
std::string iniReadValue(std::string_view content, std::string_view section, std::string_view key);

// Returns the content with the key's line replaced in place; a missing key is appended at the
// end of its section, a missing section at the end of the content. Every other line is kept
// byte for byte. New lines end in CR LF.
std::string iniWriteValue(std::string_view content, std::string_view section, std::string_view key,
                          std::string_view value);

// File forms: a missing or unreadable file reads as empty; a write creates the file and
// replaces it atomically. False when the write failed.
std::string readIniValue(const std::filesystem::path& file, std::string_view section,
                         std::string_view key);
bool writeIniValue(const std::filesystem::path& file, std::string_view section,
                   std::string_view key, std::string_view value);

}  // namespace qh
