#include "app/list_copy_widgets.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <algorithm>

#include "app/busy_animation.h"
#include "app/caption_gap.h"
#include "text/gbk.h"

namespace qh {

namespace {

struct Names {
    const char* groupBox;
    const char* progressLine;
    const char* elapsed;
    const char* timer;
    const char* doneNotice;
    const char* lyricsBox;
    const char* busy;
    const char* bar;
};

constexpr Names kNames[] = {
    {"GroupBox10", "Label58", "Label61", "Timer8", "Label66", "CheckBox3", "Animate1",
     "ProgressBar1"},
    {"GroupBox11", "Label67", "Label69", "Timer9", "Label70", "CheckBox4", "Animate2",
     "ProgressBar2"},
    {"GroupBox12", "Label80", "Label73", "Timer10", "Label71", "CheckBox5", "Animate3",
     "ProgressBar3"},
    {"GroupBox13", "Label81", "Label76", "Timer11", "Label74", "CheckBox6", "Animate4",
     "ProgressBar4"},
    {"GroupBox14", "Label82", "Label79", "Timer12", "Label77", "CheckBox7", "Animate5",
     "ProgressBar5"},
};

QLabel* makeLabel(const char* name, const QString& text, const QRect& place, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(place);
    return label;
}

}  // namespace

ListCopyWidgets::ListCopyWidgets(int list, QWidget* page, QWidget* window, bool onScreen)
    : QObject(page), onScreen_(onScreen) {
    const Names& names = kNames[list];
    setObjectName(QStringLiteral("ListCopyWidgets%1").arg(list + 1));

    groupBox_ = new QGroupBox(page);
    groupBox_->setObjectName(QString::fromLatin1(names.groupBox));
    groupBox_->setGeometry(4, 550, 260, 38);
    auto* caption = makeLabel("ElapsedCaption", captionWithGaps("用时      秒"), {}, groupBox_);
    caption->adjustSize();
    caption->move(groupBox_->width() - caption->width() - 6, 14);
    elapsed_ = makeLabel(names.elapsed, QStringLiteral("0"), gapOf(caption, 2, 6), groupBox_);
    elapsed_->setAlignment(Qt::AlignCenter);
    progressLine_ =
        makeLabel(names.progressLine, {}, {6, 14, caption->x() - 10, caption->height()}, groupBox_);
    doneNotice_ = makeLabel(names.doneNotice, QString::fromUtf8("清单%1 下载完成！").arg(list + 1),
                            progressLine_->geometry(), groupBox_);
    doneNotice_->setProperty("tone", "alert");
    doneNotice_->hide();
    // Longer than the done notice: it takes the box's whole width in two lines of smaller type,
    // the elapsed seconds being of no use once files are missing; the whole text is its hint.
    undeliveredNotice_ =
        makeLabel(QStringLiteral("UndeliveredNotice%1").arg(list + 1).toLatin1().constData(), {},
                  {4, 9, groupBox_->width() - 8, 28}, groupBox_);
    undeliveredNotice_->setWordWrap(true);
    undeliveredNotice_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    undeliveredNotice_->setProperty("tone", "alert");
    // It covers the progress line and the elapsed counter in the box's own colour.
    undeliveredNotice_->setProperty("covers", true);
    undeliveredNotice_->setStyleSheet("font-size: 11px;");
    undeliveredNotice_->hide();

    lyricsBox_ = new QCheckBox(QString::fromUtf8("歌词"), page);
    lyricsBox_->setObjectName(QString::fromLatin1(names.lyricsBox));
    lyricsBox_->setToolTip(QString::fromUtf8("勾选后下载歌曲时将同步下载歌词"));
    lyricsBox_->setGeometry(140, 10, 60, 22);

    busy_ = new BusyAnimation(page);
    busy_->setObjectName(QString::fromLatin1(names.busy));
    busy_->setGeometry(206, 520, 56, 28);
    busy_->hide();

    bar_ = new QProgressBar(window);
    bar_->setObjectName(QString::fromLatin1(names.bar));
    bar_->setGeometry(448, 670, 537, 12);
    bar_->setTextVisible(false);
    bar_->setRange(0, 100);
    bar_->setValue(0);
    bar_->hide();

    elapsedTimer_.setParent(this);
    elapsedTimer_.setObjectName(QString::fromLatin1(names.timer));
    elapsedTimer_.setInterval(1000);
    connect(&elapsedTimer_, &QTimer::timeout, this, &ListCopyWidgets::elapsedTick);
}

void ListCopyWidgets::setProgressLine(const std::string& text) {
    progressLine_->setText(fromGbk(text));
}

void ListCopyWidgets::setDoneNoticeShown(bool shown) {
    doneNotice_->setVisible(shown);
    undeliveredNotice_->hide();
}

void ListCopyWidgets::showUndeliveredNotice(const std::string& text) {
    doneNotice_->hide();
    undeliveredNotice_->setText(fromGbk(text));
    undeliveredNotice_->setToolTip(fromGbk(text));
    undeliveredNotice_->show();
    undeliveredNotice_->raise();
}

void ListCopyWidgets::resetBar() {
    bar_->setMinimum(0);
    bar_->setValue(0);
    // The five bars share one place; another list's bar waits for its tab.
    if (onScreen_) {
        bar_->show();
        bar_->raise();
    }
}

void ListCopyWidgets::setBarMaximum(int maximum) {
    // A range of 0 to 0 would turn the bar into a busy indicator; an empty memo fills at once.
    bar_->setMaximum(std::max(maximum, 1));
}

void ListCopyWidgets::fillBar() {
    bar_->setValue(bar_->maximum());
}

void ListCopyWidgets::hideBar() {
    bar_->hide();
}

void ListCopyWidgets::resetElapsedCounter() {
    elapsed_->setText(QStringLiteral("0"));
}

void ListCopyWidgets::startElapsedTimer() {
    if (!elapsedTimer_.isActive()) {
        elapsedTimer_.start();
    }
}

void ListCopyWidgets::stopElapsedTimer() {
    elapsedTimer_.stop();
}

void ListCopyWidgets::setBusyShown(bool shown) {
    busy_->setVisible(shown);
}

bool ListCopyWidgets::busyShown() const {
    return !busy_->isHidden();
}

void ListCopyWidgets::setOnScreen(bool onScreen) {
    onScreen_ = onScreen;
    bar_->setVisible(onScreen);
    if (onScreen) {
        bar_->raise();
    }
}

void ListCopyWidgets::applyLayout(int animationTop, int boxTop, int barTop) {
    busy_->move(busy_->x(), animationTop);
    groupBox_->move(groupBox_->x(), boxTop);
    bar_->move(bar_->x(), barTop);
}

void ListCopyWidgets::elapsedTick() {
    bar_->setValue(std::min(bar_->value() + 3, bar_->maximum()));
    elapsed_->setText(QString::number(elapsed_->text().toInt() + 1));
}

}  // namespace qh
