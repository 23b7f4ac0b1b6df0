#pragma once
// Drives coming and going while the program runs, each reported with its root ("G:\", GBK) on
// the window's thread, so the handlers may change the window's state directly.
#include <QObject>
#include <string>

namespace qh {

class DriveNotifications : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

signals:
    // Added: the drive is in the drive table by now, so its volume can be read. Removed: the
    // drive has left the table.
    void driveAdded(const std::string& root);
    void driveRemoved(const std::string& root);
};

}  // namespace qh
