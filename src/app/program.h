#pragma once
// Program entry: one copy at a time, then the main window and the five side windows.
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "app/main_window.h"
#include "app/side_windows.h"

namespace qh {

class SingleInstanceLock;

// The application title, also the name of the lock that keeps a second copy out.
const char* applicationTitle();

// False when another copy runs; `showError(text, caption)` has then told the clerk.
bool claimSingleInstance(SingleInstanceLock& lock,
                         const std::function<void(const QString&, const QString&)>& showError);

struct ProgramWindows {
    std::unique_ptr<MainWindow> main;
    SideWindows side;
};

// The main window is shown (its first-show steps run) before the side windows exist. Saves cut
// short in the data folder by an earlier run are cleared away first.
ProgramWindows createProgramWindows(MainWindowServices services);

}  // namespace qh
