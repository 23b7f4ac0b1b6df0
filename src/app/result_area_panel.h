#pragma once
// The result area below the search bar: the result list, its object count and the buttons of
// the library views.
#include <QGroupBox>

class QLabel;
class QTreeView;

namespace qh {

class FileRowsModel;

class ResultAreaPanel : public QGroupBox {
    Q_OBJECT
public:
    ResultAreaPanel(FileRowsModel& model, QWidget* parent);

    QTreeView* resultList() const { return resultList_; }
    QLabel* countLabel() const { return countLabel_; }

private:
    QTreeView* resultList_;
    QLabel* countLabel_;
};

}  // namespace qh
