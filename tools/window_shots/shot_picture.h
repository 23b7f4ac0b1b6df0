#pragma once
// A picture of a window as the clerk sees it: the window with the menu or drop-down it has open,
// and numbered red frames around the controls a page of the guide talks about.
#include <QImage>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <vector>

class QWidget;

namespace qh::shots {

// One red frame around the controls named (together), with its number on its corner; the page
// refers to the frame by that number. A name may go through named parents,
// "PageControl2/qt_tabwidget_tabbar", and end in an action of a menu, "PopupMenu2/N20".
struct Mark {
    QStringList controls;
    QString number;
};

// `window` grabbed with any popup it has open on top, and the marks drawn over it. A drop-down
// that is open is framed together with its box. A ShotError when a control is missing.
QImage pictureOf(QWidget& window, const std::vector<Mark>& marks = {});

// Writes `picture` as PNG; a ShotError when it cannot.
void savePicture(const QImage& picture, const std::filesystem::path& file);

}  // namespace qh::shots
