// qinghe-window-shots: pictures of the real windows for the clerks' guide, made offscreen over a
// demo shop. See shot_options.h for the command line.
#include <unistd.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string_view>
#include <vector>

#include "app/program.h"
#include "app/skins.h"
#include "guide_pictures.h"
#include "platform/desktop_shell_linux.h"
#include "platform/drive_notifications_linux.h"
#include "platform/fake_input_methods.h"
#include "platform/fake_media_device.h"
#include "platform/folder_reader_linux.h"
#include "platform/linux_file_system.h"
#include "platform/mount_watcher_linux.h"
#include "platform/sound_device.h"
#include "settings/drive_setup.h"
#include "settings/save_failures.h"
#include "settings/settings_store.h"
#include "shot_options.h"
#include "shot_picture.h"
#include "text/atomic_file.h"
#include "text/gbk.h"
#include "window_driver.h"

namespace {

namespace fs = std::filesystem;
using qh::shots::WindowDriver;

constexpr int kUsageError = 2;
constexpr std::string_view kScreen =
    R"({"screens": [{"name": "shots", "width": 1600, "height": 1000}]})";

// Pictures are made without a sound, also over a shop that has its key sounds.
class SilentSoundDevice final : public qh::SoundDevice {
public:
    void play(const fs::path&) override {}
};

// Start-up is over once the warm-up search has ended, 清单1 is loaded and the disks present at
// start are offered.
void waitForStartUp(const WindowDriver& main) {
    main.waitUntil("the end of start-up", [&] {
        return main.text("Label63") == QString::fromUtf8("就绪！") &&
               !main.find<QTimer>("QiDTimer").isActive() &&
               !main.find<QTimer>("UZTTimer3").isActive();
    });
}

fs::path shoot(const WindowDriver& window, const fs::path& file) {
    window.settle();
    qh::shots::savePicture(qh::shots::pictureOf(window.window()), file);
    return file;
}

std::vector<fs::path> makePictures(WindowDriver& main, const qh::SharedDriveTable& drives,
                                   const qh::shots::ShotOptions& options) {
    if (options.guideWanted()) {
        return qh::shots::makeGuidePictures(main, drives, options.outDir);
    }
    std::vector<fs::path> written;
    for (const QString& name : options.windows) {
        QWidget& window = qh::shots::topLevelWindow(name);
        window.show();
        written.push_back(
            shoot(WindowDriver(window), options.outDir / (name.toStdString() + ".png")));
        window.hide();
    }
    for (const QString& name : options.panels) {
        QWidget& panel = main.find(name);
        const bool wasHidden = panel.isHidden();
        panel.show();
        panel.raise();
        written.push_back(shoot(main, options.outDir / (name.toStdString() + ".png")));
        panel.setHidden(wasHidden);
    }
    // Last, as a skin stays on every window once applied.
    for (const int skin : options.skins) {
        qh::applySkin(skin);
        written.push_back(shoot(main, options.outDir / ("skin-" + std::to_string(skin) + ".png")));
    }
    return written;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    const auto parsed = qh::shots::parseShotOptions(args);
    if (const auto* message = std::get_if<std::string>(&parsed)) {
        std::fprintf(stderr, "qinghe-window-shots: %s\n%s\n", message->c_str(),
                     qh::shots::kUsage.data());
        return kUsageError;
    }
    const auto& options = std::get<qh::shots::ShotOptions>(parsed);

    // Offscreen, so the pictures are the same on every machine, desktop or not, and no window
    // flashes up; on one screen larger than the window, so that menus and drop-downs open where
    // they would on the shop's screen instead of being pushed inside the default small one.
    const QTemporaryDir screenDir;
    const QString screenFile = screenDir.filePath(QStringLiteral("screen.json"));
    if (!qh::writeFileAtomically(fs::path(screenFile.toStdString()), kScreen)) {
        std::fprintf(stderr, "qinghe-window-shots: cannot write %s\n", qPrintable(screenFile));
        return 1;
    }
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + screenFile).toUtf8());
    int qtArgc = 1;
    // As the program starts: the web search window's browser shares its contexts and, for root,
    // runs without its sandbox.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    if (::geteuid() == 0) {
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    }
    QApplication app(qtArgc, argv);
    QApplication::setApplicationName(QString::fromUtf8(qh::applicationTitle()));

    std::error_code error;
    fs::create_directories(options.outDir, error);
    const auto paths = qh::appPathsFor(options.shopDir / "app");
    // Only the shop's own drives: a stick of this machine would show up in the pictures.
    qh::SharedDriveTable drives(qh::assembleDriveTable(qh::loadDriveMap(paths.dataDir), {}, {}));
    qh::SaveFailures saveFailures;
    qh::SettingsStore settings(paths.settingsFile(), &saveFailures);
    qh::LinuxFileSystem files(drives);
    qh::LinuxFolderReader folderReader(drives);
    qh::DesktopShell shell;
    SilentSoundDevice sounds;
    qh::FakeMediaDevice media;
    // The pictures show the same input methods on every machine they are made on.
    qh::FakeInputMethods inputMethods({qh::gbk("系统默认输入法"), qh::gbk("拼音")});
    qh::MountWatcher mounts;
    qh::LinuxDriveNotifications driveEvents(mounts, drives);
    const auto windows =
        qh::createProgramWindows({paths, settings, saveFailures, drives, files, folderReader, shell,
                                  sounds, media, inputMethods, driveEvents});

    WindowDriver main(*windows.main);
    windows.main->setMessagePresenter([&main](const QString& text) { main.recordMessage(text); });
    try {
        waitForStartUp(main);
        for (const auto& file : makePictures(main, drives, options)) {
            std::printf("qinghe-window-shots: wrote %s\n", file.c_str());
        }
    } catch (const std::exception& failure) {  // ShotError, or a file of the shop in the way
        std::fprintf(stderr, "qinghe-window-shots: %s\n", failure.what());
        return 1;
    }
    return 0;
}
