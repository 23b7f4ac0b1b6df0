#include "settings/app_paths.h"

#include <gtest/gtest.h>

#include <fstream>

#include "settings/save_failures.h"
#include "settings/settings_store.h"
#include "support/temp_folder.h"
#include "support/test_volumes.h"
#include "text/gbk.h"
#include "text/text_list_file.h"

namespace qh {
namespace {

using std::filesystem::path;
using testing::TempFolder;
using testing::TmpfsVolume;

path dataFolderIn(const path& folder) {
    return folder / gbkToHostName(gbk("数据文件"));
}

TEST(AppPaths, AWritableProgramFolderKeepsItsOwnDataFolder) {
    TempFolder folder;
    const auto paths = locateAppPaths(folder.path() / "shop", folder.path() / "user");
    EXPECT_EQ(paths.dataDir, dataFolderIn(folder.path() / "shop"));
    EXPECT_TRUE(isWritableFolder(paths.dataDir));
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "user"));
}

// Read-only program folders are a volume here: root, who runs the tests, may write anywhere
// else.
class ReadOnlyProgramFolder : public ::testing::Test {
protected:
    void SetUp() override {
        if (auto why = TmpfsVolume::unavailable()) {
            GTEST_SKIP() << *why;
        }
        volume_.emplace(1 << 20);
    }
    // The program folder as root installed it, optionally with a data folder of its own.
    path install(bool withDataFolder) {
        std::filesystem::create_directories(volume_->path() / "opt");
        if (withDataFolder) {
            testing::writeFile(dataFolderIn(volume_->path() / "opt") / "Vazazazi.ini",
                               "[PanFu1]\r\nPanFu1=F\r\n");
        }
        volume_->remountReadOnly();
        return volume_->path() / "opt";
    }
    TempFolder home;

private:
    std::optional<TmpfsVolume> volume_;
};

TEST_F(ReadOnlyProgramFolder, AnInstalledProgramKeepsItsDataInTheClerksOwnFolder) {
    const auto appDir = install(false);
    const auto first = locateAppPaths(appDir, home.path() / "qinghe");
    EXPECT_EQ(first.appDir, appDir);
    EXPECT_EQ(first.dataDir, dataFolderIn(home.path() / "qinghe"));
    EXPECT_TRUE(isWritableFolder(first.dataDir));
    // Found the same way at the next start.
    EXPECT_EQ(locateAppPaths(appDir, home.path() / "qinghe").dataDir, first.dataDir);
}

TEST_F(ReadOnlyProgramFolder, AShopDataFolderThatTurnedReadOnlyIsStillReadFrom) {
    const auto appDir = install(true);
    const auto paths = locateAppPaths(appDir, home.path() / "qinghe");
    EXPECT_EQ(paths.dataDir, dataFolderIn(appDir));
    EXPECT_FALSE(isWritableFolder(paths.dataDir));
    EXPECT_FALSE(std::filesystem::exists(home.path() / "qinghe"));
}

TEST_F(ReadOnlyProgramFolder, OnceTheClerkHasAFolderOfHerOwnItWins) {
    const auto appDir = install(true);
    std::filesystem::create_directories(dataFolderIn(home.path() / "qinghe"));
    EXPECT_EQ(locateAppPaths(appDir, home.path() / "qinghe").dataDir,
              dataFolderIn(home.path() / "qinghe"));
}

// A data folder on a disk that filled up: every write is refused and told once, and what the
// files held before stays whole.
TEST(DataFolderOnAFullDisk, KeepsWhatItHadAndTellsOnce) {
    if (auto why = TmpfsVolume::unavailable()) {
        GTEST_SKIP() << *why;
    }
    TmpfsVolume disk(256 * 1024);
    const auto dataDir = dataFolderIn(disk.path());
    SaveFailures failures;
    int told = 0;
    failures.setNotice([&](const std::filesystem::path&) { ++told; });
    SettingsStore settings(dataDir / "Vazazazi.ini", &failures);
    std::filesystem::create_directories(dataDir);
    ASSERT_TRUE(settings.write("PanFu1", "PanFu1", "F"));
    const auto list = dataDir / gbkToHostName(gbk("清单1.txt"));
    ASSERT_TRUE(saveTextList(list, {gbk("F:\\青禾点唱库\\1-音乐\\a.mp3")}));
    // Fill the disk to its last block.
    {
        std::ofstream filler(disk.path() / "filler", std::ios::binary);
        const std::string block(4096, 'x');
        while (filler.write(block.data(), block.size()) && filler.flush()) {
        }
    }

    EXPECT_FALSE(settings.write("PanFu2", "PanFu2", std::string(8192, 'G')));
    EXPECT_FALSE(failures.record(saveTextList(list, std::vector<std::string>(2000, "x")), list));
    EXPECT_EQ(told, 1);
    EXPECT_EQ(settings.read("PanFu1", "PanFu1"), "F");
    EXPECT_EQ(loadTextList(list), std::vector<std::string>{gbk("F:\\青禾点唱库\\1-音乐\\a.mp3")});
}

}  // namespace
}  // namespace qh
