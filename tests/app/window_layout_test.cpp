#include "app/window_layout.h"

#include <gtest/gtest.h>
#include <QListWidget>
#include <QProgressBar>
#include <QTabWidget>
#include <QTreeView>

#include "app/main_window.h"
#include "app/window_test_shop.h"
#include "support/wait_for.h"
#include "support/window_children.h"

namespace qh {
namespace {

TEST(MainWindowLayout, SnapsBackOnlyAtOrBelowTheLowestHeight) {
    EXPECT_EQ(snappedOuterHeight(1), 410);
    EXPECT_EQ(snappedOuterHeight(380), 410);
    EXPECT_EQ(snappedOuterHeight(400), 410);
    EXPECT_EQ(snappedOuterHeight(401), 0);
    EXPECT_EQ(snappedOuterHeight(711), 0);
}

TEST(MainWindowLayout, EdgesFollowTheOuterSize) {
    const auto made = mainWindowLayout(1013, 711);
    EXPECT_EQ(made.linksTop, 711 - 146 + 8);
    EXPECT_EQ(made.playerColumnHeight, 594);
    EXPECT_EQ(made.playlistHeight, 346);
    EXPECT_EQ(made.tabStripHeight, 634);
    EXPECT_EQ(made.categoryPanelTop, 489);
    EXPECT_EQ(made.newAdditionsBarTop, 631);
    EXPECT_EQ(made.resultAreaHeight, 498);
    EXPECT_EQ(made.countLabelTop, 481);
    EXPECT_EQ(made.viewButtonsTop, 474);
    EXPECT_EQ(made.resultListHeight, 458);
    EXPECT_EQ(made.listsHeight, 623);
    EXPECT_EQ(made.listsWidth, 273);
    EXPECT_EQ(made.tallyTop, 447);
    EXPECT_EQ(made.shownListHeight, 296);
    EXPECT_EQ(made.shownListWidth, 257);
    EXPECT_EQ(made.copyAnimationTop, 504);
    EXPECT_EQ(made.copyBoxTop, 543);
    EXPECT_EQ(made.progressBarsTop, 669);
}

TEST(MainWindowLayout, SizesTheRulesWouldMakeNegativeAreNone) {
    const auto low = mainWindowLayout(700, 410);
    EXPECT_EQ(low.shownListHeight, 0);
    EXPECT_EQ(low.listsWidth, 0);
    EXPECT_EQ(low.shownListWidth, 0);
    EXPECT_GT(low.resultListHeight, 0);
}

class MainWindowResizeTest : public ::testing::Test, protected testing::WindowTestShop {
protected:
    MainWindowResizeTest() {
        addDrive('F');
        std::filesystem::create_directories(paths.dataDir);
        settings.write("PanFu1", "PanFu1", "F");
        window = std::make_unique<MainWindow>(services());
        window->show();
    }
    // Outer pixels, as the rules count them.
    void resizeOuter(int width, int height) {
        window->resize(width - 2 * kFrameWidth, height - kFrameHeight);
        QCoreApplication::processEvents();
    }
    int outerHeight() const { return window->height() + kFrameHeight; }
    QWidget* control(const char* name) { return testing::child<QWidget>(*window, name); }

    std::unique_ptr<MainWindow> window;
};

TEST_F(MainWindowResizeTest, ControlsFollowTheHeightAndTheListsTheWidth) {
    for (const int height : {711, 1000, 380}) {
        SCOPED_TRACE(height);
        resizeOuter(1013 + (height == 1000 ? 200 : 0), height);
        ASSERT_TRUE(testing::waitFor([&] { return outerHeight() >= 410; }));
        const int h = outerHeight();
        EXPECT_EQ(h, height == 380 ? 410 : height);
        const auto expected = mainWindowLayout(window->width() + 2 * kFrameWidth, h);
        EXPECT_EQ(control("ListBox9")->height(), expected.playlistHeight);
        EXPECT_EQ(control("ListView1")->height(), expected.resultListHeight);
        EXPECT_EQ(control("ListBox8")->height(), expected.resultListHeight);
        EXPECT_EQ(control("ListView2")->height(), expected.shownListHeight);
        EXPECT_EQ(control("ListView2")->width(), expected.shownListWidth);
        EXPECT_EQ(control("PageControl2")->width(), expected.listsWidth);
        EXPECT_EQ(control("GroupBox5")->y(), expected.tallyTop);
        EXPECT_EQ(control("Label24")->y(), expected.linksTop);
        EXPECT_EQ(control("GroupBox10")->y(), expected.copyBoxTop);
        EXPECT_EQ(control("Animate1")->y(), expected.copyAnimationTop);
        EXPECT_EQ(control("ProgressBar1")->y(), expected.progressBarsTop);
        EXPECT_EQ(control("SpeedButton8")->y(), expected.viewButtonsTop);
        EXPECT_EQ(control("PageControl1")->y(), expected.categoryPanelTop);
        EXPECT_EQ(control("GroupBox9")->y(), expected.newAdditionsBarTop);
    }
}

TEST_F(MainWindowResizeTest, ExtremeSizesKeepEveryControlInsideTheWindow) {
    for (const QSize outer : {QSize(1, 1), QSize(5000, 5000)}) {
        SCOPED_TRACE(outer.width());
        resizeOuter(outer.width(), outer.height());
        ASSERT_TRUE(testing::waitFor([&] { return outerHeight() >= 410; }));
        for (auto* widget : window->centralWidget()->findChildren<QWidget*>()) {
            if (!widget->isVisible()) {
                continue;
            }
            SCOPED_TRACE(widget->objectName().toStdString());
            EXPECT_GE(widget->width(), 0);
            EXPECT_GE(widget->height(), 0);
            const QRect inWindow(widget->mapTo(window.get(), QPoint(0, 0)), widget->size());
            EXPECT_LE(inWindow.right(), window->width());
            EXPECT_LE(inWindow.bottom(), window->height());
        }
    }
}

}  // namespace
}  // namespace qh
