#pragma once
// The program's folder (AppDir) of the demo shop and its data folder: the drive map that names
// the demo's drives, the singer file, the settings with the library drive and the prices, and
// the picture browser's placeholder.
#include <filesystem>
#include <string>
#include <vector>

#include "folder_writer.h"

namespace qh::demo {

struct DemoDrives {
    std::filesystem::path fixedD;     // holds the default target folder's drive
    std::filesystem::path library;    // F, the library drive
    std::filesystem::path removable;  // G, the customer's card
};

// Throws std::runtime_error when a file cannot be written.
void writeAppData(const std::filesystem::path& appDir, const DemoDrives& drives,
                  const std::vector<std::string>& singers, WriteTally& tally);

}  // namespace qh::demo
