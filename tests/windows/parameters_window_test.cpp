#include "windows/parameters_window.h"

#include <gtest/gtest.h>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "media/key_sounds.h"
#include "media/sound_cue.h"
#include "platform/fake_input_methods.h"
#include "platform/fake_sound_device.h"
#include "settings/app_paths.h"
#include "settings/settings_store.h"
#include "support/qt_application.h"
#include "support/temp_folder.h"
#include "text/gbk.h"

namespace qh {
namespace {

using testing::TempFolder;

const char* const kPriceKeys[kCategoryCount] = {"yy", "mtv", "dy", "lxj", "tp", "dzs",
                                                "yx", "llp", "xp", "ych", "ls", "qt"};

class ParametersWindowTest : public ::testing::Test {
protected:
    ParametersWindowTest() {
        testing::ensureApplication();
        std::filesystem::create_directories(paths.dataDir);
    }

    std::unique_ptr<ParametersWindow> create(const InputMethods& installed) {
        auto window = std::make_unique<ParametersWindow>(
            ParametersWindowServices{settings, installed, keySounds});
        window->setMessagePresenter([this](const QString& text) { messages << text; });
        return window;
    }
    std::unique_ptr<ParametersWindow> create() { return create(inputMethods); }

    static QComboBox* inputMethodBox(ParametersWindow& window) {
        return window.findChild<QComboBox*>("ComboBox1");
    }
    static void retype(QLineEdit* box, const char* text) {
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, QString::fromUtf8(text));
    }

    TempFolder folder;
    AppPaths paths = appPathsFor(folder.path() / "app");
    SettingsStore settings{paths.settingsFile()};
    FakeSoundDevice soundDevice;
    KeySounds keySounds{soundDevice, folder.path() / "sounds"};
    FakeInputMethods inputMethods{{gbk("系统默认输入法"), gbk("fcitx 中文输入法")}};
    QStringList messages;
};

TEST_F(ParametersWindowTest, CreationReadsPricesAndInputMethodWithoutWriting) {
    const char* stored[kCategoryCount] = {"0.15", "0.2", "1", "abc",   "",   "1,5",
                                          "5",    "1",   "1", "1e400", "-1", " 0.5 "};
    for (int i = 0; i < kCategoryCount; ++i) {
        settings.write("DanJa", kPriceKeys[i], stored[i]);
    }
    settings.write("ShuRuFa", "shurufa1", gbk("搜狗拼音"));
    const std::string before = testing::readFile(paths.settingsFile());

    auto window = create();
    const UnitPrices expected = {1500, 2000, 10000, 0, 0, 0, 50000, 10000, 10000, 0, 0, 5000};
    EXPECT_EQ(window->unitPrices(), expected);
    for (int i = 0; i < kCategoryCount; ++i) {
        SCOPED_TRACE(kPriceKeys[i]);
        // Blanks around a value are lost on reading the settings file.
        EXPECT_EQ(window->priceBox(i)->text(), QString(stored[i]).trimmed());
        EXPECT_EQ(window->priceBox(i)->objectName(), QStringLiteral("Edit%1").arg(i + 1));
    }
    // A stored name that is not installed still stands and shows.
    EXPECT_EQ(window->preferredInputMethod(), gbk("搜狗拼音"));
    EXPECT_EQ(inputMethodBox(*window)->currentText(), QString::fromUtf8("搜狗拼音"));
    EXPECT_EQ(inputMethodBox(*window)->count(), 2);
    EXPECT_EQ(testing::readFile(paths.settingsFile()), before);
    EXPECT_EQ(keySounds.pendingCode(), 0);
}

TEST_F(ParametersWindowTest, WithoutSettingsPricesAreZeroAndTheDefaultInputMethodIsTaken) {
    auto window = create();
    EXPECT_EQ(window->unitPrices(), UnitPrices{});
    EXPECT_EQ(window->preferredInputMethod(), gbk("系统默认输入法"));
    EXPECT_EQ(inputMethodBox(*window)->currentText(), QString::fromUtf8("系统默认输入法"));
    EXPECT_FALSE(std::filesystem::exists(paths.settingsFile()));

    const FakeInputMethods none;
    auto bare = create(none);
    EXPECT_EQ(bare->preferredInputMethod(), "");
    EXPECT_EQ(inputMethodBox(*bare)->currentText(), QString());
}

TEST_F(ParametersWindowTest, SaveStoresTheTextsAsTypedForTheNextStart) {
    settings.write("DanJa", "yy", "0.1");
    auto window = create();
    window->showWindow();
    const char* typed[kCategoryCount] = {"0.3", "abc", "2",   "",    "0.1", "1,5",
                                         "5",   "1",   "1.5", "100", "0.1", "-2"};
    for (int i = 0; i < kCategoryCount; ++i) {
        retype(window->priceBox(i), typed[i]);
    }
    QTest::mouseClick(window->findChild<QPushButton*>("Button1"), Qt::LeftButton);

    for (int i = 0; i < kCategoryCount; ++i) {
        SCOPED_TRACE(kPriceKeys[i]);
        EXPECT_EQ(settings.read("DanJa", kPriceKeys[i]), typed[i]);
    }
    EXPECT_EQ(messages, QStringList{QString::fromUtf8("新设置将在下次开启软件后生效！")});
    EXPECT_EQ(keySounds.pendingCode(), kCueSelect);
    EXPECT_TRUE(window->isVisible());
    // The prices in use stay those of the start.
    EXPECT_EQ(window->unitPrices()[0], 1000);
    EXPECT_EQ(window->unitPrices()[1], 0);

    auto nextStart = create();
    const UnitPrices expected = {3000, 0, 20000, 0, 1000, 0, 50000, 10000, 15000, 1000000, 1000, 0};
    EXPECT_EQ(nextStart->unitPrices(), expected);
}

TEST_F(ParametersWindowTest, InputMethodChangeIsStoredAndAnnouncedAtOnce) {
    auto window = create();
    window->showWindow();
    QSignalSpy announced(window.get(), &ParametersWindow::preferredInputMethodChanged);
    QComboBox* box = inputMethodBox(*window);

    QTest::keyClick(box, Qt::Key_Down);  // picks the second installed name
    EXPECT_EQ(settings.read("ShuRuFa", "shurufa1"), gbk("fcitx 中文输入法"));
    EXPECT_EQ(window->preferredInputMethod(), gbk("fcitx 中文输入法"));
    ASSERT_EQ(announced.count(), 1);
    EXPECT_EQ(announced.last().at(0).toString(), QString::fromUtf8("fcitx 中文输入法"));
    EXPECT_EQ(keySounds.pendingCode(), kCueSelect);

    // Typing stores every intermediate text; the last one stands.
    box->lineEdit()->clear();
    announced.clear();
    QTest::keyClicks(box->lineEdit(), QStringLiteral("ibus"));
    EXPECT_EQ(announced.count(), 4);
    EXPECT_EQ(settings.read("ShuRuFa", "shurufa1"), "ibus");
    EXPECT_EQ(window->preferredInputMethod(), "ibus");
    EXPECT_EQ(create()->preferredInputMethod(), "ibus");
}

}  // namespace
}  // namespace qh
