#pragma once
// Byte strings spelled as numbers: a hex escape in a literal swallows a following digit
// ("\x841" is one escape), and GBK four-byte codes are full of digits.
#include <initializer_list>
#include <string>

namespace qh {

inline std::string bytes(std::initializer_list<unsigned char> values) {
    return std::string(values.begin(), values.end());
}

}  // namespace qh
