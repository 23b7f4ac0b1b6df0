#include "settings/settings_store.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace qh
