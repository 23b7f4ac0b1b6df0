#pragma once
// The category panel PageControl1 that 分类查找 opens over the lower part of the result area: the
// singer index on its first page, then a page of style and format buttons for each browsed
// category. A button asks for the view of its sub-folder on the first three library drives.
#include <QTabWidget>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "library/library_layout.h"

namespace qh {

class FileSystem;
class KeySounds;
class SingerPage;
struct MainWindowLayout;

// The library drive texts (GBK) as the drop-downs hold them now.
using LibraryDriveTexts = std::function<std::array<std::string, kLibraryDriveCount>()>;

struct CategoryPanelServices {
    FileSystem& files;
    KeySounds& keySounds;
    LibraryDriveTexts driveTexts;
};

class CategoryPanel : public QTabWidget {
    Q_OBJECT
public:
    CategoryPanel(CategoryPanelServices services, QWidget* parent);

    // SpeedButton11Click (分类查找): each style and format folder made on the browsed drives where
    // it is missing, then the panel shows.
    void open();
    SingerPage& singerPage() { return *singerPage_; }
    void applyLayout(const MainWindowLayout& layout);

signals:
    void opened();
    // SubfolderView: the folders to walk, one per browsed drive.
    void subfolderViewWanted(const std::vector<std::string>& folders);
    void singerPicked(const QString& name);

private:
    void SubfolderView(const CategoryPanelPage& page, const std::string& subfolder);

    CategoryPanelServices services_;
    SingerPage* singerPage_;
};

}  // namespace qh
