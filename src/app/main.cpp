#include <unistd.h>
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTimer>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>

#include "app/command_line.h"
#include "app/program.h"
#include "platform/desktop_shell_linux.h"
#include "platform/drive_notifications_linux.h"
#include "platform/folder_reader_linux.h"
#include "platform/gsettings_linux.h"
#include "platform/input_methods_linux.h"
#include "platform/linux_file_system.h"
#include "platform/listing_index_keeper.h"
#include "platform/media_sound_device.h"
#include "platform/mount_table.h"
#include "platform/mount_watcher_linux.h"
#include "platform/qt_media_device.h"
#include "platform/single_instance_lock_linux.h"
#include "settings/drive_setup.h"
#include "settings/save_failures.h"
#include "settings/settings_store.h"
#include "text/atomic_file.h"

int main(int argc, char** argv) {
    // The web search window's browser shares its drawing contexts, and runs without the browser's
    // sandbox only where that sandbox cannot start at all: for root.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    if (::geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX")) {
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(qh::applicationTitle()));
    // The program speaks Chinese whatever the machine's language, Qt's own dialogs and buttons
    // too (the folder dialog, "确定").
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                     QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtTexts);
    }

    const auto line = qh::parseCommandLine({argv + 1, argv + argc});
    for (const auto& error : line.errors) {
        std::fprintf(stderr, "qinghe: %s\n", error.c_str());
    }
    const auto paths = qh::locateAppPaths(
        line.appDir.value_or(
            std::filesystem::path(QCoreApplication::applicationDirPath().toStdString())),
        qh::userDataRoot());

    // One program per data folder: two on one folder would overwrite each other's lists.
    qh::LinuxSingleInstanceLock lock(paths.dataDir);
    const bool alone =
        qh::claimSingleInstance(lock, [](const QString& text, const QString& caption) {
            QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok);
            box.exec();
        });
    if (!alone) {
        return 0;
    }

    qh::SaveFailures saveFailures;
    // A data folder that may not be written is told at once, before the clerk sets anything up.
    saveFailures.record(qh::isWritableFolder(paths.dataDir), paths.settingsFile());
    const char* home = std::getenv("HOME");
    const auto mountInfo = qh::readWholeFile("/proc/self/mountinfo").value_or("");
    qh::SharedDriveTable drives(qh::assembleDriveTable(
        qh::loadDriveMap(paths.dataDir), line.drives,
        qh::machineVolumes(
            mountInfo, home != nullptr ? std::filesystem::path(home) : std::filesystem::path())));

    qh::SettingsStore settings(paths.settingsFile(), &saveFailures);
    qh::LinuxFileSystem files(drives);
    // What the library's folders listed, kept from the last run: the first searches of the day
    // read only the folders that changed since.
    qh::ListingIndex listingIndex;
    qh::LinuxFolderReader folderReader(drives, &listingIndex);
    qh::ListingIndexKeeper listingIndexKeeper(
        listingIndex, paths.dataDir / qh::kListingIndexFileName, qh::thisMachineName());
    listingIndexKeeper.startLoading();
    qh::DesktopShell shell;
    qh::MediaSoundDevice keySoundDevice;
    qh::QtMediaDevice mediaDevice;
    qh::GSettingsCommand gsettings;
    qh::LinuxInputMethods inputMethods(gsettings);
    // Volumes mounted before this point are in the drive table already; the watcher reports
    // only what comes and goes from here on.
    qh::MountWatcher mounts;
    qh::LinuxDriveNotifications driveEvents(mounts, drives);
    const auto windows =
        qh::createProgramWindows({paths, settings, saveFailures, drives, files, folderReader, shell,
                                  keySoundDevice, mediaDevice, inputMethods, driveEvents});
    QTimer listingIndexSaves;
    listingIndexSaves.setInterval(std::chrono::minutes(1));
    QObject::connect(&listingIndexSaves, &QTimer::timeout,
                     [&listingIndexKeeper] { listingIndexKeeper.saveIfChanged(); });
    listingIndexSaves.start();
    // The start-up benchmark times the program from its start to this line.
    if (qEnvironmentVariableIsSet("QINGHE_REPORT_USABLE")) {
        QObject::connect(windows.main.get(), &qh::MainWindow::startUpLoaded, [] {
            std::printf("qinghe: usable\n");
            std::fflush(stdout);
        });
    }
    return app.exec();
}
