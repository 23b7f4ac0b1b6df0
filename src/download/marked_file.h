#pragma once
// A marked file: a library file whose name holds the marker "qh2009" and whose first 407,552
// bytes are a block that is no part of the media. Copying or playing it first extracts the
// content into the list's staging folder under the plain name.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace qh {

inline constexpr std::int64_t kMarkedFileBlockBytes = 407'552;

// Case-sensitive byte search of the file name, as DisplayName makes it.
bool isMarkedFileName(std::string_view fileName);
// The file name less the first occurrence of the marker.
std::string plainNameOf(std::string_view fileName);

// "D:\歌曲下载\清单3\" for list 2 (GBK): where that list's jobs extract marked files, so jobs of
// different lists never share a staging file.
std::string stagingFolderOf(int list);

// Writes the content of the marked library file over `stagingPath`, without reading the block.
// A file no longer than the block has no content: the extraction fails and `stagingPath` is left
// as it was, so nothing empty is ever delivered to a customer: SourceUnreadable.
CopyResult extractMarkedFile(FileSystem& files, std::string_view libraryPath,
                             std::string_view stagingPath,
                             CopyDurability durability = CopyDurability::Cached);

}  // namespace qh
