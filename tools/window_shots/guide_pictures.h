#pragma once
// The pictures of the clerks' guide (操作教程/images), made one after another on the same main
// window over a demo shop, as a clerk serves two customers: 清单1 onto the customer's card, 清单2
// with files of several categories. Each picture is named as the guide's pages use it.
#include <filesystem>
#include <vector>

namespace qh {
class SharedDriveTable;
}

namespace qh::shots {

class WindowDriver;

// Throws ShotError when a step does not come about; the pictures written so far stay in
// `outDir`. Returns the files written.
std::vector<std::filesystem::path> makeGuidePictures(WindowDriver& main,
                                                     const SharedDriveTable& drives,
                                                     const std::filesystem::path& outDir);

}  // namespace qh::shots
