#pragma once
// The full-window basic set-up panel: the four library drives, the preferred input method and
// the four steps that tell a new shop how to lay out its library.
#include <QGroupBox>
#include <array>
#include <filesystem>
#include <functional>
#include <optional>

class QComboBox;
class QLabel;
class QPushButton;

namespace qh {

class FileSystem;
class KeySounds;
class SaveFailures;
class SettingsStore;
class SharedDriveTable;
class Shell;

// Asks the clerk for the folder a drive letter is to stand for; empty when she cancels.
using DriveFolderChooser =
    std::function<std::optional<std::filesystem::path>(QWidget* parent, char letter)>;

// The system's folder dialog.
std::optional<std::filesystem::path> chooseDriveFolderInDialog(QWidget* parent, char letter);

struct BasicSetupServices {
    SettingsStore& settings;
    SaveFailures& saveFailures;
    FileSystem& files;
    SharedDriveTable& drives;
    Shell& shell;
    KeySounds& sounds;
    // Where drivemap.txt lives.
    std::filesystem::path dataDir;
    DriveFolderChooser chooseFolder;
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
    // Drive 1..4: the folder the box's letter stands for, and the button that chooses it.
    QLabel* folderLabel(int drive) const { return folderLabels_.at(drive - 1); }
    QPushButton* folderButton(int drive) const { return folderButtons_.at(drive - 1); }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void driveChanged(int drive, const QString& text);
    void chooseFolder(int drive);
    // The open button, the folder line and the folder button follow the box's letter and the
    // folder the drive table gives it.
    void showDriveFolder(int drive);
    void openLibraryFolder(int drive);
    void ComboBox9Change(const QString& text);
    void Button10Click();

    BasicSetupServices services_;
    std::array<QComboBox*, 4> driveCombos_{};
    std::array<QPushButton*, 4> openButtons_{};
    std::array<QLabel*, 4> folderLabels_{};
    std::array<QPushButton*, 4> folderButtons_{};
    QComboBox* inputMethodBox_ = nullptr;
};

}  // namespace qh
