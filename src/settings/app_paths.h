#pragma once
// Where the program keeps its own files: AppDir (the executable's folder, or the folder named by
// --app-dir) and DataDir inside it.
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

}  // namespace qh
