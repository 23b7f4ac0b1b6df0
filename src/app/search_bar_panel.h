#pragma once
// The search bar on the category tab strip: the keyword box, the search and web search buttons,
// number mode and copy-at-once, the search status and seconds, and the four library drive
// drop-downs.
#include <QGroupBox>
#include <array>
#include <string>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace qh {

class KeywordLineEdit;

class SearchBarPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit SearchBarPanel(QWidget* parent);

    QComboBox* keywordBox() const { return keywordBox_; }
    KeywordLineEdit* keywordEditor() const { return keywordEditor_; }
    QPushButton* searchButton() const { return searchButton_; }        // SpeedButton22
    QPushButton* defaultButton() const { return defaultButton_; }      // Button1, hidden
    QPushButton* webSearchButton() const { return webSearchButton_; }  // SpeedButton13
    QCheckBox* numberMode() const { return numberMode_; }              // CheckBox1
    QCheckBox* copyAtOnce() const { return copyAtOnce_; }              // CheckBox2
    QLabel* statusLabel() const { return statusLabel_; }               // Label63
    QLabel* secondsLabel() const { return secondsLabel_; }             // Label64
    // Drive 1..4: ComboBox3, ComboBox4, ComboBox5, ComboBox20.
    QComboBox* driveCombo(int drive) const { return driveCombos_.at(drive - 1); }
    std::array<std::string, 4> driveTexts() const;  // GBK

    void setSearchButtonsEnabled(bool enabled);

signals:
    // Every change of a drive's text by the clerk, typing included.
    void driveTextChanged(int drive, const QString& text);

private:
    QComboBox* keywordBox_;
    KeywordLineEdit* keywordEditor_;
    QPushButton* searchButton_;
    QPushButton* defaultButton_;
    QPushButton* webSearchButton_;
    QCheckBox* numberMode_;
    QCheckBox* copyAtOnce_;
    QLabel* statusLabel_;
    QLabel* secondsLabel_;
    std::array<QComboBox*, 4> driveCombos_{};
};

}  // namespace qh
