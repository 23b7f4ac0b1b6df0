#pragma once
// Large collections are split the way shops split them: into numbered batches ("第001辑"), so
// that no folder grows beyond a few thousand entries.
#include <cstdint>
#include <functional>

#include "folder_writer.h"

namespace qh::demo {

inline constexpr std::uint64_t kMaxFilesPerFolder = 2000;

// Calls writeOne(folder, i) for i = 0 .. count-1, in `folder` itself while the count fits, and
// otherwise spread evenly over batch sub-folders.
void fillInBatches(const Folder& folder, std::uint64_t count,
                   const std::function<void(const Folder&, std::uint64_t)>& writeOne);

}  // namespace qh::demo
