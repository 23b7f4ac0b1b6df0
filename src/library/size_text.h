#pragma once
#include <cstdint>
#include <string>

namespace qh {

// The "大小(MB)" column: the size in units of 1,024,000 bytes (10240 x 100, as the shop's lists
// always counted, not 1,048,576), cut, not rounded, to two decimals: 10240 bytes are "0.01",
// 1,048,576 bytes "1.02". A missing file (-1) shows "0.00", as does any size below zero.
std::string SizeText(std::int64_t bytes);

}  // namespace qh
