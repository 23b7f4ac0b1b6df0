#include "app/result_area_panel.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>

#include "app/file_rows_model.h"
#include "app/grid_line_delegate.h"

namespace qh {

ResultAreaPanel::ResultAreaPanel(FileRowsModel& model, QWidget* parent) : QGroupBox(parent) {
    setObjectName("GroupBox4");
    setGeometry(0, 136, 521, 481);

    resultList_ = new QTreeView(this);
    resultList_->setObjectName("ListView1");
    resultList_->setGeometry(8, 16, 505, 441);
    resultList_->setRootIsDecorated(false);
    resultList_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    resultList_->setSelectionBehavior(QAbstractItemView::SelectRows);
    resultList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    resultList_->setToolTip(QString::fromUtf8("双击为选定文件并加到清单  右击为右键菜单"));
    resultList_->setUniformRowHeights(true);
    resultList_->setItemsExpandable(false);
    resultList_->setSortingEnabled(false);
    resultList_->setIconSize({22, 22});
    resultList_->setItemDelegate(new GridLineDelegate(resultList_));
    resultList_->setModel(&model);
    resultList_->header()->setSectionsMovable(false);
    resultList_->header()->setSectionsClickable(false);
    const int widths[] = {300, 60, 70, 50};
    for (int column = 0; column < 4; ++column) {
        resultList_->header()->resizeSection(column, widths[column]);
    }

    // The count and the view buttons sit just below the list (481 - 17 and 481 - 24).
    countLabel_ = new QLabel(QString::fromUtf8("0  个对象"), this);
    countLabel_->setObjectName("Label16");
    countLabel_->setGeometry(8, 464, 90, 16);
    const struct {
        const char* name;
        const char* text;
    } buttons[] = {{"SpeedButton8", "新增资源"},
                   {"SpeedButton50", "热门排行"},
                   {"SpeedButton11", "分类查找"},
                   {"SpeedButton9", "本地磁盘"},
                   {"SpeedButton10", "U盘管理"}};
    int left = 104;
    for (const auto& b : buttons) {
        auto* button = new QPushButton(QString::fromUtf8(b.text), this);
        button->setObjectName(QString::fromLatin1(b.name));
        button->setGeometry(left, 457, 80, 22);
        left += 82;
    }
}

}  // namespace qh
