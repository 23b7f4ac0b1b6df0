#pragma once
// The pinyin initial of a Chinese character from its GB2312 code. The first-level characters lie
// in pinyin order, so a fixed table of code ranges gives each one its letter; the singer file
// carries names only.
#include <string>
#include <string_view>

namespace qh {

// 'A'..'Z' for a first-level GB2312 character given its two bytes, or 0.
char PinyinInitial(unsigned char first, unsigned char second);

// The initials of a GBK text: each character of 0xA0 and above with the byte after it gives
// its letter (or nothing); every other byte, and a last lone byte, is kept as it is.
std::string PinyinInitialString(std::string_view text);

}  // namespace qh
