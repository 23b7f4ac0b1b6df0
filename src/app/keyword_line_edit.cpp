#include "app/keyword_line_edit.h"

#include <QFocusEvent>
#include <QGuiApplication>
#include <QInputMethod>
#include <QTimer>

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

void KeywordLineEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    switch (event->reason()) {
        case Qt::MouseFocusReason:
            // The press that gave the focus places the cursor after this; select once it has.
            QTimer::singleShot(0, this, &QLineEdit::selectAll);
            break;
        case Qt::TabFocusReason:
        case Qt::BacktabFocusReason:
            selectAll();
            break;
        default:
            break;
    }
    emit focusEntered();
}

void KeywordLineEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    emit focusLeft();
}

}  // namespace qh
