#include "app/category_tab_strip.h"

#include <QStyle>
#include <QToolButton>

#include "library/category_table.h"
#include "text/gbk.h"

namespace qh {

CategoryTabStrip::CategoryTabStrip(QWidget* parent) : QWidget(parent) {
    setObjectName("TabControl4");
    setGeometry(200, 0, 801, 617);
    setAttribute(Qt::WA_StyledBackground);
    // The skin colours the tabs; their shape is the strip's own.
    setStyleSheet(
        "QToolButton { font-weight: bold; font-size: 16px; border: 1px solid gray;"
        " border-bottom: 0; border-top-left-radius: 4px; border-top-right-radius: 4px; }");
    for (const auto& category : categoryTable()) {
        auto* tab = new QToolButton(this);
        tab->setObjectName(QStringLiteral("CategoryTab%1").arg(category.index));
        tab->setText(fromGbk(category.tabCaption));
        tab->setGeometry(2 + category.index * 65, 2, 65, 35);
        connect(tab, &QToolButton::pressed, this, [this, index = category.index] {
            setCurrentIndex(index);
            emit tabPressed(index);
        });
        tabs_[category.index] = tab;
    }
}

void CategoryTabStrip::setCurrentIndex(int index) {
    current_ = (index >= 0 && index < static_cast<int>(tabs_.size())) ? index : -1;
    for (int i = 0; i < static_cast<int>(tabs_.size()); ++i) {
        tabs_[i]->setProperty("selected", i == current_);
        tabs_[i]->style()->unpolish(tabs_[i]);
        tabs_[i]->style()->polish(tabs_[i]);
    }
}

}  // namespace qh
