#include "library/search_plan.h"

#include "library/category_table.h"

namespace qh {

std::vector<std::string> searchRoots(int tabIndex,
                                     const std::array<std::string, kLibraryDriveCount>& drives) {
    const bool category = tabIndex >= 0 && tabIndex < kCategoryCount;
    std::vector<std::string> roots;
    for (const auto& drive : drives) {
        if (!drive.empty()) {
            roots.push_back(category ? categoryFolderPath(drive, tabIndex) : libraryRoot(drive));
        }
    }
    return roots;
}

std::string searchMaskAtStart(int tabIndex, std::string_view currentMask) {
    return std::string(tabIndex == kMusicTab ? kMusicMask : currentMask);
}

bool isSeriesSearch(int tabIndex) {
    return tabIndex == kSeriesTab;
}

std::string walkPattern(std::string_view searchKeyword, std::string_view searchMask) {
    std::string pattern = "*";
    pattern += searchKeyword;
    pattern += searchMask;
    return pattern;
}

}  // namespace qh
