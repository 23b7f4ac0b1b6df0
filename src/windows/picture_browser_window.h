#pragma once
// TTuForm, the phone-picture browser: customers choose wallpapers by looking at them. The pictures
// of one topic of the library's picture folder show six at a time; the clerk pages through them,
// clicks one to choose it and double-clicks it to add it to the list on screen. Closing it only
// hides it: the topic, the cursor and the panes stay for the next showing.
#include <QWidget>
#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "windows/picture_paging.h"

class QLabel;
class QPushButton;
class QTabWidget;

namespace qh {

class FileSystem;
class KeySounds;
class PictureLoader;
class PicturePane;

// The cursor a new browser starts from, 0 to 19, so shops do not all show the same first page.
int randomPictureCursor();

struct PictureBrowserServices {
    const FileSystem& files;
    std::filesystem::path dataDir;
    // The main window's library drive texts (GBK) as they stand at each showing.
    std::function<std::array<std::string, kLibraryDriveCount>()> driveTexts;
    KeySounds& keySounds;
    int startCursor = 0;
};

class PictureBrowserWindow : public QWidget {
    Q_OBJECT
public:
    explicit PictureBrowserWindow(PictureBrowserServices services, QWidget* parent = nullptr);
    ~PictureBrowserWindow() override;

    int cursor() const { return cursor_; }
    const std::vector<std::string>& pictures() const { return pictures_; }
    // The library file of the pane clicked last (GBK); empty when that pane shows no library file.
    const std::string& chosenPicture() const { return chosen_; }

signals:
    // A double click on a pane: the chosen picture joins the list on screen.
    void pictureAddWanted(const std::string& path);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildTopicPages();
    void buildPanes();
    void buildPagingRow();
    void FormShow();
    void loadTopic(const std::string& topicFolder);
    void PageControl1Change(int size);
    void Button1Click();  // 下一页
    void Button3Click();  // 上一页
    void showTurns(const std::array<PaneTurn, kPicturePaneCount>& turns);
    void cursorWritten(int cursor);
    void paneClicked(int pane);

    PictureBrowserServices services_;
    std::filesystem::path placeholder_;  // DataDir + "青禾点唱.gif"
    std::array<std::string, kLibraryDriveCount> drives_;
    std::vector<std::string> pictures_;
    int cursor_;
    PagingEndMarker marker_;
    std::string chosen_;  // Edit4 and Edit3
    bool loaded_ = false;

    PictureLoader* loader_;
    QTabWidget* sizeTabs_ = nullptr;  // PageControl1
    std::array<PicturePane*, kPicturePaneCount> panes_{};
    QPushButton* previous_ = nullptr;  // Button3
    QPushButton* next_ = nullptr;      // Button1
    QLabel* endMarker_ = nullptr;      // Label1
};

}  // namespace qh
