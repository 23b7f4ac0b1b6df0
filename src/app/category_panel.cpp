#include "app/category_panel.h"

#include <QPushButton>
#include <QTabBar>

#include "app/singer_page.h"
#include "app/window_layout.h"
#include "media/key_sounds.h"
#include "media/sound_cue.h"
#include "text/gbk.h"

namespace qh {

namespace {

// The buttons' numbers, page by page in the order of the pages' sub-folders.
const std::array<std::vector<int>, 4> kButtonNumbers = {{
    {1, 2, 6, 4, 5, 103, 15, 7, 19, 20, 71, 100, 102, 101, 3, 16},
    {83, 82, 81, 80, 79, 78, 77, 76},
    {58, 59, 60, 25},
    {93, 94, 92, 118, 91, 96, 99, 95},
}};

constexpr int kButtonsPerRow = 6;

QPushButton* makeButton(QWidget* page, int number, const QString& caption, int place) {
    auto* button = new QPushButton(caption, page);
    button->setObjectName(QStringLiteral("SpeedButton%1").arg(number));
    button->setGeometry(8 + 84 * (place % kButtonsPerRow), 8 + 32 * (place / kButtonsPerRow), 80,
                        25);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

}  // namespace

CategoryPanel::CategoryPanel(CategoryPanelServices services, QWidget* parent)
    : QTabWidget(parent), services_(std::move(services)) {
    setObjectName("PageControl1");
    setGeometry(200, 472, 521, 145);
    setTabPosition(QTabWidget::South);
    tabBar()->setStyleSheet("QTabBar::tab { width: 60px; height: 30px; }");
    // A click on the panel is the panel's, not the window background's, which would close it.
    setAttribute(Qt::WA_NoMousePropagation);
    // Beside its tabs too the panel covers what lies below it.
    setAutoFillBackground(true);

    singerPage_ = new SingerPage(this);
    addTab(singerPage_, QString::fromUtf8("歌手"));
    connect(singerPage_, &SingerPage::singerPicked, this, &CategoryPanel::singerPicked);

    const auto& pages = categoryPanelPages();
    for (std::size_t p = 0; p < pages.size(); ++p) {
        const auto& page = pages[p];
        auto* sheet = new QWidget(this);
        sheet->setObjectName(QStringLiteral("TabSheet%1").arg(p + 1));
        int place = 0;
        for (std::size_t b = 0; b < page.subfolders.size(); ++b) {
            const auto& subfolder = page.subfolders[b];
            auto* button = makeButton(sheet, kButtonNumbers[p][b], fromGbk(subfolder), place++);
            connect(button, &QPushButton::clicked, this,
                    [this, &page, &subfolder] { SubfolderView(page, subfolder); });
        }
        if (p == 2) {
            // Offered as it always was; no folder lies behind it.
            makeButton(sheet, 117, QString::fromUtf8("热门铃声"), place);
        }
        addTab(sheet, fromGbk(page.caption));
    }
}

void CategoryPanel::open() {
    const auto drives = services_.driveTexts();
    for (const auto& subfolder : subfolderTree()) {
        createMissingFolders(services_.files, browseFolders(drives, subfolder));
    }
    services_.keySounds.request(kCueSelect);
    show();
    raise();
    emit opened();
}

void CategoryPanel::SubfolderView(const CategoryPanelPage& page, const std::string& subfolder) {
    emit subfolderViewWanted(
        browseFolders(services_.driveTexts(), page.baseFolder + subfolder + '\\'));
}

void CategoryPanel::applyLayout(const MainWindowLayout& layout) {
    move(x(), layout.categoryPanelTop);
}

}  // namespace qh
