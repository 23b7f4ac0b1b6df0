#pragma once
// The search bar on the category tab strip: the keyword box, the search status and seconds, and
// the four library drive drop-downs.
#include <QGroupBox>
#include <array>

class QComboBox;
class QLabel;

namespace qh {

class SearchBarPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit SearchBarPanel(QWidget* parent);

    QComboBox* keywordBox() const { return keywordBox_; }
    QLabel* statusLabel() const { return statusLabel_; }
    QLabel* secondsLabel() const { return secondsLabel_; }
    // Drive 1..4: ComboBox3, ComboBox4, ComboBox5, ComboBox20.
    QComboBox* driveCombo(int drive) const { return driveCombos_.at(drive - 1); }
    std::array<std::string, 4> driveTexts() const;  // GBK

signals:
    // Every change of a drive's text by the clerk, typing included.
    void driveTextChanged(int drive, const QString& text);

private:
    QComboBox* keywordBox_;
    QLabel* statusLabel_;
    QLabel* secondsLabel_;
    std::array<QComboBox*, 4> driveCombos_{};
};

}  // namespace qh
