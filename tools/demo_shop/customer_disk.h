#pragma once
// The customer's removable disk: a phone's memory card with some of the folders phones make, so
// choosing it finds the music, picture and game folders there and creates the others.
#include "demo_random.h"
#include "folder_writer.h"

namespace qh::demo {

void buildCustomerDisk(const Folder& root, DemoRandom random);

}  // namespace qh::demo
