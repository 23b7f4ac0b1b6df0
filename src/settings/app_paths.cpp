#include "settings/app_paths.h"

#include <unistd.h>

#include <cstdlib>
#include <system_error>

#include "text/gbk.h"

namespace qh {

namespace {

const std::string& dataFolderName() {
    static const std::string name = gbkToHostName(gbk("数据文件"));
    return name;
}

bool isFolder(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

bool createFolder(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return isFolder(folder);
}

}  // namespace

AppPaths appPathsFor(const std::filesystem::path& appDir) {
    std::error_code error;
    auto absolute = std::filesystem::absolute(appDir, error);
    if (error) {
        absolute = appDir;
    }
    return {absolute, absolute / dataFolderName()};
}

std::filesystem::path userDataRoot() {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome != nullptr && std::filesystem::path(dataHome).is_absolute()) {
        return std::filesystem::path(dataHome) / "qinghe";
    }
    const char* home = std::getenv("HOME");
    if (home != nullptr && std::filesystem::path(home).is_absolute()) {
        return std::filesystem::path(home) / ".local" / "share" / "qinghe";
    }
    return {};
}

bool isWritableFolder(const std::filesystem::path& folder) {
    return isFolder(folder) && ::access(folder.c_str(), W_OK | X_OK) == 0;
}

AppPaths locateAppPaths(const std::filesystem::path& appDir,
                        const std::filesystem::path& userRoot) {
    AppPaths paths = appPathsFor(appDir);
    const bool ownExists = isFolder(paths.dataDir);
    if (ownExists ? isWritableFolder(paths.dataDir) : createFolder(paths.dataDir)) {
        return paths;
    }
    if (userRoot.empty()) {
        return paths;
    }
    const auto userDataDir = userRoot / dataFolderName();
    if (ownExists && !isFolder(userDataDir)) {
        return paths;
    }
    createFolder(userDataDir);
    paths.dataDir = userDataDir;
    return paths;
}

std::filesystem::path AppPaths::settingsFile() const {
    return dataDir / "Vazazazi.ini";
}

std::filesystem::path AppPaths::dataFile(const std::string& gbkName) const {
    return dataDir / gbkToHostName(gbkName);
}

std::filesystem::path AppPaths::appFile(const std::string& gbkName) const {
    return appDir / gbkToHostName(gbkName);
}

}  // namespace qh
