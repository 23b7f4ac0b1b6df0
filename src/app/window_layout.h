#pragma once
// The main window's resize rules: where each edge that follows the window's outer size lies.
// Pure arithmetic over outer pixels, so the rules are tested without a window. Tops are in the
// coordinates of the control's parent, as the window's form places them.
namespace qh {

// The outer height below which the window snaps back.
inline constexpr int kLowestOuterHeight = 400;
inline constexpr int kSnappedOuterHeight = 410;

struct MainWindowLayout {
    int linksTop = 0;  // in the player column, which starts 8 pixels above the window
    int playerColumnHeight = 0;
    int playlistHeight = 0;
    int tabStripHeight = 0;
    int categoryPanelTop = 0;
    int newAdditionsBarTop = 0;
    int resultAreaHeight = 0;
    int countLabelTop = 0;
    int viewButtonsTop = 0;
    int resultListHeight = 0;  // also the introduction and the disk browser
    int listsHeight = 0;
    int listsWidth = 0;
    int tallyTop = 0;
    int shownListHeight = 0;
    int shownListWidth = 0;
    int copyAnimationTop = 0;  // on each list's page
    int copyBoxTop = 0;        // on each list's page
    int progressBarsTop = 0;
};

// The outer height the window must take instead, when `outerHeight` is too low; 0 when it may
// stay.
int snappedOuterHeight(int outerHeight);

// Heights and widths the rules would make negative are 0.
MainWindowLayout mainWindowLayout(int outerWidth, int outerHeight);

}  // namespace qh
