#pragma once
// What the window's areas share of the run's working state beyond the download lists: the file
// the clerk picked last and the two texts a search walks with. Each area is handed this object;
// none reaches into another area's controls for it. Window's thread only.
#include <QString>
#include <functional>
#include <string>

namespace qh {

struct WindowState {
    std::string currentFile;    // Edit2: the full path a copy counts and the player plays (GBK)
    int currentIndex = -1;      // the row last picked in the playlist, results or shown list
    std::string searchKeyword;  // SearchKeyword (GBK)
    std::string searchMask;     // SearchMask
};

// Shows the clerk a message box; tests read the text instead.
using MessagePresenter = std::function<void(const QString& text)>;

}  // namespace qh
