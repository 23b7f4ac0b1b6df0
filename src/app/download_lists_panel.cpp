#include "app/download_lists_panel.h"

#include <QComboBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTabBar>
#include <QTreeView>

#include "app/file_rows_model.h"
#include "app/grid_line_delegate.h"
#include "app/tally_panel.h"

namespace qh {

DownloadListsPanel::DownloadListsPanel(FileRowsModel& shownRows, QWidget* window)
    : QTabWidget(window) {
    setObjectName("PageControl2");
    setGeometry(728, 42, 273, 623);
    tabBar()->setStyleSheet(
        "QTabBar::tab { width: 46px; height: 24px; padding: 0 2px; font-size: 12px; }");
    const struct {
        const char* page;
        const char* selectAll;
        const char* download;
        const char* targetBox;
        const char* openButton;
    } widgets[kDownloadListCount] = {
        {"TabSheet3", "SpeedButton23", "SpeedButton24", "ComboBox2", "Button6"},
        {"TabSheet4", "SpeedButton57", "SpeedButton61", "ComboBox10", "Button9"},
        {"TabSheet5", "SpeedButton62", "SpeedButton63", "ComboBox11", "Button12"},
        {"TabSheet7", "SpeedButton64", "SpeedButton65", "ComboBox12", "Button14"},
        {"TabSheet8", "SpeedButton66", "SpeedButton67", "ComboBox13", "Button15"},
    };
    for (int list = 0; list < kDownloadListCount; ++list) {
        auto* page = new QWidget(this);
        page->setObjectName(QString::fromLatin1(widgets[list].page));
        addTab(page, QString::fromUtf8("清单") + QString::number(list + 1));

        selectAll_[list] = new QPushButton(QString::fromUtf8("全选"), page);
        selectAll_[list]->setObjectName(QString::fromLatin1(widgets[list].selectAll));
        selectAll_[list]->setGeometry(8, 8, 60, 26);
        download_[list] = new QPushButton(QString::fromUtf8("下载"), page);
        download_[list]->setObjectName(QString::fromLatin1(widgets[list].download));
        download_[list]->setGeometry(72, 8, 60, 26);
        targetBoxes_[list] = new QComboBox(page);
        targetBoxes_[list]->setObjectName(QString::fromLatin1(widgets[list].targetBox));
        targetBoxes_[list]->setGeometry(6, 38, 196, 24);
        openButtons_[list] = new QPushButton(QString::fromUtf8("打开"), page);
        openButtons_[list]->setObjectName(QString::fromLatin1(widgets[list].openButton));
        openButtons_[list]->setToolTip(QString::fromUtf8("点击后将打开左边框显示的目录"));
        openButtons_[list]->setGeometry(206, 38, 56, 24);
        if (list == 0) {
            selectAll_[list]->setToolTip(QString::fromUtf8("全部选择当前清单文件"));
            download_[list]->setToolTip(QString::fromUtf8("下载选择的文件到指定目录"));
        }
    }

    shownList_ = new QTreeView(window);
    shownList_->setObjectName("ListView2");
    shownList_->setGeometry(736, 136, 257, 305);
    shownList_->setRootIsDecorated(false);
    shownList_->setUniformRowHeights(true);
    shownList_->setItemsExpandable(false);
    shownList_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    shownList_->setSelectionBehavior(QAbstractItemView::SelectRows);
    shownList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    shownList_->setToolTip(QString::fromUtf8("双击为播放  右击为右键菜单"));
    shownList_->setIconSize({22, 22});
    shownList_->setItemDelegate(new GridLineDelegate(shownList_));
    shownList_->setModel(&shownRows);
    shownList_->header()->resizeSection(0, 215);
    shownList_->header()->setSectionsClickable(false);

    tally_ = new TallyPanel(window);
}

}  // namespace qh
