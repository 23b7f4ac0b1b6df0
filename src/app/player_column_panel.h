#pragma once
// The player column on the left: play time and state, the player's buttons and bars, the
// playlist, and the three links at the foot.
#include <QFrame>

class QLabel;
class QListWidget;

namespace qh {

class PlayerColumnPanel : public QFrame {
    Q_OBJECT
public:
    explicit PlayerColumnPanel(QWidget* parent);

    QListWidget* playlist() const { return playlist_; }

private:
    QListWidget* playlist_;
};

}  // namespace qh
