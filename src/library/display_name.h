#pragma once
// How a file's path shows in every list of files: its name without the extension or the marker
// of a marked file, and its type.
#include <string>
#include <string_view>

namespace qh {

// The file name less its extension (from the last dot on) and less the first "qh2009".
std::string DisplayName(std::string_view path);

// The "类型" column: the extension without its dot, letters as in the name ("mp3", "RMVB");
// empty for a name without a dot.
std::string TypeText(std::string_view path);

}  // namespace qh
