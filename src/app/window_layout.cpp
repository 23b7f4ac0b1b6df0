#include "app/window_layout.h"

#include <algorithm>

namespace qh {

namespace {

// Where the form puts the controls whose other edge moves.
constexpr int kPlaylistTop = 200;
constexpr int kResultAreaTop = 136;
constexpr int kListsLeft = 728;
constexpr int kPlayerColumnTop = -8;

int size(int value) {
    return std::max(0, value);
}

}  // namespace

int snappedOuterHeight(int outerHeight) {
    return outerHeight <= kLowestOuterHeight ? kSnappedOuterHeight : 0;
}

MainWindowLayout mainWindowLayout(int outerWidth, int outerHeight) {
    const int h = outerHeight;
    MainWindowLayout layout;
    layout.linksTop = h - 146 - kPlayerColumnTop;
    layout.playerColumnHeight = size(h - 117);
    layout.playlistHeight = size(h - kPlaylistTop - 165);
    layout.tabStripHeight = size(h - 77);
    layout.categoryPanelTop = h - 222;
    layout.newAdditionsBarTop = h - 80;
    layout.resultAreaHeight = size(h - kResultAreaTop - 77);
    const int g = layout.resultAreaHeight;
    layout.countLabelTop = g - 17;
    layout.viewButtonsTop = g - 24;
    layout.resultListHeight = size(g - 40);
    layout.listsHeight = size(h - 88);
    layout.listsWidth = size(outerWidth - kListsLeft - 12);
    layout.tallyTop = h - 264;
    layout.shownListHeight = size(h - 415);
    layout.shownListWidth = size(layout.listsWidth - 16);
    layout.copyAnimationTop = h - 207;
    layout.copyBoxTop = h - 168;
    layout.progressBarsTop = h - 42;
    return layout;
}

}  // namespace qh
