#include "app/new_additions_bar.h"

#include <QPushButton>

#include "app/window_layout.h"
#include "library/category_table.h"
#include "text/gbk.h"

namespace qh {

NewAdditionsBar::NewAdditionsBar(NewAdditionsServices services, QWidget* parent)
    : QGroupBox(parent), services_(std::move(services)) {
    setObjectName("GroupBox9");
    setGeometry(200, 624, 521, 33);
    setAttribute(Qt::WA_NoMousePropagation);
    // Left to right: 音乐, MTV, 电影, 连续剧, 生活片.
    const int numbers[] = {52, 54, 53, 55, 56};
    int place = 0;
    for (const auto& additions : newAdditionsFolders()) {
        const auto& category = categoryTable().at(additions.categoryIndex);
        auto* button = new QPushButton(fromGbk(category.tabCaption), this);
        button->setObjectName(QStringLiteral("SpeedButton%1").arg(numbers[place]));
        button->setGeometry(8 + 102 * place, 5, 96, 24);
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QPushButton::clicked, this,
                [this, &additions] { NewAdditionsView(additions); });
        ++place;
    }
}

void NewAdditionsBar::NewAdditionsView(const NewAdditionsFolder& additions) {
    const auto folders = browseFolders(services_.driveTexts(), belowLibraryRoot(additions));
    createMissingFolders(services_.files, folders);
    emit viewWanted(folders);
}

void NewAdditionsBar::applyLayout(const MainWindowLayout& layout) {
    move(x(), layout.newAdditionsBarTop);
}

}  // namespace qh
