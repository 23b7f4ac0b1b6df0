#pragma once
// PopupMenu1, the window's own right-click menu, on the window and on every control without a
// menu of its own: the clerks' guide, the skins, the parameters and set-up, the CD catalogue,
// minimise and close.
#include <QMenu>
#include <array>

#include "app/skins.h"

class QAction;

namespace qh {

class KeySounds;
class SettingsStore;
class Shell;
struct AppPaths;

struct WindowMenuServices {
    SettingsStore& settings;
    Shell& shell;
    const AppPaths& paths;
    KeySounds& keySounds;
};

class WindowMenu : public QMenu {
    Q_OBJECT
public:
    WindowMenu(WindowMenuServices services, QWidget* parent);

    // The first show: the skin stored in PiFu, ticked; a PiFu that names no skin leaves the
    // default look with nothing ticked.
    void applyStoredSkin();
    // The skin entry ticked, if any.
    int tickedSkin() const;

signals:
    void parametersWanted();   // N15Click
    void basicSetupWanted();   // N33Click
    void cdCatalogueWanted();  // CD1Click
    void minimiseWanted();     // N13Click
    void closeWanted();        // N2Click

private:
    void N17Click();  // 操作教程
    // N10Click, N11Click, N21Click ... N101Click.
    void skinChosen(int skin);
    void tickSkin(int skin);

    WindowMenuServices services_;
    std::array<QAction*, kSkinCount> skinEntries_{};
};

}  // namespace qh
