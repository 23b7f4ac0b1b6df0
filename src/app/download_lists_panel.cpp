#include "app/download_lists_panel.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QTabBar>
#include <QTreeWidget>

namespace qh {

DownloadListsPanel::DownloadListsPanel(QWidget* window) : QTabWidget(window) {
    setObjectName("PageControl2");
    setGeometry(728, 42, 273, 623);
    tabBar()->setStyleSheet(
        "QTabBar::tab { width: 46px; height: 24px; padding: 0 2px; font-size: 12px; }");
    for (int list = 1; list <= kDownloadListCount; ++list) {
        auto* page = new QWidget(this);
        page->setObjectName(QStringLiteral("TabSheet%1").arg(list + 3));
        addTab(page, QString::fromUtf8("清单") + QString::number(list));
    }

    shownList_ = new QTreeWidget(window);
    shownList_->setObjectName("ListView2");
    shownList_->setGeometry(736, 136, 257, 305);
    shownList_->setRootIsDecorated(false);
    shownList_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    shownList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    shownList_->setToolTip(QString::fromUtf8("双击为播放  右击为右键菜单"));
    shownList_->setHeaderLabels(
        {QString::fromUtf8("名称"), QString::fromUtf8("类型"), QString::fromUtf8("大小(MB)")});
    shownList_->header()->resizeSection(0, 215);

    tally_ = new QGroupBox(QString::fromUtf8("统计"), window);
    tally_->setObjectName("GroupBox5");
    tally_->setToolTip(QString::fromUtf8("统计详细"));
    tally_->setGeometry(736, 448, 257, 145);
}

}  // namespace qh
