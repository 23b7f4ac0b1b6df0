#include "windows/picture_browser_window.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>
#include <random>

#include "media/key_sounds.h"
#include "media/sound_cue.h"
#include "text/gbk.h"
#include "windows/picture_loader.h"
#include "windows/picture_pane.h"

namespace qh {

namespace {

struct TopicButton {
    int number;           // ButtonN
    const char* caption;  // spaced as the buttons have always been
};

// The topics top to bottom, in the order of the library's topic folders.
constexpr std::array<std::array<TopicButton, 11>, 2> kTopicButtons{{
    {{{14, "美  女 "},
      {15, "风  景 "},
      {16, "爱  情 "},
      {17, "幽默搞笑"},
      {24, "激  情 "},
      {19, "动漫卡通"},
      {20, "美  男 "},
      {18, "节日祝福"},
      {25, "非 主 流"},
      {26, "名  车 "},
      {21, "另　类"}}},
    {{{27, "美  女 "},
      {28, "风  景 "},
      {29, "爱  情 "},
      {30, "幽默搞笑"},
      {31, "激  情 "},
      {32, "动漫卡通"},
      {33, "美  男 "},
      {34, "节日祝福"},
      {35, "非 主 流"},
      {36, "名  车 "},
      {37, "另　类"}}},
}};
constexpr std::array<const char*, 2> kSizeTabs{"大图", "小图"};
constexpr int kBigPictures = 0;
constexpr int kBeautyTopic = 0;

constexpr int kMargin = 8;
constexpr int kPaneGap = 6;
constexpr int kTopicColumnWidth = 104;
constexpr int kPanesLeft = kMargin + kTopicColumnWidth + kMargin;
constexpr int kPagingRowTop = kMargin + 2 * PicturePane::kSize.height() + kPaneGap + kMargin;
constexpr int kWindowWidth = kPanesLeft + 3 * PicturePane::kSize.width() + 2 * kPaneGap + kMargin;
constexpr int kWindowHeight = kPagingRowTop + 28 + kMargin;

QPushButton* makeButton(const char* name, const char* caption, QWidget* parent) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

}  // namespace

int randomPictureCursor() {
    std::random_device seed;
    std::mt19937 random(seed());
    return std::uniform_int_distribution<int>(0, 19)(random);
}

PictureBrowserWindow::PictureBrowserWindow(PictureBrowserServices services, QWidget* parent)
    : QWidget(parent),
      services_(std::move(services)),
      placeholder_(services_.dataDir / gbkToHostName(gbk("青禾点唱.gif"))),
      cursor_(services_.startCursor),
      loader_(new PictureLoader(services_.files, PicturePane::kSize, this)) {
    setObjectName(QStringLiteral("TTuForm"));
    setWindowTitle(QString::fromUtf8("青禾点唱  之  手机图片"));
    setFixedSize(kWindowWidth, kWindowHeight);
    QFont font({QStringLiteral("SimSun"), QStringLiteral("Noto Sans CJK SC")});
    font.setPixelSize(14);
    setFont(font);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    buildTopicPages();
    buildPanes();
    buildPagingRow();
}

PictureBrowserWindow::~PictureBrowserWindow() = default;

void PictureBrowserWindow::buildTopicPages() {
    sizeTabs_ = new QTabWidget(this);
    sizeTabs_->setObjectName(QStringLiteral("PageControl1"));
    sizeTabs_->setStyleSheet(QStringLiteral("QTabBar::tab { min-width: 38px; min-height: 24px; }"));
    sizeTabs_->setGeometry(kMargin, kMargin, kTopicColumnWidth, kPagingRowTop - 2 * kMargin + 28);
    for (int size = 0; size < 2; ++size) {
        auto* page = new QWidget;
        auto* column = new QVBoxLayout(page);
        column->setContentsMargins(6, 8, 6, 8);
        for (int topic = 0; topic < 11; ++topic) {
            const TopicButton& look = kTopicButtons[size][topic];
            const QByteArray name = "Button" + QByteArray::number(look.number);
            QPushButton* button = makeButton(name.constData(), look.caption, page);
            button->setMinimumHeight(44);
            column->addWidget(button);
            const std::string folder = pictureTopicFolder(size, topic);
            connect(button, &QPushButton::clicked, this, [this, folder] { loadTopic(folder); });
        }
        column->addStretch();
        sizeTabs_->addTab(page, QString::fromUtf8(kSizeTabs[size]));
    }
    connect(sizeTabs_, &QTabWidget::currentChanged, this,
            &PictureBrowserWindow::PageControl1Change);
}

void PictureBrowserWindow::buildPanes() {
    for (int pane = 0; pane < kPicturePaneCount; ++pane) {
        auto* view = new PicturePane(pane, *loader_, this);
        const int column = pane % 3;
        const int row = pane / 3;
        view->move(kPanesLeft + column * (PicturePane::kSize.width() + kPaneGap),
                   kMargin + row * (PicturePane::kSize.height() + kPaneGap));
        // Clicks in a pane are the window's: the pane itself never sees them.
        view->installEventFilter(this);
        panes_[static_cast<std::size_t>(pane)] = view;
    }
    connect(panes_.front(), &PicturePane::loaded, this, [this] { loaded_ = true; });
}

void PictureBrowserWindow::buildPagingRow() {
    endMarker_ = new QLabel(this);
    endMarker_->setObjectName(QStringLiteral("Label1"));
    QFont bold = endMarker_->font();
    bold.setBold(true);
    bold.setPixelSize(16);
    endMarker_->setFont(bold);
    // Red in every skin: the skins give the alert tone the red that reads on their background.
    endMarker_->setProperty("tone", "alert");
    QPalette red = endMarker_->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    endMarker_->setPalette(red);
    endMarker_->setGeometry(kPanesLeft, kPagingRowTop, 200, 28);

    const int buttonsLeft = kPanesLeft + PicturePane::kSize.width() + kPaneGap;
    previous_ = makeButton("Button3", "上一页 ", this);
    next_ = makeButton("Button1", "下一页 ", this);
    auto* back = makeButton("Button2", "返回", this);
    previous_->setGeometry(buttonsLeft, kPagingRowTop, 90, 28);
    next_->setGeometry(buttonsLeft + 100, kPagingRowTop, 90, 28);
    back->setGeometry(kWindowWidth - kMargin - 90, kPagingRowTop, 90, 28);
    previous_->setEnabled(false);
    connect(next_, &QPushButton::clicked, this, &PictureBrowserWindow::Button1Click);
    connect(previous_, &QPushButton::clicked, this, &PictureBrowserWindow::Button3Click);
    connect(back, &QPushButton::clicked, this, &QWidget::close);
}

void PictureBrowserWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // A window brought back from the task bar is not shown anew.
    if (!event->spontaneous()) {
        FormShow();
    }
}

void PictureBrowserWindow::FormShow() {
    drives_ = services_.driveTexts();
    const bool beautyNote =
        std::filesystem::exists(services_.dataDir / gbkToHostName(gbk("美女.txt")));
    if (!beautyNote && std::filesystem::exists(placeholder_)) {
        for (auto* pane : panes_) {
            pane->showFile({{}, placeholder_});
        }
    }
    // The shop's own placeholder is no picture a customer can take.
    chosen_ = panes_.front()->libraryPath();
    loadTopic(pictureTopicFolder(kBigPictures, kBeautyTopic));
}

void PictureBrowserWindow::loadTopic(const std::string& topicFolder) {
    pictures_ = topicPictures(services_.files, drives_, topicFolder);
    previous_->setEnabled(true);
    showTurns(pageForward(cursor_, pictures_.size()));
}

void PictureBrowserWindow::PageControl1Change(int size) {
    if (size >= 0) {
        loadTopic(pictureTopicFolder(size, kBeautyTopic));
    }
}

void PictureBrowserWindow::Button1Click() {
    if (!pictures_.empty()) {
        previous_->setEnabled(true);
        showTurns(pageForward(cursor_, pictures_.size()));
    }
}

void PictureBrowserWindow::Button3Click() {
    if (!pictures_.empty()) {
        showTurns(pageBackward(cursor_, pictures_.size()));
    }
}

void PictureBrowserWindow::showTurns(const std::array<PaneTurn, kPicturePaneCount>& turns) {
    for (const PaneTurn& turn : turns) {
        if (turn.entry) {
            panes_[static_cast<std::size_t>(turn.pane)]->showFile({pictures_.at(*turn.entry), {}});
        }
        cursorWritten(turn.cursorAfter);
    }
}

void PictureBrowserWindow::cursorWritten(int cursor) {
    const auto shown = marker_.cursorWritten(cursor, pictures_.size());
    if (!shown) {
        return;
    }
    switch (shown->mark) {
        case EndMark::None:
            endMarker_->clear();
            break;
        case EndMark::First:
            endMarker_->setText(QString::fromUtf8("已到最前"));
            break;
        case EndMark::Last:
            endMarker_->setText(QString::fromUtf8("已到最后"));
            break;
    }
    if (shown->cue) {
        services_.keySounds.request(kCueError);
    }
}

bool PictureBrowserWindow::eventFilter(QObject* watched, QEvent* event) {
    const auto found = std::find(panes_.begin(), panes_.end(), watched);
    const bool click =
        event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick;
    if (found == panes_.end() || !click || !loaded_ ||
        static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) {
        return QWidget::eventFilter(watched, event);
    }
    const int pane = static_cast<int>(found - panes_.begin());
    if (event->type() == QEvent::MouseButtonPress) {
        paneClicked(pane);
    } else if (!chosen_.empty()) {
        emit pictureAddWanted(chosen_);
    }
    return true;
}

void PictureBrowserWindow::paneClicked(int pane) {
    for (int other = 0; other < kPicturePaneCount; ++other) {
        panes_[static_cast<std::size_t>(other)]->setSelected(other == pane);
    }
    chosen_ = panes_[static_cast<std::size_t>(pane)]->libraryPath();
}

}  // namespace qh
