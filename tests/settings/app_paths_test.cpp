#include "settings/app_paths.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"
#include "support/test_volumes.h"
#include "text/gbk.h"

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

}  // namespace
}  // namespace qh
