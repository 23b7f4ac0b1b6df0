#pragma once
// Readable listing entries in test failures: name bytes in hex, attributes in hex, size.
#include <iomanip>
#include <ostream>

#include "platform/file_system.h"

namespace qh {

inline void PrintTo(const DirEntry& entry, std::ostream* out) {
    *out << '"';
    for (const unsigned char byte : entry.name) {
        if (byte >= 0x20 && byte < 0x7F) {
            *out << byte;
        } else {
            *out << "\\x" << std::hex << std::setw(2) << std::setfill('0') << int{byte} << std::dec;
        }
    }
    *out << "\" attributes 0x" << std::hex << entry.attributes << std::dec << " size "
         << entry.size;
}

}  // namespace qh
