#pragma once
// File-name patterns as the Windows directory listing matches them.
#include <string_view>

namespace qh {

// "*" any run of characters, "?" exactly one character (one GBK character, not one byte), ASCII
// letters without regard to case, other bytes exactly; a final ".*" also matches a name without
// a dot, so "*.*" matches every name. Both texts are GBK.
bool matchesWildcard(std::string_view name, std::string_view pattern);

}  // namespace qh
