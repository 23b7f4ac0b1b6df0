#pragma once
// The search bar on the category tab strip: the keyword box with its history, the search and web
// search buttons, number mode and copy-at-once, the search status and seconds, and the four
// library drive drop-downs. It runs the searches; the result area shows what they find.
#include <QGroupBox>
#include <QTimer>
#include <array>
#include <string>
#include <vector>

#include "app/window_state.h"
#include "library/search_thread.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace qh {

class CategoryTabStrip;
class FileSystem;
class FolderReader;
class InputMethods;
class KeySounds;
class KeywordLineEdit;
class SettingsStore;
class Shell;

struct SearchBarServices {
    SettingsStore& settings;
    FileSystem& files;
    const FolderReader& folderReader;
    InputMethods& inputMethods;
    Shell& shell;
    KeySounds& keySounds;
    WindowState& state;
    const CategoryTabStrip& tabs;
    const MessagePresenter& present;
};

class SearchBarPanel : public QGroupBox {
    Q_OBJECT
public:
    SearchBarPanel(SearchBarServices services, QWidget* parent);

    const std::vector<std::string>& keywordHistory() const { return keywordHistory_; }
    std::array<std::string, 4> driveTexts() const;  // GBK
    // Drive 1..4: puts the letter into its drop-down without running the drop-down's change.
    void showLibraryDrive(int drive, const QString& letter);

    // The first show's search: the whole library for "绿野青禾", the search buttons left enabled.
    void startWarmUpSearch();
    // A pick in the singer index: the name into the keyword box and the search of the search
    // button for it.
    void searchFor(const QString& text);
    // A library view walks on the search worker too: it takes the place of a search still
    // running (which then ends as stopped), and a later search takes its place in turn, so two
    // walks never mix their rows. Ends with viewEnded.
    void startView(std::vector<std::string> folders);
    // The hot ranking takes the result list: the walk still running stops and delivers nothing
    // more.
    void stopWalk();
    // A sync add right after a keyword search takes back the history entry that search made.
    void trimKeywordHistory();
    void focusKeywordBox();
    // The keyword box carries the clerk's preferred input method (GBK name, as the platform
    // lists it) in keyword mode and the keyboard layout in number mode: it switches to it when
    // it takes the focus, and back to the default when it loses it. An empty name changes
    // nothing. A box that has the focus switches at once.
    void setPreferredInputMethod(const std::string& name);
    // The 同步下载 box shows what the download lists hold; it changes them only by the clerk's or
    // any other hand on the box itself.
    void showCopyAtOnce(bool ticked);

signals:
    // The search button was pressed, before anything else happens.
    void searchPressed();
    void resultsEmptied();
    void searchStarted();
    void pathsFound(const std::vector<std::string>& paths);
    void searchEnded(bool numberMode);
    void viewEnded();
    void copyAtOnceChanged(bool ticked);
    void webSearchWanted(const QString& typed);

private:
    // SpeedButton22Click; Button1Click, the Enter key, does the same.
    void SpeedButton22Click();
    void startSearchWorker();
    void walkEnded();
    // The search shown as running is over: ready again, the seconds stopped, the buttons back.
    void showSearchStopped();
    void CheckBox1Click();
    void keywordBoxFocused();
    void keywordBoxLeft();
    void CheckBox2Click();
    // ComboBox3Change, ComboBox4Change, ComboBox5Change, ComboBox20Change.
    void driveChanged(int drive, const QString& text);
    void Timer13Timer();
    void setSearchButtonsEnabled(bool enabled);
    void pressEnterTarget();

    SearchBarServices services_;
    SearchThread search_;
    QTimer timer13_;
    QComboBox* keywordBox_;
    KeywordLineEdit* keywordEditor_;
    std::string preferredInputMethod_;
    QPushButton* searchButton_;
    QPushButton* defaultButton_;
    QPushButton* webSearchButton_;
    QPushButton* resourcePageButton_;
    QCheckBox* numberMode_;
    QCheckBox* copyAtOnce_;
    QLabel* statusLabel_;
    QLabel* secondsLabel_;
    std::array<QComboBox*, 4> driveCombos_{};
    enum class Walk { None, Search, View };
    Walk walk_ = Walk::None;
    std::vector<std::string> keywordHistory_;
    int keywordHistoryCount_ = 0;
};

}  // namespace qh
