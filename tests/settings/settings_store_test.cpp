#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include "settings/save_failures.h"
#include "support/temp_folder.h"
#include "text/gbk.h"

namespace qh {
namespace {

using testing::readFile;
using testing::TempFolder;

TEST(SettingsStore, DriveLetterWrittenByOneSpellingReadsBackUnderTheOther) {
    TempFolder folder;
    SettingsStore store(folder.path() / "Vazazazi.ini");
    ASSERT_TRUE(store.write("PanFu1", "PanFu1", "G"));
    EXPECT_EQ(readFile(store.file()), "[PanFu1]\r\nPanFu1=G\r\n");
    EXPECT_EQ(store.read("Panfu1", "Panfu1"), "G");
}

TEST(SettingsStore, BlankDriveLetterReadsBackAsNoDrive) {
    TempFolder folder;
    SettingsStore store(folder.path() / "Vazazazi.ini");
    store.write("PanFu2", "PanFu2", " ");
    EXPECT_NE(readFile(store.file()).find("PanFu2= \r\n"), std::string::npos);
    EXPECT_EQ(store.read("PanFu2", "PanFu2"), "");
}

TEST(SettingsStore, MissingFileReadsEmptyAndFirstWriteCreatesOnlyThatSection) {
    TempFolder folder;
    SettingsStore store(folder.path() / "Vazazazi.ini");
    EXPECT_EQ(store.read("PanFu1", "Panfu1"), "");
    EXPECT_FALSE(std::filesystem::exists(store.file()));
    store.write("PiFu", "PiFu", "3");
    EXPECT_EQ(readFile(store.file()), "[PiFu]\r\nPiFu=3\r\n");
}

TEST(SettingsStore, EachWriteReachesTheFileAtOnce) {
    TempFolder folder;
    SettingsStore writer(folder.path() / "Vazazazi.ini");
    SettingsStore reader(folder.path() / "Vazazazi.ini");
    const std::string address = gbk("青禾路88号=二楼");
    for (const std::string& text : {std::string("x"), address}) {
        writer.write("DiZi", "DiZi1", text);
        EXPECT_EQ(reader.read("DiZi", "DiZi1"), text);
    }
}

TEST(SettingsStore, WriteIntoMissingDataFolderFailsQuietly) {
    TempFolder folder;
    SettingsStore store(folder.path() / "missing" / "Vazazazi.ini");
    EXPECT_FALSE(store.write("PanFu1", "PanFu1", "F"));
    EXPECT_EQ(store.read("PanFu1", "PanFu1"), "");
}

// The shop keeps its settings on another disk and links them into the data folder.
TEST(SettingsStore, ASymbolicLinkStaysALinkAndItsTargetTakesTheWrite) {
    TempFolder folder;
    folder.write("shared/Vazazazi.ini", "[PiFu]\r\nPiFu=1\r\n");
    std::filesystem::create_directories(folder.path() / "data");
    std::filesystem::create_symlink("../shared/Vazazazi.ini", folder.path() / "data/link.ini");
    std::filesystem::create_symlink("link.ini", folder.path() / "data/Vazazazi.ini");
    SettingsStore store(folder.path() / "data/Vazazazi.ini");

    ASSERT_TRUE(store.write("PiFu", "PiFu", "7"));

    EXPECT_TRUE(std::filesystem::is_symlink(folder.path() / "data/Vazazazi.ini"));
    EXPECT_TRUE(std::filesystem::is_symlink(folder.path() / "data/link.ini"));
    EXPECT_EQ(readFile(folder.path() / "shared/Vazazazi.ini"), "[PiFu]\r\nPiFu=7\r\n");
    // Nothing is left beside the link or the target.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path() / "shared"),
                            std::filesystem::directory_iterator{}),
              1);
}

// Every failed write is refused, and the clerk hears of the first one only.
TEST(SettingsStore, FailedWritesAreRecordedAndToldOnce) {
    TempFolder folder;
    std::filesystem::create_symlink("loop.ini", folder.path() / "loop.ini");
    SaveFailures failures;
    SettingsStore looped(folder.path() / "loop.ini", &failures);
    SettingsStore missingFolder(folder.path() / "gone" / "Vazazazi.ini", &failures);

    EXPECT_FALSE(looped.write("PiFu", "PiFu", "1"));
    std::vector<std::filesystem::path> told;
    failures.setNotice([&](const std::filesystem::path& file) { told.push_back(file); });
    EXPECT_FALSE(missingFolder.write("PiFu", "PiFu", "2"));
    EXPECT_FALSE(looped.write("PiFu", "PiFu", "3"));

    EXPECT_EQ(told, std::vector<std::filesystem::path>{folder.path() / "loop.ini"});
    EXPECT_TRUE(failures.anyFailed());
}

}  // namespace
}  // namespace qh
