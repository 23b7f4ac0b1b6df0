#pragma once
// The fixed folder tree of the library on each library drive: "<letter>:\青禾点唱库\" with the
// twelve category folders and the fixed sub-folders below some of them. Paths are GBK texts
// built by plain concatenation, as the clerk's drive letters are typed texts, not checked ones.
#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace qh {

class FileSystem;

inline constexpr int kLibraryDriveCount = 4;
// Category browsing, new additions and the picture browser use the first three drives only.
inline constexpr int kBrowseDriveCount = 3;

// The library folder's name, "青禾点唱库".
const std::string& libraryFolderName();

// letter + ":\青禾点唱库\".
std::string libraryRoot(std::string_view driveText);

// For each drive text that is not empty, in drive order, among the first `count` drives.
std::vector<std::string> libraryRoots(const std::array<std::string, kLibraryDriveCount>& drives,
                                      int count = kLibraryDriveCount);

// libraryRoot + the category's folder + "\".
std::string categoryFolderPath(std::string_view driveText, int categoryIndex);

// The category panel's pages after the singer page. Each button of a page is named as its
// sub-folder below the page's base folder.
struct CategoryPanelPage {
    std::string caption;                  // GBK, "音乐"
    std::string baseFolder;               // GBK, below the library root, "1-音乐\分类歌曲\"
    std::vector<std::string> subfolders;  // GBK, "经典老歌", in the panel's order
};
const std::array<CategoryPanelPage, 4>& categoryPanelPages();

// The 36 style and format folders below the library root, each ending in a backslash: every
// page's sub-folders in the panel's order.
const std::vector<std::string>& subfolderTree();

struct NewAdditionsFolder {
    int categoryIndex;
    std::string folder;  // below the category folder, "新增歌曲"
};
const std::array<NewAdditionsFolder, 5>& newAdditionsFolders();
// The folder below the library root, "1-音乐\新增歌曲\".
std::string belowLibraryRoot(const NewAdditionsFolder& additions);

// What a library view walks: `belowRoot` (ending in a backslash) below the library root of each
// of the first three drives that is not empty, in drive order. A letter that two drives hold is
// walked twice, as the shop's views always did.
std::vector<std::string> browseFolders(const std::array<std::string, kLibraryDriveCount>& drives,
                                       std::string_view belowRoot);

// Creates each missing folder with its parents. A folder that cannot be made (a blank or unknown
// drive letter) is passed over: its view finds nothing.
void createMissingFolders(FileSystem& files, const std::vector<std::string>& folders);

// "5-图片\大图\" and "5-图片\小图\" below the library root, each with the eleven topics.
const std::array<std::string, 2>& pictureSizeFolders();
const std::array<std::string, 11>& pictureTopics();

// 1..12 for the first category folder "青禾点唱库\<folder>" found anywhere in the path, or 0.
int categoryOfPath(std::string_view path);

// Creates each missing category folder on the drive. A text that names no usable drive creates
// nothing and says nothing.
void createCategoryFolders(FileSystem& files, std::string_view driveText);

}  // namespace qh
