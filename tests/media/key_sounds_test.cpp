#include "media/key_sounds.h"

#include <gtest/gtest.h>

#include "media/key_sound_tunes.h"
#include "media/sound_cue.h"
#include "platform/fake_sound_device.h"
#include "support/qt_application.h"
#include "support/temp_folder.h"
#include "support/wait_for.h"
#include "text/gbk.h"

namespace qh {
namespace {

using testing::TempFolder;

class KeySoundsTest : public ::testing::Test {
protected:
    KeySoundsTest() {
        testing::ensureApplication();
        for (const auto& sound : keySoundFiles()) {
            folder.write(gbkToHostName(sound.name), sound.wav);
        }
    }
    void letTimerTick() {
        ASSERT_TRUE(testing::waitFor([&] { return !sounds.timer().isActive(); }));
    }
    std::filesystem::path soundFile(int code) const {
        return folder.path() / gbkToHostName(soundCueFileName(code));
    }

    TempFolder folder;
    FakeSoundDevice device;
    KeySounds sounds{device, folder.path()};
};

TEST_F(KeySoundsTest, PlaysTheCueAtTheTimersTickNotBefore) {
    sounds.request(kCueSelect);
    EXPECT_TRUE(device.played.empty());
    letTimerTick();
    EXPECT_EQ(device.played, (std::vector<std::filesystem::path>{soundFile(kCueSelect)}));
}

TEST_F(KeySoundsTest, TwoRequestsWithinTheIntervalPlayTheLastOnce) {
    sounds.request(kCueSelect);
    sounds.request(kCueCopy);
    letTimerTick();
    EXPECT_EQ(device.played, (std::vector<std::filesystem::path>{soundFile(kCueCopy)}));
}

TEST_F(KeySoundsTest, MissingFileOrUnknownCodePlaysNothing) {
    std::filesystem::remove(soundFile(kCueSelect));
    for (int code : {int(kCueSelect), 8, 0}) {
        sounds.request(code);
        letTimerTick();
    }
    EXPECT_TRUE(device.played.empty());
}

TEST_F(KeySoundsTest, ClosingSoundPlaysAtOnce) {
    sounds.playClosingSound();
    EXPECT_EQ(device.played, (std::vector<std::filesystem::path>{soundFile(kCueExit)}));
}

TEST(KeySoundTunes, AreSevenDistinctPcmWaveFiles) {
    const auto files = keySoundFiles();
    ASSERT_EQ(files.size(), 7u);
    for (std::size_t i = 0; i < files.size(); ++i) {
        SCOPED_TRACE(fromGbk(files[i].name).toStdString());
        EXPECT_EQ(files[i].name, soundCueFileName(static_cast<int>(i) + 1));
        ASSERT_GT(files[i].wav.size(), 44u);
        EXPECT_EQ(files[i].wav.substr(0, 4), "RIFF");
        EXPECT_EQ(files[i].wav.substr(8, 8), "WAVEfmt ");
        EXPECT_EQ(files[i].wav[34], 16);  // 16-bit samples, which every sound device takes
        for (std::size_t j = 0; j < i; ++j) {
            EXPECT_NE(files[i].wav, files[j].wav);
        }
    }
}

}  // namespace
}  // namespace qh
