#pragma once
// The window menu's eleven skins. A skin is one row of colours; one style sheet and one palette
// are made from any row, and both go to the whole application, so every window, also one made
// later, wears the chosen skin. Panels keep only fonts, sizes and borders in their own sheets and
// take their colours from here:
//   - QLabel, QGroupBox captions, check boxes: the ordinary text colour;
//   - dynamic property tone="alert": the alert colour (notices, red counters);
//   - tone="link": the ordinary text colour, the alert colour while bool property hovered is
//     true (the panel re-polishes the label when it changes);
//   - bool property covers=true on a label: the panel colour behind it, for a label that lies
//     over a frame line or over other labels;
//   - the category tabs (QToolButton children of #TabControl4, property selected="true" for the
//     chosen one): the tab colours and the tab caption colour.
// Item views that mark rows red take the colour from the application palette's
// QPalette::BrightText, which holds the skin's alert colour.
#include <QPalette>
#include <QRgb>
#include <QString>
#include <array>
#include <optional>
#include <string_view>

namespace qh {

inline constexpr int kSkinCount = 11;

struct SkinEntry {
    const char* caption;   // UTF-8, as the window menu shows it
    const char* menuItem;  // object name of the menu item
};
const std::array<SkinEntry, kSkinCount>& skinEntries();

// The stored setting "PiFu" as a skin number. Only the texts the program writes count: "0" to
// "10" exactly. Anything else, also "03", "+3" or " 3", is no skin: the window keeps the default
// look and ticks no menu item.
std::optional<int> skinNumberOf(std::string_view stored);

// Every text colour is legible (WCAG contrast at least 4.5:1) on each background it is drawn on.
struct SkinColours {
    QRgb window;  // window background
    QRgb panel;   // group boxes, tab pages, the status bar
    QRgb text;    // labels, group-box captions, check boxes, list tab captions
    QRgb alert;   // red notices and counters, on window, panel and list backgrounds
    QRgb frame;   // borders of panels, buttons, inputs, lists and tabs
    QRgb button;
    QRgb buttonText;
    QRgb base;           // lists and inputs
    QRgb alternateBase;  // alternate list rows
    QRgb baseText;       // text in lists and inputs
    QRgb highlight;      // selection in lists, inputs and menus; a pressed button
    QRgb highlightedText;
    QRgb tab;          // a tab not chosen
    QRgb tabSelected;  // the chosen tab
    QRgb tabText;      // category tab captions, on both tab backgrounds
    QRgb menu;
    QRgb menuText;
    QRgb toolTip;
    QRgb toolTipText;
    QRgb progress;      // the done part of a progress bar, on the list base
    QRgb placeholder;   // hint text in an empty input
    QRgb disabledText;  // buttons and inputs that cannot be used now
};

// Skin numbers outside 0..10 give skin 0, the default look.
const SkinColours& skinColours(int n);
QString skinStyleSheet(int n);
QPalette skinPalette(int n);

// Sets skin n's style sheet and palette on the application; n outside 0..10 applies skin 0.
// Check boxes and radio buttons get a palette of their own, so that their empty box shows also on
// a dark window.
void applySkin(int n);

}  // namespace qh
