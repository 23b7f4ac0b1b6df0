#pragma once
// Byte-wise helpers over GBK texts. Lengths and positions are in bytes of the GBK form.
#include <string>
#include <string_view>

namespace qh {

// Plain, case-sensitive byte substring test; an empty needle occurs nowhere.
bool contains(std::string_view haystack, std::string_view needle);

// Lower-cases ASCII letters only; the trail byte of a double-byte character is never touched.
std::string asciiLower(std::string_view text);

// True when the byte at `index` is the first byte of a character (single byte, or the lead of
// a double- or four-byte GBK/GB18030 character), scanning from the start of the text.
bool isCharStart(std::string_view text, std::size_t index);

// Length in bytes of the character starting at `index` (1, 2 or 4; 1 for a malformed byte;
// 0 past the end of the text).
std::size_t charLengthAt(std::string_view text, std::size_t index);

// The ASCII characters no Windows file name holds: the control characters 0x01..0x1F and
// \ : * ? " < > |. NUL and "/", which no Linux name holds either, are left to the path rules.
bool isForbiddenInWindowsName(char c);

// Parts of a Windows path "F:\a\b.mp3". A backslash that is the trail byte of a double-byte
// character is not a separator.
//   fileNameOf:  "b.mp3", after the last separator;
//   folderOf:    "F:\a\", up to and with the last separator;
//   extensionOf: ".mp3", from the file name's last dot on, "" when the name has none.
std::string_view fileNameOf(std::string_view path);
std::string_view folderOf(std::string_view path);
std::string_view extensionOf(std::string_view path);

}  // namespace qh
