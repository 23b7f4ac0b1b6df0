#pragma once
// The INI format of the settings file, as the Windows profile functions read and write it.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace qh {

// Section and key compare without regard to ASCII case. The value is the text after the first
// "=", blanks around it removed, one pair of enclosing quotation marks dropped, at most 2047
// bytes. A missing section or key gives the empty text.
// In detail: blanks are spaces and tabs, and they are also dropped around a section line,
// around the name inside its brackets and around a key name; the quotation marks are a matching
// pair of " or ', as Windows drops them; a line without "=" holds no key; keys before the first
// section belong to none; of duplicate sections or keys the first counts, as in Windows; a value
// is cut before a character that would cross 2047 bytes.
std::string iniReadValue(std::string_view content, std::string_view section, std::string_view key);

// Returns the content with the key's line replaced in place; a missing key is appended at the
// end of its section, a missing section at the end of the content. Every other line is kept
// byte for byte. New lines end in CR LF.
// The replaced line keeps its text up to the "=" and its line end. A new key goes after the
// section's last non-blank line, so blank lines that close the section stay after it; a line
// without a line end gets CR LF before anything is added after it.
// Empty when the lines written would not read back as the section and key: a line break in the
// section, key or value (it would add lines of its own), a key holding "=", starting with "[" or
// with blanks at its ends, a section holding "]" or with blanks at its ends, or one whose last
// byte would take the closing "]" for its trail.
std::optional<std::string> iniWriteValue(std::string_view content, std::string_view section,
                                         std::string_view key, std::string_view value);

// File forms: a missing or unreadable file reads as empty; a write creates a missing file and
// replaces it atomically. False when the write failed or could not be made (iniWriteValue); a
// file that exists but cannot be read is left as it is, and the write fails.
std::string readIniValue(const std::filesystem::path& file, std::string_view section,
                         std::string_view key);
bool writeIniValue(const std::filesystem::path& file, std::string_view section,
                   std::string_view key, std::string_view value);

}  // namespace qh
