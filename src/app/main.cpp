#include <QApplication>
#include <QMessageBox>
#include <cstdio>

#include "app/command_line.h"
#include "app/program.h"
#include "platform/desktop_shell_linux.h"
#include "platform/drive_notifications_linux.h"
#include "platform/folder_reader_linux.h"
#include "platform/input_methods_linux.h"
#include "platform/linux_file_system.h"
#include "platform/media_sound_device.h"
#include "platform/mount_table.h"
#include "platform/mount_watcher_linux.h"
#include "platform/single_instance_lock_linux.h"
#include "settings/drive_setup.h"
#include "settings/settings_store.h"
#include "text/atomic_file.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(qh::applicationTitle()));

    qh::LinuxSingleInstanceLock lock;
    const bool alone =
        qh::claimSingleInstance(lock, [](const QString& text, const QString& caption) {
            QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok);
            box.exec();
        });
    if (!alone) {
        return 0;
    }

    const auto line = qh::parseCommandLine({argv + 1, argv + argc});
    for (const auto& error : line.errors) {
        std::fprintf(stderr, "qinghe: %s\n", error.c_str());
    }
    const auto paths = qh::appPathsFor(line.appDir.value_or(
        std::filesystem::path(QCoreApplication::applicationDirPath().toStdString())));
    const auto mountInfo = qh::readWholeFile("/proc/self/mountinfo").value_or("");
    qh::SharedDriveTable drives(qh::assembleDriveTable(qh::loadDriveMap(paths.dataDir), line.drives,
                                                       qh::removableMounts(mountInfo)));

    qh::SettingsStore settings(paths.settingsFile());
    qh::LinuxFileSystem files(drives);
    qh::LinuxFolderReader folderReader(drives);
    qh::DesktopShell shell;
    qh::MediaSoundDevice keySoundDevice;
    qh::LinuxInputMethods inputMethods;
    // Volumes mounted before this point are in the drive table already; the watcher reports
    // only what comes and goes from here on.
    qh::MountWatcher mounts;
    qh::LinuxDriveNotifications driveEvents(mounts, drives);
    const auto windows =
        qh::createProgramWindows({paths, settings, drives, files, folderReader, shell,
                                  keySoundDevice, inputMethods, driveEvents});
    return app.exec();
}
