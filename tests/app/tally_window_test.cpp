#include <gtest/gtest.h>
#include <QLabel>
#include <QTimer>

#include "app/program.h"
#include "app/window_test_shop.h"
#include "platform/fake_input_methods.h"
#include "platform/fake_shell.h"
#include "platform/fake_sound_device.h"
#include "platform/folder_reader_linux.h"
#include "platform/linux_file_system.h"
#include "settings/settings_store.h"
#include "support/qt_application.h"
#include "support/temp_folder.h"
#include "support/wait_for.h"
#include "text/gbk.h"
#include "text/text_list_file.h"

namespace qh {
namespace {

using testing::host;

// 清单1 at start-up, priced by the settings the parameters window reads.
class TallyWindowTest : public ::testing::Test, protected testing::WindowTestShop {
protected:
    TallyWindowTest() {
        addDrive('F');
        std::filesystem::create_directories(paths.dataDir);
        settings.write("PanFu1", "PanFu1", "F");
        settings.write("DanJa", "yy", "0.1");
        settings.write("DanJa", "dy", "1");
        settings.write("DanJa", "tp", "abc");
    }

    void makeSparse(const char* path, std::uintmax_t size) {
        const auto file = folder.write(host(path), "");
        std::filesystem::resize_file(file, size);
    }

    void open(const std::vector<std::string>& listOne) {
        saveTextList(paths.dataDir / host("清单1.txt"), listOne);
        windows = createProgramWindows(services());
        auto* loading = windows.main->findChild<QTimer*>("QiDTimer");
        ASSERT_TRUE(testing::waitFor([&] { return !loading->isActive(); }));
    }
    QString label(const char* name) {
        return windows.main->findChild<QLabel*>(QString::fromLatin1(name))->text();
    }

    ProgramWindows windows;
};

TEST_F(TallyWindowTest, SizesCountInWholeUnitsAndPricesMakeTheAmount) {
    makeSparse("F/青禾点唱库/1-音乐/a.mp3", 5'000'000);
    makeSparse("F/青禾点唱库/3-电影/b.rmvb", 734'003'200);
    open({gbk("F:\\青禾点唱库\\1-音乐\\a.mp3"), gbk("F:\\青禾点唱库\\3-电影\\b.rmvb")});
    EXPECT_EQ(label("Label23"), "721.68");
    EXPECT_EQ(label("Label22"), "2");
    EXPECT_EQ(label("Label60"), "1.1");
    EXPECT_EQ(label("Label2"), "1");   // 音乐
    EXPECT_EQ(label("Label13"), "1");  // 电影
    EXPECT_EQ(windows.main->listSizes().text(0), "721.68");
}

TEST_F(TallyWindowTest, FilesBelowOneUnitAddNothingAndAPriceThatIsNoNumberCountsZero) {
    makeSparse("F/青禾点唱库/5-图片/a.jpg", 10'239);
    makeSparse("F/青禾点唱库/5-图片/b.jpg", 10'239);
    open({gbk("F:\\青禾点唱库\\5-图片\\a.jpg"), gbk("F:\\青禾点唱库\\5-图片\\b.jpg")});
    EXPECT_EQ(label("Label23"), "0.00");
    EXPECT_EQ(label("Label39"), "2");  // 图片
    EXPECT_EQ(label("Label60"), "0");
}

}  // namespace
}  // namespace qh
