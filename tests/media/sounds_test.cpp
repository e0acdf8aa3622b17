#include "media/sounds.h"

#include "media/artwork_seed.h"
#include "media/wave_synth.h"
#include "support/wait.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>

namespace korbi::media {
namespace {

namespace fs = std::filesystem;

// Records what the program asks of the device, one line per call.
class RecordingDevice : public platform::SoundDevice {
  public:
    std::vector<std::string> calls;

    void SetDeviceType(const std::string& deviceType) override {
        calls.push_back("type " + deviceType);
    }
    void SetFileName(const std::string& fileName) override { calls.push_back("file " + fileName); }
    void Command(const std::string& command) override { calls.push_back(command); }
    void FinishSound() { emit Done(); }
};

class SoundsTest : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    fs::path root{dir.path().toStdString()};
    platform::ProgramFolder folder{root};
    RecordingDevice device;
    Sounds sounds{device, folder};

    void SetUp() override { ASSERT_TRUE(SeedArtwork(root).failed.empty()); }
    std::string Path(const std::string& relative) const { return (root / relative).string(); }
};

TEST_F(SoundsTest, EachSoundClosesThePreviousOneBeforeOpeningAndPlaying) {
    std::ofstream(root / "SOUNDS" / "ding.WAV") << "x";
    sounds.PlaySound("SOUNDS\\ding.WAV");
    sounds.PlaySound("sounds\\horn.wav");
    EXPECT_EQ(device.calls,
              (std::vector<std::string>{
                  "close", "type WaveAudio", "file " + Path("SOUNDS/ding.WAV"), "open", "play",
                  "close", "type WaveAudio", "file " + Path("SOUNDS/HORN.WAV"), "open", "play"}));
}

TEST_F(SoundsTest, StartOpensTheSilentFileWithoutPlayingAndDoneCloses) {
    sounds.OpenAtStart();
    EXPECT_EQ(device.calls, (std::vector<std::string>{"type WaveAudio",
                                                      "file " + Path("SOUNDS/NONE.WAV"), "Open"}));
    device.calls.clear();
    device.FinishSound();
    EXPECT_EQ(device.calls, std::vector<std::string>{"close"});
}

TEST_F(SoundsTest, NamesThatWouldLeaveTheSoundsFolderAreRefused) {
    for (const char* refused : {"SOUNDS\\..\\Prefs File.INI", "SOUNDS\\sub\\a.WAV", "SOUNDS\\",
                                "..\\a.WAV", "picts\\..\\..\\a.WAV", ""}) {
        sounds.PlaySound(refused);
        EXPECT_TRUE(device.calls.empty()) << refused;
    }
    sounds.PlaySound("SOUNDS\\a b.WAV");
    EXPECT_FALSE(device.calls.empty());
    device.calls.clear();
    sounds.PlaySound("/home/user/Music/dropped.wav");
    EXPECT_EQ(device.calls.at(2), "file /home/user/Music/dropped.wav");
}

// No audio device on the test machine: the real player must return at once and keep working.
TEST_F(SoundsTest, RealPlayerReturnsAtOnceAndCutsOffTheFirstSound) {
    const std::string tone = ToneWave(440, 150);
    std::ofstream(root / "SOUNDS" / "TONE.WAV", std::ios::binary) << tone;
    std::ofstream(root / "SOUNDS" / "LOW.WAV", std::ios::binary) << ToneWave(220, 150);
    platform::SoundPlayer player;
    Sounds real(player, folder);
    int done = 0;
    QObject::connect(&player, &platform::SoundDevice::Done, [&] { ++done; });

    QElapsedTimer clock;
    clock.start();
    real.OpenAtStart();
    real.PlaySound("SOUNDS\\TONE.WAV");
    real.PlaySound("SOUNDS\\LOW.WAV");
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_EQ(player.CurrentMode(), platform::SoundPlayer::Mode::Playing);
    EXPECT_EQ(player.FileName(), Path("SOUNDS/LOW.WAV"));

    // With a device the sound ends and Done closes the player; without one nothing arrives.
    korbi::testing::WaitUntil([&] { return done > 0; }, 500);
    EXPECT_LE(done, 1) << "the cut-off sound must not report an end";
    if (done == 1) {
        EXPECT_EQ(player.CurrentMode(), platform::SoundPlayer::Mode::Closed);
    }

    real.PlaySound("SOUNDS\\MISSING.WAV");
    EXPECT_EQ(player.CurrentMode(), platform::SoundPlayer::Mode::Closed);
}

} // namespace
} // namespace korbi::media
