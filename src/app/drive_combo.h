#pragma once
// The drive-letter drop-downs of the search bar and the set-up panel: a blank, then D to Z,
// editable, so a typed text is used as it stands.
#include <QComboBox>

namespace qh {

QComboBox* makeDriveCombo(QWidget* parent, const QString& objectName);

// Puts a text into the drop-down without running its change action.
void setComboTextQuietly(QComboBox* combo, const QString& text);

}  // namespace qh
