#pragma once
// A list's busy animation (Animate1 .. Animate5): a sheet flying from one folder to another, the
// desktop's picture of files being copied. It runs only while it is shown.
#include <QTimer>
#include <QWidget>

namespace qh {

class BusyAnimation : public QWidget {
    Q_OBJECT
public:
    explicit BusyAnimation(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QTimer frames_;
    int frame_ = 0;
};

}  // namespace qh
