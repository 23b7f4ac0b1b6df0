#include "app/skins.h"

#include <QApplication>
#include <QColor>
#include <string>
#include <utility>

namespace qh {

std::optional<int> skinNumberOf(std::string_view stored) {
    // The program stores a skin as its plain decimal number; any other text is not one it wrote.
    for (int n = 0; n < kSkinCount; ++n) {
        if (stored == std::to_string(n)) {
            return n;
        }
    }
    return std::nullopt;
}

namespace {

struct NamedColour {
    const char* name;
    QRgb SkinColours::*colour;
};

constexpr NamedColour kNamedColours[] = {
    {"window", &SkinColours::window},
    {"panel", &SkinColours::panel},
    {"text", &SkinColours::text},
    {"alert", &SkinColours::alert},
    {"frame", &SkinColours::frame},
    {"button", &SkinColours::button},
    {"buttonText", &SkinColours::buttonText},
    {"base", &SkinColours::base},
    {"alternateBase", &SkinColours::alternateBase},
    {"baseText", &SkinColours::baseText},
    {"highlight", &SkinColours::highlight},
    {"highlightedText", &SkinColours::highlightedText},
    {"tab", &SkinColours::tab},
    {"tabSelected", &SkinColours::tabSelected},
    {"tabText", &SkinColours::tabText},
    {"menu", &SkinColours::menu},
    {"menuText", &SkinColours::menuText},
    {"toolTip", &SkinColours::toolTip},
    {"toolTipText", &SkinColours::toolTipText},
    {"progress", &SkinColours::progress},
    {"placeholder", &SkinColours::placeholder},
    {"disabledText", &SkinColours::disabledText},
};

// $(name) stands for the skin's colour of that name. Only colours and borders: fonts and sizes
// stay the widgets' own.
constexpr const char* kSheetTemplate = R"(
QMainWindow#TForm1, QWidget#ClientArea, QWidget#TCanSHuForm, QWidget#TGYuForm4,
QWidget#TCDMuLuForm, QWidget#TTuForm, QWidget#Twang, QDialog, QWidget#TabControl4 {
    background-color: $(window);
}
QLabel, QGroupBox, QCheckBox, QRadioButton { color: $(text); }
QCheckBox:disabled, QRadioButton:disabled { color: $(disabledText); }
QGroupBox {
    background-color: $(panel); border: 1px solid $(frame); border-radius: 3px; margin-top: 8px;
}
QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left; left: 6px; padding: 0 2px; }
QLabel[covers="true"] { background-color: $(panel); }
*[tone="alert"] { color: $(alert); }
QLabel[tone="link"] { color: $(text); }
QLabel[tone="link"][hovered="true"] { color: $(alert); }

QPushButton, QToolButton {
    background-color: $(button); color: $(buttonText);
    border: 1px solid $(frame); border-radius: 3px;
}
QPushButton:hover, QToolButton:hover { border-color: $(highlight); }
QPushButton:pressed, QToolButton:pressed, QPushButton:checked, QToolButton:checked {
    background-color: $(highlight); color: $(highlightedText);
}
QPushButton:disabled, QToolButton:disabled { color: $(disabledText); }

QWidget#TabControl4 QToolButton { background-color: $(tab); color: $(tabText); }
QWidget#TabControl4 QToolButton[selected="true"] { background-color: $(tabSelected); }

QLineEdit, QComboBox, QAbstractSpinBox, QTextEdit, QPlainTextEdit {
    background-color: $(base); color: $(baseText); border: 1px solid $(frame);
    border-radius: 2px;
    selection-background-color: $(highlight); selection-color: $(highlightedText);
}
QLineEdit:disabled, QComboBox:disabled, QAbstractSpinBox:disabled { color: $(disabledText); }
QComboBox QAbstractItemView {
    background-color: $(base); color: $(baseText); border: 1px solid $(frame);
    selection-background-color: $(highlight); selection-color: $(highlightedText);
}

QAbstractItemView {
    background-color: $(base); alternate-background-color: $(alternateBase);
    color: $(baseText); border: 1px solid $(frame);
    selection-background-color: $(highlight); selection-color: $(highlightedText);
}
QHeaderView::section {
    background-color: $(button); color: $(buttonText);
    border: 0; border-right: 1px solid $(frame); border-bottom: 1px solid $(frame);
}

QTabWidget::pane { background-color: $(panel); border: 1px solid $(frame); }
QTabBar::tab {
    background-color: $(tab); color: $(text); border: 1px solid $(frame); border-bottom: 0;
    border-top-left-radius: 3px; border-top-right-radius: 3px;
}
QTabBar::tab:selected { background-color: $(tabSelected); }

QProgressBar {
    background-color: $(base); color: $(baseText); border: 1px solid $(frame);
    border-radius: 2px;
}
QProgressBar::chunk { background-color: $(progress); }

QMenuBar { background-color: $(panel); color: $(text); }
QMenuBar::item:selected { background-color: $(highlight); color: $(highlightedText); }
QMenu { background-color: $(menu); color: $(menuText); border: 1px solid $(frame); }
QMenu::item:selected { background-color: $(highlight); color: $(highlightedText); }
QMenu::item:disabled { color: $(disabledText); }

QToolTip { background-color: $(toolTip); color: $(toolTipText); border: 1px solid $(frame); }
QStatusBar { background-color: $(panel); }
)";

}  // namespace

QString skinStyleSheet(int n) {
    const SkinColours& colours = skinColours(n);
    QString sheet = QString::fromLatin1(kSheetTemplate);
    for (const auto& named : kNamedColours) {
        sheet.replace(QStringLiteral("$(%1)").arg(QLatin1String(named.name)),
                      QColor(colours.*named.colour).name());
    }
    return sheet;
}

QPalette skinPalette(int n) {
    const SkinColours& c = skinColours(n);
    // The light and dark shades of frames and scroll bars follow the button and window colours.
    QPalette palette{QColor(c.button), QColor(c.window)};
    const std::pair<QPalette::ColorRole, QRgb> roles[] = {
        {QPalette::Window, c.window},
        {QPalette::WindowText, c.text},
        {QPalette::Base, c.base},
        {QPalette::AlternateBase, c.alternateBase},
        {QPalette::Text, c.baseText},
        {QPalette::Button, c.button},
        {QPalette::ButtonText, c.buttonText},
        {QPalette::Highlight, c.highlight},
        {QPalette::HighlightedText, c.highlightedText},
        {QPalette::ToolTipBase, c.toolTip},
        {QPalette::ToolTipText, c.toolTipText},
        {QPalette::PlaceholderText, c.placeholder},
        {QPalette::BrightText, c.alert},
    };
    for (const auto& [role, colour] : roles) {
        palette.setColor(role, QColor(colour));
    }
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        palette.setColor(QPalette::Disabled, role, QColor(c.disabledText));
    }
    return palette;
}

void applySkin(int n) {
    QApplication::setPalette(skinPalette(n));
    // A check box outlines its box in a darker shade of its window colour, which vanishes on a
    // dark window; a shade of the text colour keeps the empty box in sight on every skin.
    QPalette indicators = skinPalette(n);
    indicators.setColor(QPalette::Window, QColor(skinColours(n).text));
    for (const char* className : {"QCheckBox", "QRadioButton"}) {
        QApplication::setPalette(indicators, className);
    }
    qApp->setStyleSheet(skinStyleSheet(n));
}

}  // namespace qh
