#pragma once
// The new-additions bar GroupBox9 that 新增资源 shows below the result area: a button for each of
// five categories, each showing what the shop has put into that category's new-additions folder.
#include <QGroupBox>
#include <string>
#include <vector>

#include "app/category_panel.h"

namespace qh {

class FileSystem;
struct MainWindowLayout;

struct NewAdditionsServices {
    FileSystem& files;
    LibraryDriveTexts driveTexts;
};

class NewAdditionsBar : public QGroupBox {
    Q_OBJECT
public:
    NewAdditionsBar(NewAdditionsServices services, QWidget* parent);

    void applyLayout(const MainWindowLayout& layout);

signals:
    // NewAdditionsView: the folders to walk, one per browsed drive, made where they were missing.
    void viewWanted(const std::vector<std::string>& folders);

private:
    void NewAdditionsView(const NewAdditionsFolder& additions);

    NewAdditionsServices services_;
};

}  // namespace qh
