#pragma once
// The strip of the twelve category tabs. Unlike a Qt tab bar it can have no tab selected, which
// stands for the whole library.
#include <QWidget>
#include <array>

class QToolButton;

namespace qh {

class CategoryTabStrip : public QWidget {
    Q_OBJECT
public:
    explicit CategoryTabStrip(QWidget* parent);

    int currentIndex() const { return current_; }  // -1 when no tab is selected
    void setCurrentIndex(int index);
    QToolButton* tab(int index) const { return tabs_.at(index); }

signals:
    // A mouse press on a tab, after that tab has become the selected one.
    void tabPressed(int index);

private:
    std::array<QToolButton*, 12> tabs_{};
    int current_ = -1;
};

}  // namespace qh
