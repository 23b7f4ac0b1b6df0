#include "app/player_column_panel.h"

#include <QEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>

#include "app/window_layout.h"

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
    position->setStyleSheet("font-size: 20px;");
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
    playButton_ = findChild<QPushButton*>("Button11");

    auto* seek = new QScrollBar(Qt::Horizontal, this);
    seek->setObjectName("ScrollBar1");
    seek->setGeometry(8, 166, 185, 18);
    seek->setRange(0, 10000000);
    seek->setSingleStep(300);
    seek->setPageStep(32000);

    playlist_ = new QListWidget(this);
    playlist_->setObjectName("ListBox9");
    playlist_->setGeometry(8, 200, 185, 305);
    buildPlaylistMenu();

    // The window's resize rules place the links' tops.
    const struct {
        const char* name;
        const char* text;
        int left;
    } links[] = {
        {"Label27", "免责声明", 8}, {"Label24", "关于我们", 72}, {"Label25", "网站主页", 136}};
    for (std::size_t i = 0; i < links_.size(); ++i) {
        auto* label = addLabel(this, links[i].name, links[i].text, {links[i].left, 573, 62, 20});
        label->setProperty("tone", "link");
        label->setProperty("hovered", false);
        label->setCursor(Qt::PointingHandCursor);
        label->installEventFilter(this);
        links_[i] = label;
    }
}

void PlayerColumnPanel::buildPlaylistMenu() {
    auto* menu = new QMenu(this);
    menu->setObjectName("PopupMenu6");
    auto* play = menu->addAction(QString::fromUtf8("播放"), this, &PlayerColumnPanel::N27Click);
    play->setObjectName("N27");
    play->setEnabled(false);
    menu->addAction(QString::fromUtf8("清空列表"), this, &PlayerColumnPanel::N28Click)
        ->setObjectName("N28");
    menu->addAction(QString::fromUtf8("删除"), this, &PlayerColumnPanel::N1Click)
        ->setObjectName("N1");
    playlist_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(playlist_, &QWidget::customContextMenuRequested, menu, [this, menu](const QPoint& at) {
        menu->popup(playlist_->viewport()->mapToGlobal(at));
    });
}

bool PlayerColumnPanel::eventFilter(QObject* watched, QEvent* event) {
    auto* link = qobject_cast<QLabel*>(watched);
    const auto type = event->type();
    if (link != nullptr && (type == QEvent::Enter || type == QEvent::Leave)) {
        link->setProperty("hovered", type == QEvent::Enter);
        link->style()->unpolish(link);
        link->style()->polish(link);
    } else if (link != nullptr && type == QEvent::MouseButtonRelease) {
        if (link == links_[0]) {
            emit disclaimerWanted();
        } else if (link == links_[1]) {
            emit aboutWanted();
        } else {
            emit homePageWanted();
        }
    }
    return QFrame::eventFilter(watched, event);
}

void PlayerColumnPanel::applyLayout(const MainWindowLayout& layout) {
    resize(width(), layout.playerColumnHeight);
    playlist_->resize(playlist_->width(), layout.playlistHeight);
    for (auto* link : links_) {
        link->move(link->x(), layout.linksTop);
    }
}

void PlayerColumnPanel::fileChosen() {
    playButton_->setEnabled(true);
    playButton_->setStyleSheet("color: aqua;");
}

void PlayerColumnPanel::addToPlaylist(const std::vector<std::string>&) {}

void PlayerColumnPanel::addAndPlay(const std::vector<std::string>&) {}

void PlayerColumnPanel::N27Click() {}

void PlayerColumnPanel::N28Click() {}

void PlayerColumnPanel::N1Click() {}

}  // namespace qh
