#include "library/size_text.h"

#include <algorithm>

namespace qh {

std::string SizeText(std::int64_t bytes) {
    constexpr std::int64_t hundredthBytes = 10240;
    std::string digits = std::to_string(std::max<std::int64_t>(bytes, 0) / hundredthBytes);
    if (digits.size() < 3) {
        digits.insert(0, 3 - digits.size(), '0');
    }
    digits.insert(digits.size() - 2, 1, '.');
    return digits;
}

}  // namespace qh
