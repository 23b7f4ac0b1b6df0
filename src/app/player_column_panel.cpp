#include "app/player_column_panel.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>

namespace qh {

namespace {

QPushButton* addButton(QWidget* parent, const char* name, const char* text, QRect place) {
    auto* button = new QPushButton(QString::fromUtf8(text), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(place);
    return button;
}

QLabel* addLabel(QWidget* parent, const char* name, const char* text, QRect place) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(place);
    return label;
}

}  // namespace

PlayerColumnPanel::PlayerColumnPanel(QWidget* parent) : QFrame(parent) {
    setObjectName("Panel1");
    setGeometry(0, -8, 201, 601);
    setFrameShape(QFrame::StyledPanel);

    auto* position = addLabel(this, "Label8", "00:00", {8, 20, 90, 30});
    position->setStyleSheet("color: navy; font-size: 20px;");
    addLabel(this, "Label11", "", {100, 20, 93, 30});
    addLabel(this, "Label10", "", {8, 52, 185, 20});
    addLabel(this, "Label9", "状态:停止", {8, 76, 110, 20});
    addLabel(this, "Label12", "立体声", {130, 76, 63, 20});

    addLabel(this, "", "音量", {8, 102, 36, 20});
    auto* volume = new QScrollBar(Qt::Horizontal, this);
    volume->setObjectName("ScrollBar2");
    volume->setGeometry(46, 102, 147, 18);
    volume->setRange(0, 65535);
    volume->setValue(40000);
    volume->setSingleStep(2000);

    const struct {
        const char* name;
        const char* text;
        const char* hint;
        QRect place;
    } buttons[] = {
        {"Button11", "播放", "播放歌曲", {8, 128, 45, 28}},
        {"Button13", "暂停", "暂停播放", {55, 128, 45, 28}},
        {"Button4", "停止", "停止播放", {102, 128, 45, 28}},
        {"Button3", "PL", "", {149, 128, 22, 28}},
        {"Button2", "XZ", "", {171, 128, 22, 28}},
    };
    for (const auto& b : buttons) {
        auto* button = addButton(this, b.name, b.text, b.place);
        button->setToolTip(QString::fromUtf8(b.hint));
        // Play, pause and stop wait for a file to play.
        button->setEnabled(b.hint[0] == 0);
    }

    auto* seek = new QScrollBar(Qt::Horizontal, this);
    seek->setObjectName("ScrollBar1");
    seek->setGeometry(8, 166, 185, 18);
    seek->setRange(0, 10000000);
    seek->setSingleStep(300);
    seek->setPageStep(32000);

    playlist_ = new QListWidget(this);
    playlist_->setObjectName("ListBox9");
    playlist_->setGeometry(8, 200, 185, 305);

    // The links sit 146 pixels above the window's outer bottom edge.
    const int linkTop = 711 - 146 + 8;
    const struct {
        const char* name;
        const char* text;
        int left;
    } links[] = {
        {"Label27", "免责声明", 8}, {"Label24", "关于我们", 72}, {"Label25", "网站主页", 136}};
    for (const auto& link : links) {
        auto* label = addLabel(this, link.name, link.text, {link.left, linkTop, 62, 20});
        label->setStyleSheet("color: navy;");
        label->setCursor(Qt::PointingHandCursor);
    }
}

}  // namespace qh
