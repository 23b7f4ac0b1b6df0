#pragma once
// The statistics panel below the download list: files per category, total size, number of files
// and the amount due for the list on screen.
#include <QGroupBox>
#include <array>

class QLabel;

namespace qh {

struct BillingTally;

class TallyPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit TallyPanel(QWidget* parent);

    void showTally(const BillingTally& tally);
    // How many entries of the list did not reach the customer's disk and are left out of the
    // tally; nothing shows for none.
    void showUndelivered(int entries);
    // By category index: Label2, Label6, Label13, ... as the shop's form named them.
    QLabel* counter(int categoryIndex) const { return counters_.at(categoryIndex); }

signals:
    // GroupBox5Click.
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    std::array<QLabel*, 12> counters_{};
    QLabel* sizeLabel_;    // Label23
    QLabel* countLabel_;   // Label22
    QLabel* amountLabel_;  // Label60
    QLabel* undelivered_;
};

}  // namespace qh
