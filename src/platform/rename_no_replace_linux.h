#pragma once
// Moves a name to another without ever replacing what is there, on every file system the
// shop's disks use.

namespace qh {

// Names are relative to the folder descriptors (AT_FDCWD for absolute names). False when the
// target exists, the source is missing or the move is refused.
bool renameNoReplace(int fromFolder, const char* from, int toFolder, const char* to);

}  // namespace qh
