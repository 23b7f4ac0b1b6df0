#pragma once
// The five customer download lists on their tabs, the list shown on screen and the tally below
// it.
#include <QTabWidget>
#include <array>

class QComboBox;
class QPushButton;
class QTreeView;

namespace qh {

class FileRowsModel;
class TallyPanel;

inline constexpr int kDownloadListCount = 5;

class DownloadListsPanel : public QTabWidget {
    Q_OBJECT
public:
    // The shown list and the tally lie over the pages, so they are made on `window`.
    DownloadListsPanel(FileRowsModel& shownRows, QWidget* window);

    QTreeView* shownList() const { return shownList_; }
    TallyPanel* tally() const { return tally_; }
    // List 0..4: SpeedButton23, 57, 62, 64, 66 ("全选") and 24, 61, 63, 65, 67 ("下载").
    QPushButton* selectAllButton(int list) const { return selectAll_.at(list); }
    QPushButton* downloadButton(int list) const { return download_.at(list); }
    // List 0..4: ComboBox2, 10, 11, 12, 13 (target folders) and Button6, 9, 12, 14, 15 ("打开").
    QComboBox* targetBox(int list) const { return targetBoxes_.at(list); }
    QPushButton* openButton(int list) const { return openButtons_.at(list); }

private:
    QTreeView* shownList_;
    TallyPanel* tally_;
    std::array<QPushButton*, kDownloadListCount> selectAll_{};
    std::array<QPushButton*, kDownloadListCount> download_{};
    std::array<QComboBox*, kDownloadListCount> targetBoxes_{};
    std::array<QPushButton*, kDownloadListCount> openButtons_{};
};

}  // namespace qh
