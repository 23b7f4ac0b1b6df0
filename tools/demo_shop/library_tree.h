#pragma once
// The library folder of a library drive: "青禾点唱库" with its twelve category folders, their
// fixed sub-folders and a few files at its root.
#include <vector>

#include "demo_content.h"
#include "demo_random.h"
#include "folder_writer.h"
#include "library_plan.h"
#include "singer_roster.h"

namespace qh::demo {

void buildLibrary(const Folder& driveRoot, const LibraryPlan& plan, const DemoContent& content,
                  const std::vector<RosterSinger>& roster, const DemoRandom& random);

}  // namespace qh::demo
