#include "windows/video_preview_window.h"

#include <gtest/gtest.h>
#include <QLabel>
#include <QMediaPlayer>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include "media/tone_wav.h"
#include "support/qstring_printer.h"
#include "support/qt_application.h"
#include "support/temp_folder.h"
#include "support/wait_for.h"
#include "support/window_children.h"

namespace qh {
namespace {

using testing::child;
using testing::waitFor;

class VideoPreviewWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testing::ensureApplication(); }
    void SetUp() override {
        if (!QMediaPlayer().isAvailable()) {
            GTEST_SKIP() << "Qt Multimedia has no backend here (install the GStreamer plugins)";
        }
    }

    int position() { return child<QSlider>(window, "PreviewPosition")->value(); }
    QString time() { return child<QLabel>(window, "PreviewTime")->text(); }
    void click(const char* button) {
        QTest::mouseClick(child<QPushButton>(window, button), Qt::LeftButton);
    }
    // Where the position stands once it has had time to run on.
    int positionAfterAWhile() {
        QTest::qWait(400);
        return position();
    }

    testing::TempFolder folder;
    const std::filesystem::path fourSeconds =
        folder.write("影片 one.wav", makeToneWav({{440, 440, 4000}}));
    VideoPreviewWindow window;
};

TEST_F(VideoPreviewWindowTest, PlaysPausesStopsAndStopsWhenClosed) {
    EXPECT_EQ(window.objectName(), "VideoPreview");
    EXPECT_TRUE(window.isWindow());
    EXPECT_EQ(window.windowTitle(), QString::fromUtf8("青禾点唱 影片预览"));

    window.play(fourSeconds);
    EXPECT_TRUE(window.isVisible());
    ASSERT_TRUE(waitFor([&] { return position() >= 300; })) << time().toStdString();
    EXPECT_TRUE(time().endsWith(QStringLiteral(" / 00:04"))) << time().toStdString();

    click("PreviewPause");
    const int paused = positionAfterAWhile();
    EXPECT_NEAR(positionAfterAWhile(), paused, 30);

    click("PreviewPlay");
    EXPECT_TRUE(waitFor([&] { return position() > paused + 200; }));

    click("PreviewStop");
    EXPECT_TRUE(waitFor([&] { return position() == 0; }));
    EXPECT_EQ(positionAfterAWhile(), 0);
    EXPECT_EQ(time(), QStringLiteral("00:00 / 00:04"));

    // Dragging the bar seeks.
    click("PreviewPlay");
    ASSERT_TRUE(waitFor([&] { return position() > 0; }));
    auto* bar = child<QSlider>(window, "PreviewPosition");
    bar->setSliderDown(true);
    bar->setSliderPosition(2500);
    bar->setSliderDown(false);
    EXPECT_TRUE(waitFor([&] { return position() >= 2500; }));
    EXPECT_TRUE(time().startsWith(QStringLiteral("00:02"))) << time().toStdString();

    window.play(fourSeconds);
    EXPECT_TRUE(waitFor([&] { return position() < 1000; }, 1000))
        << "playing the same film again does not start it over";
    ASSERT_TRUE(waitFor([&] { return position() >= 300; }));
    window.close();
    const int closedAt = positionAfterAWhile();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(positionAfterAWhile(), closedAt) << "the film plays on behind a closed window";
}

TEST_F(VideoPreviewWindowTest, AFilmThatCannotPlayIsToldInTheOpenWindow) {
    const auto broken = folder.write("broken.avi", std::string(5000, 'x'));
    for (const auto& file : {broken, folder.path() / "gone.mkv"}) {
        SCOPED_TRACE(file.filename().string());
        window.play(fourSeconds);
        ASSERT_TRUE(waitFor([&] { return position() >= 100; }));
        window.play(file);
        EXPECT_TRUE(waitFor([&] { return time() == QString::fromUtf8("无法播放此影片"); }))
            << time().toStdString();
        QTest::qWait(300);
        EXPECT_EQ(time(), QString::fromUtf8("无法播放此影片"));
        EXPECT_TRUE(window.isVisible());

        // Asked for again, as a clerk does who thinks it was a slip.
        window.play(file);
        EXPECT_TRUE(waitFor([&] { return time() == QString::fromUtf8("无法播放此影片"); }))
            << time().toStdString();
    }
}

}  // namespace
}  // namespace qh
