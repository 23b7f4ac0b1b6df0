#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QTreeView>
#include <algorithm>
#include <cmath>
#include <optional>
#include <set>
#include <string_view>
#include <utility>

#include "app/skins.h"
#include "support/qt_application.h"

namespace qh {
namespace {

using namespace std::string_view_literals;

// WCAG 2 relative luminance and contrast ratio of sRGB colours.
double linearChannel(int value) {
    const double v = value / 255.0;
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

double luminance(QRgb colour) {
    return 0.2126 * linearChannel(qRed(colour)) + 0.7152 * linearChannel(qGreen(colour)) +
           0.0722 * linearChannel(qBlue(colour));
}

double contrast(QRgb a, QRgb b) {
    const double x = luminance(a);
    const double y = luminance(b);
    return (std::max(x, y) + 0.05) / (std::min(x, y) + 0.05);
}

struct Lab {
    double l, a, b;
};

// CIE L*a*b* under D65.
Lab labOf(QRgb colour) {
    const double r = linearChannel(qRed(colour));
    const double g = linearChannel(qGreen(colour));
    const double b = linearChannel(qBlue(colour));
    const auto f = [](double t) {
        return t > 216.0 / 24389 ? std::cbrt(t) : t * 841 / 108 + 4.0 / 29;
    };
    const double fx = f((0.4124 * r + 0.3576 * g + 0.1805 * b) / 0.95047);
    const double fy = f(0.2126 * r + 0.7152 * g + 0.0722 * b);
    const double fz = f((0.0193 * r + 0.1192 * g + 0.9505 * b) / 1.08883);
    return {116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)};
}

// CIE76 colour difference; about 2.3 is just noticeable, 40 and more is another colour.
double colourDifference(QRgb a, QRgb b) {
    const Lab x = labOf(a);
    const Lab y = labOf(b);
    return std::hypot(x.l - y.l, x.a - y.a, x.b - y.b);
}

QString skinName(int n) {
    return QStringLiteral("skin %1 %2").arg(n).arg(QString::fromUtf8(skinEntries()[n].caption));
}

TEST(SkinNumberTest, OnlyTheDecimalTextsOfTheElevenSkinsAreSkinNumbers) {
    const struct {
        std::string_view stored;
        std::optional<int> skin;
    } cases[] = {
        {"0", 0},
        {"3", 3},
        {"10", 10},
        {"", std::nullopt},
        {"abc", std::nullopt},
        {"-1", std::nullopt},
        {"-0", std::nullopt},
        {"11", std::nullopt},
        {"100", std::nullopt},
        {"999999999999", std::nullopt},
        {" 3", std::nullopt},
        {"3 ", std::nullopt},
        {"3a", std::nullopt},
        {"+3", std::nullopt},
        {"03", std::nullopt},
        {"3\0"sv, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.stored));
        EXPECT_EQ(skinNumberOf(c.stored), c.skin);
    }
}

using Colour = QRgb SkinColours::*;

struct ColourPair {
    const char* what;
    Colour text;
    Colour background;
};

TEST(SkinColoursTest, EveryTextIsLegibleOnEachBackgroundItIsDrawnOn) {
    const ColourPair pairs[] = {
        {"text on window", &SkinColours::text, &SkinColours::window},
        {"text on panel", &SkinColours::text, &SkinColours::panel},
        {"list tab caption on tab", &SkinColours::text, &SkinColours::tab},
        {"list tab caption on chosen tab", &SkinColours::text, &SkinColours::tabSelected},
        {"list text on base", &SkinColours::baseText, &SkinColours::base},
        {"list text on alternate row", &SkinColours::baseText, &SkinColours::alternateBase},
        {"input hint on base", &SkinColours::placeholder, &SkinColours::base},
        {"selected text on selection", &SkinColours::highlightedText, &SkinColours::highlight},
        {"button text on button", &SkinColours::buttonText, &SkinColours::button},
        {"menu text on menu", &SkinColours::menuText, &SkinColours::menu},
        {"tooltip text on tooltip", &SkinColours::toolTipText, &SkinColours::toolTip},
        {"category caption on tab", &SkinColours::tabText, &SkinColours::tab},
        {"category caption on chosen tab", &SkinColours::tabText, &SkinColours::tabSelected},
        {"alert on window", &SkinColours::alert, &SkinColours::window},
        {"alert on panel", &SkinColours::alert, &SkinColours::panel},
        {"alert on list base", &SkinColours::alert, &SkinColours::base},
        {"alert on alternate row", &SkinColours::alert, &SkinColours::alternateBase},
    };
    for (int n = 0; n < kSkinCount; ++n) {
        SCOPED_TRACE(skinName(n).toStdString());
        const SkinColours& skin = skinColours(n);
        for (const auto& pair : pairs) {
            SCOPED_TRACE(pair.what);
            EXPECT_GE(contrast(skin.*pair.text, skin.*pair.background), 4.5);
        }
        // Not text, but the done part of a bar must stand out from the rest (3:1).
        EXPECT_GE(contrast(skin.progress, skin.base), 3.0);
    }
}

TEST(SkinColoursTest, TheAlertIsARedThatStandsApartFromOrdinaryText) {
    for (int n = 0; n < kSkinCount; ++n) {
        SCOPED_TRACE(skinName(n).toStdString());
        const SkinColours& skin = skinColours(n);
        const QColor alert(skin.alert);
        const int hue = alert.hsvHue();
        EXPECT_TRUE(hue <= 20 || hue >= 340) << hue;
        EXPECT_GE(alert.hsvSaturationF(), 0.45);
        // A red dark enough to look brown or black is no alarm.
        EXPECT_GE(alert.valueF(), 0.5);
        EXPECT_GE(colourDifference(skin.alert, skin.text), 40);
        EXPECT_GE(colourDifference(skin.alert, skin.baseText), 40);
    }
}

TEST(SkinColoursTest, NoTwoSkinsShareWindowAndText) {
    std::set<std::pair<QRgb, QRgb>> looks;
    for (int n = 0; n < kSkinCount; ++n) {
        SCOPED_TRACE(skinName(n).toStdString());
        EXPECT_TRUE(looks.emplace(skinColours(n).window, skinColours(n).text).second);
    }
}

TEST(SkinColoursTest, ANumberOutsideTheMenuGivesTheDefaultSkin) {
    for (const int n : {-1, kSkinCount, 99}) {
        SCOPED_TRACE(n);
        EXPECT_EQ(&skinColours(n), &skinColours(0));
        EXPECT_EQ(skinStyleSheet(n), skinStyleSheet(0));
    }
}

TEST(SkinColoursTest, TheStyleSheetNamesNoColourItDoesNotKnow) {
    for (int n = 0; n < kSkinCount; ++n) {
        SCOPED_TRACE(skinName(n).toStdString());
        EXPECT_FALSE(skinStyleSheet(n).contains(QLatin1String("$(")));
    }
}

// The skins go to the test binary's one application; the other window tests find the default.
class SkinApplyTest : public ::testing::Test {
protected:
    SkinApplyTest() { testing::ensureApplication(); }
    ~SkinApplyTest() override { applySkin(0); }

    static QRgb colourOf(QWidget& widget, QPalette::ColorRole role) {
        widget.ensurePolished();
        return widget.palette().color(role).rgb() & RGB_MASK;
    }
};

QLabel* labelWith(QWidget* parent, const char* tone, bool hovered = false) {
    auto* label = new QLabel(QStringLiteral("x"), parent);
    label->setProperty("tone", QString::fromLatin1(tone));
    label->setProperty("hovered", hovered);
    return label;
}

// One widget of each kind the skin colours, in a side window.
struct SampleWindow {
    SampleWindow() {
        window.setObjectName("TCanSHuForm");
        strip->setObjectName("TabControl4");
        chosenTab->setProperty("selected", true);
    }

    QWidget window;
    QLabel* label = new QLabel(QStringLiteral("x"), &window);
    QLabel* alert = labelWith(&window, "alert");
    QLabel* link = labelWith(&window, "link");
    QLabel* hoveredLink = labelWith(&window, "link", true);
    QGroupBox* group = new QGroupBox(QStringLiteral("x"), &window);
    QPushButton* button = new QPushButton(QStringLiteral("x"), &window);
    QLineEdit* edit = new QLineEdit(&window);
    QTreeView* list = new QTreeView(&window);
    QWidget* strip = new QWidget(&window);
    QToolButton* tab = new QToolButton(strip);
    QToolButton* chosenTab = new QToolButton(strip);
};

TEST_F(SkinApplyTest, EachKindOfWidgetMadeAfterTheSkinWearsItsColours) {
    for (int n = 0; n < kSkinCount; ++n) {
        SCOPED_TRACE(skinName(n).toStdString());
        applySkin(n);
        SampleWindow sample;
        const struct {
            const char* what;
            QWidget* widget;
            QPalette::ColorRole role;
            Colour colour;
        } cases[] = {
            {"side window", &sample.window, QPalette::Window, &SkinColours::window},
            {"label", sample.label, QPalette::WindowText, &SkinColours::text},
            {"alert label", sample.alert, QPalette::WindowText, &SkinColours::alert},
            {"link", sample.link, QPalette::WindowText, &SkinColours::text},
            {"hovered link", sample.hoveredLink, QPalette::WindowText, &SkinColours::alert},
            {"group box caption", sample.group, QPalette::WindowText, &SkinColours::text},
            {"button", sample.button, QPalette::Button, &SkinColours::button},
            {"button text", sample.button, QPalette::ButtonText, &SkinColours::buttonText},
            {"input", sample.edit, QPalette::Base, &SkinColours::base},
            {"input text", sample.edit, QPalette::Text, &SkinColours::baseText},
            {"list", sample.list, QPalette::Base, &SkinColours::base},
            {"list text", sample.list, QPalette::Text, &SkinColours::baseText},
            {"list selection", sample.list, QPalette::Highlight, &SkinColours::highlight},
            {"list selected text", sample.list, QPalette::HighlightedText,
             &SkinColours::highlightedText},
            {"category tab", sample.tab, QPalette::Button, &SkinColours::tab},
            {"category caption", sample.tab, QPalette::ButtonText, &SkinColours::tabText},
            {"chosen category tab", sample.chosenTab, QPalette::Button, &SkinColours::tabSelected},
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(c.what);
            EXPECT_EQ(colourOf(*c.widget, c.role), skinColours(n).*c.colour);
        }
    }
}

TEST_F(SkinApplyTest, AnEmptyCheckBoxStandsOutOfItsWindow) {
    for (int n = 0; n < kSkinCount; ++n) {
        SCOPED_TRACE(skinName(n).toStdString());
        applySkin(n);
        QWidget window;
        window.setObjectName("TCanSHuForm");
        window.resize(100, 40);
        auto* box = new QCheckBox(&window);
        box->setGeometry(10, 10, 20, 20);
        const QImage shot = window.grab().toImage();
        double strongest = 1;
        for (int y = 10; y < 30; ++y) {
            for (int x = 10; x < 30; ++x) {
                strongest = std::max(strongest,
                                     contrast(shot.pixel(x, y) & RGB_MASK, skinColours(n).window));
            }
        }
        // The 3:1 that a control's outline needs to be seen.
        EXPECT_GE(strongest, 3.0);
    }
}

TEST_F(SkinApplyTest, AShownWidgetChangesWithTheNextSkin) {
    applySkin(3);
    QLabel label(QStringLiteral("x"));
    label.show();
    applySkin(4);
    EXPECT_EQ(colourOf(label, QPalette::WindowText), skinColours(4).text);
}

TEST_F(SkinApplyTest, ListsFindTheAlertColourInTheApplicationPalette) {
    for (const int n : {0, 4}) {
        SCOPED_TRACE(n);
        applySkin(n);
        EXPECT_EQ(QApplication::palette().color(QPalette::BrightText).rgb() & RGB_MASK,
                  skinColours(n).alert);
    }
}

TEST_F(SkinApplyTest, ANumberOutsideTheMenuAppliesTheDefaultSkin) {
    applySkin(3);
    applySkin(99);
    QLabel label(QStringLiteral("x"));
    EXPECT_EQ(colourOf(label, QPalette::WindowText), skinColours(0).text);
    EXPECT_EQ(QApplication::palette().color(QPalette::Window).rgb() & RGB_MASK,
              skinColours(0).window);
}

}  // namespace
}  // namespace qh
