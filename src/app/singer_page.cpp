#include "app/singer_page.h"

#include <QEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include "text/gbk.h"

namespace qh {

namespace {

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& text, QRect place) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setGeometry(place);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

// The letter buttons: A and B have numbers of their own, C to Z follow on from 26; four rows,
// the last two set in by 8 pixels.
struct LetterButton {
    char letter;
    int number;
    QPoint place;
};

std::vector<LetterButton> letterButtons() {
    std::vector<LetterButton> buttons;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const int i = letter - 'A';
        const int number = letter == 'A' ? 9 : letter == 'B' ? 21 : 26 + (i - 2);
        const int row = i < 7 ? 0 : i < 14 ? 1 : i < 20 ? 2 : 3;
        const int first = row == 0 ? 0 : row == 1 ? 7 : row == 2 ? 14 : 20;
        const int left = (row < 2 ? 352 : 360) + 24 * (i - first);
        buttons.push_back({letter, number, {left, 8 + 24 * row}});
    }
    return buttons;
}

}  // namespace

SingerPage::SingerPage(QWidget* parent) : QGroupBox(parent) {
    setObjectName("SingerGroupBox");

    grid_ = new QTableWidget(kSingerGridRows, kSingerGridColumns, this);
    grid_->setObjectName("StringGrid1");
    grid_->setGeometry(8, 8, 289, 89);
    grid_->horizontalHeader()->hide();
    grid_->verticalHeader()->hide();
    grid_->horizontalHeader()->setDefaultSectionSize(70);
    grid_->verticalHeader()->setDefaultSectionSize(25);
    grid_->horizontalHeader()->setMinimumSectionSize(1);
    grid_->verticalHeader()->setMinimumSectionSize(1);
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setShowGrid(true);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    for (int row = 0; row < kSingerGridRows; ++row) {
        for (int column = 0; column < kSingerGridColumns; ++column) {
            grid_->setItem(row, column, new QTableWidgetItem);
        }
    }
    connect(grid_, &QTableWidget::cellClicked, this, &SingerPage::StringGrid1Click);

    auto* previous =
        makeButton(this, "SpeedButton17", QString::fromUtf8("上一页"), {296, 8, 49, 25});
    auto* next = makeButton(this, "SpeedButton12", QString::fromUtf8("下一页"), {296, 40, 49, 25});
    connect(previous, &QPushButton::clicked, this, &SingerPage::SpeedButton17Click);
    connect(next, &QPushButton::clicked, this, &SingerPage::SpeedButton12Click);

    letters_ = new QLineEdit(this);
    letters_->setObjectName("Edit1");
    letters_->setGeometry(296, 72, 49, 21);
    letters_->setToolTip(QString::fromUtf8("字母输入框,双击清空"));
    letters_->installEventFilter(this);
    connect(letters_, &QLineEdit::textChanged, this, &SingerPage::Edit1Change);

    for (const auto& letter : letterButtons()) {
        const QString caption(QChar::fromLatin1(letter.letter));
        auto* button = makeButton(this, QStringLiteral("SpeedButton%1").arg(letter.number), caption,
                                  {letter.place, QSize(24, 24)});
        connect(button, &QPushButton::clicked, this,
                [this, caption] { letters_->setText(letters_->text() + caption); });
    }
    showCells();
}

void SingerPage::loadSingers(std::vector<std::string> lines) {
    index_.load(std::move(lines));
    showCells();
}

void SingerPage::showCells() {
    for (int column = 0; column < kSingerGridColumns; ++column) {
        for (int row = 0; row < kSingerGridRows; ++row) {
            grid_->item(row, column)->setText(fromGbk(index_.cell(column, row)));
        }
    }
}

void SingerPage::Edit1Change() {
    index_.filter(toGbk(letters_->text()));
    showCells();
}

void SingerPage::SpeedButton12Click() {
    index_.nextPage();
    showCells();
}

void SingerPage::SpeedButton17Click() {
    index_.previousPage();
    showCells();
}

void SingerPage::StringGrid1Click(int row, int column) {
    const std::string& name = index_.cell(column, row);
    if (!name.empty()) {
        emit singerPicked(fromGbk(name));
    }
}

bool SingerPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == letters_ && event->type() == QEvent::MouseButtonDblClick) {
        letters_->clear();
        return true;
    }
    return QGroupBox::eventFilter(watched, event);
}

}  // namespace qh
