#pragma once
// Where the program keeps its own files: AppDir (the executable's folder, or the folder named by
// --app-dir) and DataDir, its "数据文件" folder or, for a program installed where the clerk may
// not write, a folder of the clerk's own.
#include <filesystem>
#include <string>

namespace qh {

struct AppPaths {
    std::filesystem::path appDir;
    std::filesystem::path dataDir;

    std::filesystem::path settingsFile() const;
    std::filesystem::path dataFile(const std::string& gbkName) const;
    std::filesystem::path appFile(const std::string& gbkName) const;
};

// DataDir is AppDir + "数据文件".
AppPaths appPathsFor(const std::filesystem::path& appDir);

// The clerk's own data place for an installed program: $XDG_DATA_HOME/qinghe, or
// ~/.local/share/qinghe. Empty when neither names an absolute folder.
std::filesystem::path userDataRoot();

// True when this user may create and replace files in the folder (on a read-only volume, not
// even root may).
bool isWritableFolder(const std::filesystem::path& folder);

// AppDir and DataDir as the program finds them at every start, creating DataDir when missing:
//   - AppDir's own "数据文件" when this user may write there, or when it can be made (the demo
//     shop, a shop folder copied over from Windows, a shop folder with group write);
//   - otherwise `userRoot` + "数据文件" (a program installed by root), unless that folder does
//     not exist yet and AppDir holds a "数据文件" of its own: a shop's data folder on a disk
//     that turned read-only is used as it is, so its lists still load; nothing can be saved
//     there, and the clerk is told.
AppPaths locateAppPaths(const std::filesystem::path& appDir, const std::filesystem::path& userRoot);

}  // namespace qh
