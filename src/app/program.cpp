#include "app/program.h"

#include "app/side_windows.h"
#include "platform/single_instance_lock.h"
#include "text/atomic_file.h"

namespace qh {

const char* applicationTitle() {
    return "青禾点唱 手机下载系统 2010";
}

bool claimSingleInstance(SingleInstanceLock& lock,
                         const std::function<void(const QString&, const QString&)>& showError) {
    if (lock.tryAcquire(applicationTitle())) {
        return true;
    }
    showError(QString::fromUtf8("程序已经运行"), QStringLiteral("Error"));
    return false;
}

ProgramWindows createProgramWindows(MainWindowServices services) {
    // Saves cut short when the program was last killed or the computer switched off.
    removeAbandonedSaves(services.paths.dataDir);
    ProgramWindows windows;
    auto& settings = services.settings;
    auto& shell = services.shell;
    const auto& inputMethods = services.inputMethods;
    const auto& files = services.files;
    const auto dataDir = services.paths.dataDir;
    windows.main = std::make_unique<MainWindow>(std::move(services));
    windows.main->show();
    MainWindow& main = *windows.main;
    windows.side = createSideWindows({{settings, inputMethods, main.keySounds()},
                                      settings,
                                      shell,
                                      {files, dataDir, [&main] { return main.libraryDriveTexts(); },
                                       main.keySounds(), randomPictureCursor()}});
    windows.main->setSideWindows(windows.side);
    return windows;
}

}  // namespace qh
