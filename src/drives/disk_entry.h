#pragma once
// How a removable disk appears in a list's disk selector: the entry "可移动磁盘：G:\", the prompt
// shown while no disk is chosen, and the size a drive must have to get an entry at all.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qh {

// "可移动磁盘：", 12 bytes; readers of an entry cut exactly these to get the root back.
const std::string& diskEntryPrefix();

// "请选择可移动磁盘": a selector's text while its list has no disk.
const std::string& chooseDiskPrompt();

// "可移动磁盘：" + root, the root being "G:\".
std::string diskEntry(std::string_view root);

// The root a selector's text names: the text less its first 12 bytes when it contains the
// prefix anywhere; empty when it does not (the prompt, say).
std::optional<std::string> diskRootOf(std::string_view selectorText);

// Bytes in whole megabytes, each division by 1024 truncating: 11,534,335 bytes are 10 MB.
constexpr std::uint64_t wholeMegabytes(std::uint64_t bytes) {
    return bytes / 1024 / 1024;
}

// Only a drive of more than 10 whole megabytes is offered as a customer's disk; a reader
// without a card reports no size and is passed 0 here.
bool isLargeEnoughForEntry(std::uint64_t totalBytes);

}  // namespace qh
