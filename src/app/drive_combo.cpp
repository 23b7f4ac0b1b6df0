#include "app/drive_combo.h"

#include <QSignalBlocker>

namespace qh {

QComboBox* makeDriveCombo(QWidget* parent, const QString& objectName) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(objectName);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItem(QStringLiteral(" "));
    for (char letter = 'D'; letter <= 'Z'; ++letter) {
        combo->addItem(QString(QChar(letter)));
    }
    setComboTextQuietly(combo, QString());
    return combo;
}

void setComboTextQuietly(QComboBox* combo, const QString& text) {
    const QSignalBlocker blocker(combo);
    combo->setCurrentIndex(-1);
    combo->setEditText(text);
}

}  // namespace qh
