#pragma once
// The keyword box's editor. Number mode takes digits from the plain keyboard, so the box can
// turn its input method off; Qt only honours that through the box's own answer to ImEnabled.
#include <QLineEdit>

namespace qh {

class KeywordLineEdit : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

    void setInputMethodAllowed(bool allowed);
    bool inputMethodAllowed() const { return allowed_; }
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

signals:
    void doubleClicked();
    void focusEntered();
    void focusLeft();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    // Taking the focus by a click or Tab selects the whole text, so typing replaces a prompt
    // such as "这里输入查找关键字" instead of going into it.
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool allowed_ = true;
};

}  // namespace qh
