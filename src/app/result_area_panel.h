#pragma once
// The result area below the search bar: the result list, its object count and the buttons of
// the library views.
#include <QGroupBox>

class QLabel;
class QTreeWidget;

namespace qh {

class ResultAreaPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit ResultAreaPanel(QWidget* parent);

    QTreeWidget* resultList() const { return resultList_; }
    QLabel* countLabel() const { return countLabel_; }

private:
    QTreeWidget* resultList_;
    QLabel* countLabel_;
};

}  // namespace qh
