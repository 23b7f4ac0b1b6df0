#pragma once
// The five customer download lists on their tabs, the list shown on screen and the tally below
// it.
#include <QTabWidget>

class QGroupBox;
class QTreeWidget;

namespace qh {

inline constexpr int kDownloadListCount = 5;

class DownloadListsPanel : public QTabWidget {
    Q_OBJECT
public:
    // The shown list and the tally lie over the pages, so they are made on `window`.
    DownloadListsPanel(QWidget* window);

    QTreeWidget* shownList() const { return shownList_; }
    QGroupBox* tally() const { return tally_; }

private:
    QTreeWidget* shownList_;
    QGroupBox* tally_;
};

}  // namespace qh
