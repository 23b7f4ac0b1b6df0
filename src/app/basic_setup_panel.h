#pragma once
// The full-window basic set-up panel: the four library drives, the preferred input method and
// the four steps that tell a new shop how to lay out its library.
#include <QGroupBox>
#include <array>
#include <functional>

class QComboBox;
class QPushButton;

namespace qh {

class FileSystem;
class KeySounds;
class SettingsStore;
class SharedDriveTable;
class Shell;

struct BasicSetupServices {
    SettingsStore& settings;
    FileSystem& files;
    const SharedDriveTable& drives;
    Shell& shell;
    KeySounds& sounds;
    // Puts a letter into search-bar drop-down n (1..4) without running its change action.
    std::function<void(int drive, const QString& text)> showInSearchBar;
};

class BasicSetupPanel : public QGroupBox {
    Q_OBJECT
public:
    BasicSetupPanel(BasicSetupServices services, QWidget* parent);

    void setInputMethodNames(const QStringList& names);

    // Drive 1..4: ComboBox6, ComboBox7, ComboBox8, ComboBox19 and Button5, Button7, Button8,
    // Button16.
    QComboBox* driveCombo(int drive) const { return driveCombos_.at(drive - 1); }
    QPushButton* openButton(int drive) const { return openButtons_.at(drive - 1); }

private:
    void driveChanged(int drive, const QString& text);
    void openLibraryFolder(int drive);
    void ComboBox9Change(const QString& text);
    void Button10Click();

    BasicSetupServices services_;
    std::array<QComboBox*, 4> driveCombos_{};
    std::array<QPushButton*, 4> openButtons_{};
    QComboBox* inputMethodBox_ = nullptr;
};

}  // namespace qh
