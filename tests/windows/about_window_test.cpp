#include "windows/about_window.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QGroupBox>
#include <QImage>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "support/qt_application.h"
#include "windows/maker_texts.h"

namespace qh {
namespace {

// A skin colours the whole program through the application's sheet; the test's skin is taken
// off again afterwards.
class ScopedSkinSheet {
public:
    explicit ScopedSkinSheet(const char* sheet) : before_(qApp->styleSheet()) {
        qApp->setStyleSheet(QString::fromUtf8(sheet));
    }
    ~ScopedSkinSheet() { qApp->setStyleSheet(before_); }

private:
    QString before_;
};

class AboutWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testing::ensureApplication(); }

    template <typename Control>
    Control* control(const char* name) {
        Control* found = window.findChild<Control*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    // The group whose controls the clerk sees where both groups lie.
    QGroupBox* groupOnTop() {
        QWidget* hit = window.childAt(QPoint(200, 150));
        for (; hit != nullptr; hit = hit->parentWidget()) {
            if (auto* group = qobject_cast<QGroupBox*>(hit)) {
                return group;
            }
        }
        return nullptr;
    }

    AboutWindow window;
};

TEST_F(AboutWindowTest, MadeHiddenWithItsCaptionFixedSizeAndOnlyACloseBox) {
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.objectName(), "TGYuForm4");
    EXPECT_EQ(window.windowTitle(), QString::fromUtf8("青禾点唱手机下载系统"));
    EXPECT_EQ(window.minimumSize(), QSize(491, 427));
    EXPECT_EQ(window.maximumSize(), QSize(491, 427));
    const Qt::WindowFlags flags = window.windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::Window));
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));

    const struct {
        const char* name;
        const char* text;
        QRect place;
    } controls[] = {
        {"GroupBox1", "关于我们", {8, 8, 457, 329}},
        {"GroupBox2", "免责声明", {8, 8, 473, 329}},
        {"Button1", "关闭", {224, 360, 75, 25}},
    };
    for (const auto& c : controls) {
        SCOPED_TRACE(c.name);
        QWidget* widget = control<QWidget>(c.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->parentWidget(), &window);
        EXPECT_EQ(widget->geometry(), c.place);
        const QString text =
            widget->property(qobject_cast<QGroupBox*>(widget) ? "title" : "text").toString();
        EXPECT_EQ(text, QString::fromUtf8(c.text));
    }
    EXPECT_EQ(control<QPlainTextEdit>("Memo1")->parentWidget(), control<QWidget>("GroupBox1"));
    EXPECT_EQ(control<QListWidget>("ListBox1")->parentWidget(), control<QWidget>("GroupBox2"));
}

TEST_F(AboutWindowTest, EachLinkShowsItsGroupAndCloseHides) {
    auto* about = control<QGroupBox>("GroupBox1");
    auto* disclaimer = control<QGroupBox>("GroupBox2");

    window.showDisclaimer();
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(disclaimer->isVisible());
    EXPECT_EQ(groupOnTop(), disclaimer);

    window.showAbout();
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(disclaimer->isVisible());
    EXPECT_TRUE(about->isVisible());
    EXPECT_EQ(groupOnTop(), about);

    window.showDisclaimer();
    EXPECT_EQ(groupOnTop(), disclaimer);

    QTest::mouseClick(control<QPushButton>("Button1"), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());

    // Closed with the disclaimer showing, the other link still opens on the maker's information.
    window.showAbout();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(groupOnTop(), about);
}

TEST_F(AboutWindowTest, TheDisclaimerWhollyCoversTheMakersInformationInTheSkinsColours) {
    const ScopedSkinSheet skin("QWidget#TGYuForm4 { background-color: #20407a; }");
    AboutWindow skinned;
    skinned.showDisclaimer();
    const QRect place = skinned.findChild<QWidget*>("GroupBox2")->geometry();
    const QImage shown = skinned.grab(place).toImage();
    // Beside the caption, the window's background of the skin.
    EXPECT_EQ(shown.pixelColor(place.width() - 20, 2).name().toStdString(), "#20407a");
    skinned.findChild<QWidget*>("GroupBox1")->hide();
    // Not even the caption "关于我们" may show through the disclaimer's.
    EXPECT_TRUE(skinned.grab(place).toImage() == shown);
}

TEST_F(AboutWindowTest, MemoIsReadOnlyWhiteOnSteelBlueWhateverTheSkin) {
    const ScopedSkinSheet skin("QPlainTextEdit { color: black; background-color: white; }");
    AboutWindow skinned;
    skinned.showAbout();
    auto* memo = skinned.findChild<QPlainTextEdit*>("Memo1");
    ASSERT_NE(memo, nullptr);
    const QImage shot = memo->viewport()->grab().toImage();

    EXPECT_TRUE(memo->isReadOnly());
    EXPECT_EQ(memo->toPlainText(), makerInformation());
    QTest::keyClicks(memo, "x");
    EXPECT_EQ(memo->toPlainText(), makerInformation());

    // 12627333 = 0x00C0AD85 read as 0x00BBGGRR.
    const QColor steelBlue(133, 173, 192);
    const QPoint blank(shot.width() - 4, shot.height() - 4);
    EXPECT_EQ(shot.pixelColor(blank).name().toStdString(), steelBlue.name().toStdString());
    int whitePixels = 0;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            whitePixels += shot.pixelColor(x, y) == Qt::white ? 1 : 0;
        }
    }
    EXPECT_GT(whitePixels, 100) << "the text is drawn white";
}

TEST_F(AboutWindowTest, TextsFitTheirBoxesWithoutScrolling) {
    window.showAbout();
    auto* memo = control<QPlainTextEdit>("Memo1");
    QCoreApplication::processEvents();
    EXPECT_EQ(memo->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(memo->horizontalScrollBar()->maximum(), 0);

    window.showDisclaimer();
    auto* list = control<QListWidget>("ListBox1");
    QCoreApplication::processEvents();
    ASSERT_EQ(list->count(), disclaimerLines().size());
    EXPECT_TRUE(list->item(0)->text().startsWith(QString::fromUtf8("声明总则:")));
    EXPECT_EQ(list->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(list->horizontalScrollBar()->maximum(), 0);
    for (int row = 0; row < list->count(); ++row) {
        SCOPED_TRACE(list->item(row)->text().toStdString());
        EXPECT_EQ(list->item(row)->text(), disclaimerLines()[row]);
        EXPECT_LE(list->fontMetrics().horizontalAdvance(list->item(row)->text()),
                  list->viewport()->width());
    }
}

}  // namespace
}  // namespace qh
