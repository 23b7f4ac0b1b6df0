#include "app_data.h"

#include <stdexcept>
#include <string_view>

#include "picture_maker.h"
#include "settings/app_paths.h"
#include "settings/drive_setup.h"
#include "text/atomic_file.h"
#include "text/gbk.h"
#include "text/ini_file.h"
#include "text/text_list_file.h"

namespace qh::demo {

namespace {

struct Price {
    std::string_view key;
    std::string_view value;
};

// The parameters window's own defaults, in category order.
constexpr Price kPrices[] = {
    {"yy", "0.1"}, {"mtv", "0.2"}, {"dy", "1"}, {"lxj", "0.2"}, {"tp", "0.1"}, {"dzs", "0.5"},
    {"yx", "5"},   {"llp", "1"},   {"xp", "1"}, {"ych", "1"},   {"ls", "0.1"}, {"qt", "1"},
};

void check(bool written, const std::filesystem::path& file) {
    if (!written) {
        throw std::runtime_error("cannot write " + file.string());
    }
}

void count(const std::filesystem::path& file, WriteTally& tally) {
    tally.files += 1;
    tally.bytes += std::filesystem::file_size(file);
}

// Folders relative to the data folder, so the demo still works after it is moved.
std::string driveMap(const std::filesystem::path& dataDir, const DemoDrives& drives) {
    const auto relative = [&dataDir](const std::filesystem::path& drive) {
        return std::filesystem::relative(drive, dataDir).generic_string();
    };
    return "# The demo shop's drives; folders relative to this data folder.\n"
           "D=" +
           relative(drives.fixedD) + "\n" + "F=" + relative(drives.library) + "\n" +
           "G=" + relative(drives.removable) + ",removable\n";
}

}  // namespace

void writeAppData(const std::filesystem::path& appDir, const DemoDrives& drives,
                  const std::vector<std::string>& singers, WriteTally& tally) {
    const AppPaths paths = appPathsFor(appDir);
    std::filesystem::create_directories(paths.dataDir);

    const auto mapFile = paths.dataDir / kDriveMapFileName;
    check(writeFileAtomically(mapFile, driveMap(paths.dataDir, drives)), mapFile);
    count(mapFile, tally);

    std::vector<std::string> singerLines;
    for (const auto& singer : singers) {
        singerLines.push_back(gbk(singer));
    }
    const auto singerFile = paths.dataFile(gbk("歌手.txt"));
    check(saveTextList(singerFile, singerLines), singerFile);
    count(singerFile, tally);

    const auto settings = paths.settingsFile();
    check(writeIniValue(settings, "PanFu1", "PanFu1", "F"), settings);
    for (const Price& price : kPrices) {
        check(writeIniValue(settings, "DanJa", price.key, price.value), settings);
    }
    count(settings, tally);

    const auto placeholder = paths.dataFile(gbk("青禾点唱.gif"));
    check(writeFileAtomically(placeholder, browserPlaceholderGif()), placeholder);
    count(placeholder, tally);
}

}  // namespace qh::demo
