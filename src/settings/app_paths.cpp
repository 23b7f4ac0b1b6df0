#include "settings/app_paths.h"

#include <system_error>

#include "text/gbk.h"

namespace qh {

AppPaths appPathsFor(const std::filesystem::path& appDir) {
    static const std::string dataFolder = gbkToHostName(gbk("数据文件"));
    std::error_code error;
    auto absolute = std::filesystem::absolute(appDir, error);
    if (error) {
        absolute = appDir;
    }
    return {absolute, absolute / dataFolder};
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
