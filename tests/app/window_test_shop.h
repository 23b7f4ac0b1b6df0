#pragma once
// What a main window needs in a test: a temporary program folder, real temporary folders as
// drives, and recording doubles for the shell, the key-sound device and the input methods.
#include <gtest/gtest.h>
#include <QTimer>
#include <string>

#include "app/main_window.h"
#include "media/key_sound_tunes.h"
#include "platform/fake_drive_notifications.h"
#include "platform/fake_input_methods.h"
#include "platform/fake_media_device.h"
#include "platform/fake_shell.h"
#include "platform/fake_sound_device.h"
#include "platform/folder_reader_linux.h"
#include "platform/linux_file_system.h"
#include "settings/save_failures.h"
#include "settings/settings_store.h"
#include "support/qt_application.h"
#include "support/temp_folder.h"
#include "support/wait_for.h"
#include "text/gbk.h"

namespace qh::testing {

// A UTF-8 literal as the host name the program gives its GBK text.
inline std::string host(const char* utf8) {
    return gbkToHostName(gbk(utf8));
}

struct WindowTestShop {
    WindowTestShop() { ensureApplication(); }

    // Makes `letter` the folder of that name in the temp folder, creating it.
    void addDrive(char letter, DriveType type = DriveType::Fixed) {
        const auto root = folder.path() / std::string(1, letter);
        std::filesystem::create_directories(root);
        DriveTable table = *drives.snapshot();
        table.set({letter, root, type});
        drives.replace(table);
    }
    void installKeySounds() {
        for (const auto& sound : keySoundFiles()) {
            folder.write(
                std::filesystem::path("app") / host("按键音乐") / gbkToHostName(sound.name),
                sound.wav);
        }
    }
    MainWindowServices services(Shell& useShell) {
        return {paths,    settings, saveFailures, drives,       files,      folderReader,
                useShell, sounds,   media,        inputMethods, driveEvents};
    }
    MainWindowServices services() { return services(shell); }
    // The key sounds the window asked for have played: its sound timer has gone idle.
    static bool soundsSettled(const MainWindow& window) {
        auto* soundTimer = window.findChild<QTimer*>("ShengYingTimer");
        return soundTimer != nullptr && waitFor([&] { return !soundTimer->isActive(); });
    }
    // The file name of the last key sound played once the window's sounds have settled.
    std::string lastSoundOf(const MainWindow& window) {
        EXPECT_TRUE(soundsSettled(window));
        return sounds.played.empty() ? "" : sounds.played.back().filename().string();
    }

    TempFolder folder;
    AppPaths paths = appPathsFor(folder.path() / "app");
    SaveFailures saveFailures;
    SettingsStore settings{paths.settingsFile(), &saveFailures};
    SharedDriveTable drives;
    LinuxFileSystem files{drives};
    LinuxFolderReader folderReader{drives};
    FakeShell shell;
    FakeSoundDevice sounds;
    FakeMediaDevice media;
    FakeInputMethods inputMethods{{gbk("系统默认输入法"), gbk("fcitx 中文输入法")}};
    FakeDriveNotifications driveEvents;
};

}  // namespace qh::testing
