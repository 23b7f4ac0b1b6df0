#pragma once
// What the window's areas share of the run's working state beyond the download lists: the file
// the clerk picked last and the two texts a search walks with. Each area is handed this object;
// none reaches into another area's controls for it. Window's thread only.
#include <QString>
#include <functional>
#include <optional>
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
// Asks OK or Cancel in a message box with this caption; true for OK. Tests answer it.
using Confirmer = std::function<bool(const QString& caption, const QString& text)>;
// An input box with a title, a prompt and a default text; empty when the clerk cancelled.
using TextAsker = std::function<std::optional<QString>(const QString& title, const QString& prompt,
                                                       const QString& text)>;

}  // namespace qh
