#include "app/search_bar_panel.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>

#include "app/drive_combo.h"
#include "text/gbk.h"

namespace qh {

SearchBarPanel::SearchBarPanel(QWidget* parent) : QGroupBox(parent) {
    setObjectName("GroupBox7");
    setGeometry(0, 48, 521, 89);

    keywordBox_ = new QComboBox(this);
    keywordBox_->setObjectName("ComboBox1");
    keywordBox_->setEditable(true);
    keywordBox_->setInsertPolicy(QComboBox::NoInsert);
    keywordBox_->setGeometry(8, 16, 225, 26);
    keywordBox_->setEditText(QString::fromUtf8("这里输入查找关键字"));

    auto* secondsCaption = new QLabel(QString::fromUtf8("用时     秒"), this);
    secondsCaption->setObjectName("Label65");
    secondsCaption->setGeometry(240, 56, 110, 22);
    statusLabel_ = new QLabel(QString::fromUtf8("就绪!"), this);
    statusLabel_->setObjectName("Label63");
    statusLabel_->setGeometry(8, 56, 225, 22);
    secondsLabel_ = new QLabel(QStringLiteral("0"), secondsCaption);
    secondsLabel_->setObjectName("Label64");
    // The seconds sit in the blank gap of the caption, wherever the font puts it.
    const QFontMetrics metrics(secondsCaption->font());
    secondsLabel_->setGeometry(metrics.horizontalAdvance(QString::fromUtf8("用时")), 0,
                               metrics.horizontalAdvance(QStringLiteral("     ")), 22);
    secondsLabel_->setAlignment(Qt::AlignCenter);

    const char* names[] = {"ComboBox3", "ComboBox4", "ComboBox5", "ComboBox20"};
    const int lefts[] = {384, 416, 448, 480};
    for (int i = 0; i < 4; ++i) {
        auto* combo = makeDriveCombo(this, QString::fromLatin1(names[i]));
        combo->setGeometry(lefts[i], 16, 33, 24);
        combo->setStyleSheet("QComboBox { padding-left: 2px; } QComboBox::drop-down { width: 11px; }");
        if (i < 3) {
            combo->setToolTip(QString::fromUtf8("资源盘符"));
        }
        connect(combo, &QComboBox::editTextChanged, this,
                [this, i](const QString& text) { emit driveTextChanged(i + 1, text); });
        driveCombos_[i] = combo;
    }
}

std::array<std::string, 4> SearchBarPanel::driveTexts() const {
    std::array<std::string, 4> texts;
    for (int i = 0; i < 4; ++i) {
        texts[i] = toGbk(driveCombos_[i]->currentText());
    }
    return texts;
}

}  // namespace qh
