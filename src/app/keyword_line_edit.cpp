#include "app/keyword_line_edit.h"

#include <QGuiApplication>
#include <QInputMethod>

namespace qh {

void KeywordLineEdit::setInputMethodAllowed(bool allowed) {
    allowed_ = allowed;
    if (hasFocus()) {
        QGuiApplication::inputMethod()->update(Qt::ImEnabled);
    }
}

QVariant KeywordLineEdit::inputMethodQuery(Qt::InputMethodQuery query) const {
    if (query == Qt::ImEnabled && !allowed_) {
        return false;
    }
    return QLineEdit::inputMethodQuery(query);
}

void KeywordLineEdit::mouseDoubleClickEvent(QMouseEvent* event) {
    QLineEdit::mouseDoubleClickEvent(event);
    emit doubleClicked();
}

}  // namespace qh
