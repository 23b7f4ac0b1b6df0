#include "app/search_bar_panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "app/caption_gap.h"
#include "app/drive_combo.h"
#include "app/keyword_line_edit.h"
#include "text/gbk.h"

namespace qh {

namespace {

QPushButton* makeButton(QWidget* parent, const char* name, const char* text, const char* hint,
                        QRect place) {
    auto* button = new QPushButton(QString::fromUtf8(text), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(QString::fromUtf8(hint));
    button->setGeometry(place);
    return button;
}

QCheckBox* makeCheckBox(QWidget* parent, const char* name, const char* text, const char* hint,
                        QRect place) {
    auto* box = new QCheckBox(QString::fromUtf8(text), parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setToolTip(QString::fromUtf8(hint));
    box->setGeometry(place);
    return box;
}

}  // namespace

SearchBarPanel::SearchBarPanel(QWidget* parent) : QGroupBox(parent) {
    setObjectName("GroupBox7");
    setGeometry(0, 48, 521, 89);

    // The hidden default button lies behind the keyword box, as Enter's target.
    defaultButton_ = makeButton(this, "Button1", "", "", {8, 16, 10, 10});
    defaultButton_->hide();

    keywordBox_ = new QComboBox(this);
    keywordBox_->setObjectName("ComboBox1");
    keywordEditor_ = new KeywordLineEdit(keywordBox_);
    keywordBox_->setEditable(true);
    keywordBox_->setLineEdit(keywordEditor_);
    keywordBox_->setInsertPolicy(QComboBox::NoInsert);
    keywordBox_->setGeometry(8, 16, 200, 26);
    keywordBox_->setEditText(QString::fromUtf8("这里输入查找关键字"));

    searchButton_ = makeButton(this, "SpeedButton22", " 查找【Enter】", "回车为本地查找快捷键",
                               {212, 15, 100, 28});
    webSearchButton_ = makeButton(this, "SpeedButton13", "网上搜索", "网上查找", {314, 15, 66, 28});

    statusLabel_ = new QLabel(QString::fromUtf8("就绪!"), this);
    statusLabel_->setObjectName("Label63");
    statusLabel_->setGeometry(8, 56, 190, 22);
    numberMode_ =
        makeCheckBox(this, "CheckBox1", "编号查找", "勾选为编号查找功能", {200, 56, 86, 22});
    copyAtOnce_ =
        makeCheckBox(this, "CheckBox2", "同步下载",
                     "勾选后输入编号后回车文件就直接下载到U盘相应目录", {288, 56, 86, 22});
    copyAtOnce_->setChecked(true);

    auto* secondsCaption = new QLabel(captionWithGaps("用时     秒"), this);
    secondsCaption->setObjectName("Label65");
    secondsCaption->setGeometry(384, 56, 110, 22);
    secondsLabel_ = new QLabel(QStringLiteral("0"), secondsCaption);
    secondsLabel_->setObjectName("Label64");
    secondsLabel_->setGeometry(gapOf(secondsCaption, 2, 5).translated(-secondsCaption->pos()));
    secondsLabel_->setAlignment(Qt::AlignCenter);

    const char* names[] = {"ComboBox3", "ComboBox4", "ComboBox5", "ComboBox20"};
    const int lefts[] = {384, 416, 448, 480};
    for (int i = 0; i < 4; ++i) {
        auto* combo = makeDriveCombo(this, QString::fromLatin1(names[i]));
        combo->setGeometry(lefts[i], 16, 33, 24);
        combo->setStyleSheet(
            "QComboBox { padding-left: 2px; } QComboBox::drop-down { width: 11px; }");
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

void SearchBarPanel::setSearchButtonsEnabled(bool enabled) {
    searchButton_->setEnabled(enabled);
    defaultButton_->setEnabled(enabled);
}

}  // namespace qh
