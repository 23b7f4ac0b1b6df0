#pragma once
// The singer index, the category panel's first page: twelve singers at a time in a grid, narrowed
// by the pinyin initials typed into the letter box or clicked on the letter buttons. A click on a
// singer searches the library for the name.
#include <QGroupBox>
#include <string>
#include <vector>

#include "library/singer_index.h"

class QLineEdit;
class QTableWidget;

namespace qh {

class SingerPage : public QGroupBox {
    Q_OBJECT
public:
    explicit SingerPage(QWidget* parent);

    // At start-up, the lines of the singer file: every singer shows, sorted, from the first page.
    void loadSingers(std::vector<std::string> lines);

signals:
    void singerPicked(const QString& name);

private:
    void showCells();
    void Edit1Change();
    void SpeedButton12Click();  // 下一页
    void SpeedButton17Click();  // 上一页
    void StringGrid1Click(int row, int column);
    bool eventFilter(QObject* watched, QEvent* event) override;

    SingerIndex index_;
    QTableWidget* grid_;  // StringGrid1
    QLineEdit* letters_;  // Edit1
};

}  // namespace qh
