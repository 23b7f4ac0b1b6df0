#include "app/tally_panel.h"

#include <QLabel>
#include <QMouseEvent>

#include "app/caption_gap.h"
#include "download/amount_text.h"
#include "download/billing_tally.h"
#include "text/gbk.h"

namespace qh {

namespace {

enum class Tone { Plain, Alert };

QLabel* addLabel(QWidget* parent, const char* name, const QString& text, QRect place,
                 const char* style = "", Tone tone = Tone::Plain) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(place);
    label->setStyleSheet(QString::fromLatin1(style));
    if (tone == Tone::Alert) {
        label->setProperty("tone", "alert");
    }
    return label;
}

}  // namespace

TallyPanel::TallyPanel(QWidget* parent) : QGroupBox(QString::fromUtf8("统计"), parent) {
    setObjectName("GroupBox5");
    setToolTip(QString::fromUtf8("统计详细"));
    setGeometry(736, 448, 257, 145);

    // Four rows of three: 音乐 图片 小品 / MTV 电子书 演唱会 / 电影 游戏 铃声 / 连续剧 生活片 其它.
    const struct {
        const char* counter;
        const char* caption;
        int row;
        int column;
    } cells[12] = {
        {"Label2", "音  乐：", 0, 0},  {"Label6", "M T V ：", 1, 0},  {"Label13", "电  影：", 2, 0},
        {"Label40", "连续剧：", 3, 0}, {"Label39", "图  片：", 0, 1}, {"Label3", "电子书：", 1, 1},
        {"Label20", "游  戏：", 2, 1}, {"Label41", "生活片：", 3, 1}, {"Label49", "小  品：", 0, 2},
        {"Label43", "演唱会：", 1, 2}, {"Label45", "铃  声：", 2, 2}, {"Label47", "其  它：", 3, 2},
    };
    for (int index = 0; index < 12; ++index) {
        const auto& cell = cells[index];
        const int left = 6 + cell.column * 84;
        const int top = 18 + cell.row * 20;
        addLabel(this, "", QString::fromUtf8(cell.caption), {left, top, 54, 18},
                 "font-size: 12px;");
        counters_[index] = addLabel(this, cell.counter, QStringLiteral("0"),
                                    {left + 54, top, 28, 18}, "font-size: 12px;", Tone::Alert);
    }
    // The values sit in the blank gaps of their captions.
    auto* sizeLine =
        addLabel(this, "Label15", captionWithGaps("文件大小：           MB  共:      个对象"),
                 {6, 100, 248, 18}, "font-size: 12px;");
    auto* amountLine = addLabel(this, "Label59", captionWithGaps("应收金额：　　　　　  元"),
                                {6, 120, 248, 20}, "font-size: 12px;");
    sizeLabel_ =
        addLabel(this, "Label23", QStringLiteral("0"), gapOf(sizeLine, 5, 11), "font-size: 12px;");
    sizeLabel_->setAlignment(Qt::AlignCenter);
    countLabel_ =
        addLabel(this, "Label22", QStringLiteral("0"), gapOf(sizeLine, 22, 6), "font-size: 12px;");
    countLabel_->setAlignment(Qt::AlignCenter);
    amountLabel_ = addLabel(this, "Label60", QStringLiteral("0"), gapOf(amountLine, 5, 7),
                            "font-size: 16px; font-weight: bold;", Tone::Alert);
    amountLabel_->setAlignment(Qt::AlignCenter);
    undelivered_ =
        addLabel(this, "UndeliveredCount", {}, {176, 122, 78, 18}, "font-size: 11px;", Tone::Alert);
    undelivered_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    undelivered_->hide();
}

void TallyPanel::mouseReleaseEvent(QMouseEvent* event) {
    QGroupBox::mouseReleaseEvent(event);
    if (rect().contains(event->position().toPoint())) {
        emit clicked();
    }
}

void TallyPanel::showUndelivered(int entries) {
    undelivered_->setText(QString::fromUtf8("%1 个未送达").arg(entries));
    undelivered_->setToolTip(QString::fromUtf8("未复制到顾客磁盘的文件不计入统计和金额"));
    undelivered_->setVisible(entries > 0);
}

void TallyPanel::showTally(const BillingTally& tally) {
    for (int index = 0; index < 12; ++index) {
        counters_[index]->setText(QString::number(tally.counts[index]));
    }
    sizeLabel_->setText(fromGbk(tally.sizeText));
    countLabel_->setText(QString::number(tally.fileCount));
    amountLabel_->setText(fromGbk(AmountText(tally.amountDue)));
}

}  // namespace qh
