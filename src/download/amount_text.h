#pragma once
#include <cstdint>
#include <string>

namespace qh {

// An amount of ten-thousandths of a yuan as the clerk reads it: the shortest decimal form, with a
// point and no trailing zeros, no exponent and no thousands separators. 11000 is "1.1", 110000
// is "11", 0 is "0".
std::string AmountText(std::int64_t tenThousandths);

}  // namespace qh
