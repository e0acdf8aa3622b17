#include "media/sounds.h"

#include "media/artwork_seed.h"
#include "media/text_playback.h"
#include "media/wave_synth.h"
#include "support/fake_client.h"
#include "support/files.h"
#include "support/wait.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <string>

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

using korbi::testing::U16At;
using korbi::testing::U32At;

// 16-bit, 8-bit with an odd number of data bytes (padded), and an empty sound.
TEST(WaveSynthTest, HeaderDescribesItsDataExactly) {
    const struct {
        std::uint32_t sampleRate;
        SampleDepth depth;
        std::uint32_t durationMs;
    } cases[] = {{44100, SampleDepth::Bits16, 650},
                 {11025, SampleDepth::Bits8, 1},
                 {22050, SampleDepth::Bits16, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.sampleRate) + " Hz, " + std::to_string(c.durationMs) + " ms");
        const std::string wave = HornWave(c.durationMs, {c.sampleRate, c.depth});
        const std::uint16_t bytesPerSample = c.depth == SampleDepth::Bits8 ? 1 : 2;
        const auto dataSize =
            static_cast<std::uint32_t>(SampleCount(c.sampleRate, c.durationMs)) * bytesPerSample;

        ASSERT_EQ(wave.size(), 44u + dataSize + dataSize % 2);
        EXPECT_EQ(wave.substr(0, 4), "RIFF");
        EXPECT_EQ(U32At(wave, 4), wave.size() - 8);
        EXPECT_EQ(wave.substr(8, 8), "WAVEfmt ");
        EXPECT_EQ(U32At(wave, 16), 16u);
        EXPECT_EQ(U16At(wave, 20), 1u) << "PCM";
        EXPECT_EQ(U16At(wave, 22), 1u) << "mono";
        EXPECT_EQ(U32At(wave, 24), c.sampleRate);
        EXPECT_EQ(U32At(wave, 28), c.sampleRate * bytesPerSample) << "byte rate";
        EXPECT_EQ(U16At(wave, 32), bytesPerSample) << "block align";
        EXPECT_EQ(U16At(wave, 34), bytesPerSample * 8);
        EXPECT_EQ(wave.substr(36, 4), "data");
        EXPECT_EQ(U32At(wave, 40), dataSize) << "the pad byte is not counted";
    }
}

TEST(WaveSynthTest, HornIsAudibleAndNeverClips) {
    const auto samples = SynthesizeHorn(22050, 650);
    ASSERT_EQ(samples.size(), SampleCount(22050, 650));
    double peak = 0.0;
    for (const double s : samples) {
        peak = std::max(peak, std::abs(s));
    }
    EXPECT_NEAR(peak, 0.8, 1e-9);
    EXPECT_NEAR(samples.front(), 0.0, 0.02) << "starts from silence, no click";
    EXPECT_NEAR(samples.back(), 0.0, 0.02) << "ends in silence, no click";
}

TEST(WaveSynthTest, SamplesAreClampedAndCentredPerDepthAndSilenceIsZero) {
    const std::vector<double> samples{0.0, 2.0, -2.0};
    const std::string eight = EncodeWave(samples, {8000, SampleDepth::Bits8});
    EXPECT_EQ(static_cast<std::uint8_t>(eight[44]), 128);
    EXPECT_EQ(static_cast<std::uint8_t>(eight[45]), 255);
    EXPECT_EQ(static_cast<std::uint8_t>(eight[46]), 1);
    EXPECT_EQ(eight.size(), 48u) << "three data bytes and a pad byte";

    const std::string sixteen = EncodeWave(samples, {8000, SampleDepth::Bits16});
    EXPECT_EQ(static_cast<std::int16_t>(U16At(sixteen, 44)), 0);
    EXPECT_EQ(static_cast<std::int16_t>(U16At(sixteen, 46)), 32767);
    EXPECT_EQ(static_cast<std::int16_t>(U16At(sixteen, 48)), -32767);
    EXPECT_EQ(SilenceWave(100, {8000, SampleDepth::Bits16}).find_first_not_of('\0', 44),
              std::string::npos);
}

using Lines = std::vector<std::string>;

const std::string kStart = "print 1 [PICTS\\INFOMARK] (64,64,160) Starting play of ";

class TextPlaybackTest : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    fs::path root{dir.path().toStdString()};
    platform::ProgramFolder folder{root};
    testing::LoggingClient host{"#c", "#d", "bob"};
    TextPlayback playback{host, host, host, host, folder, 60000}; // ticks are given by hand

    void Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(root / name, std::ios::binary) << bytes;
    }
    static std::string Echo(const std::string& text) {
        return "print 1 [] (32,32,48) me -> " + text;
    }
};

TEST_F(TextPlaybackTest, OneLinePerTickAndEndOfPlayWithTheLast) {
    Write("song.txt", "one\r\ntwo\r\nthree\r\n");
    playback.PlayTextFile("#C", "SONG.TXT");
    EXPECT_EQ(host.TakeLog(), Lines{kStart + "SONG.TXT"});
    EXPECT_TRUE(playback.PlayingText());
    EXPECT_TRUE(playback.PlayTimerEnabled());

    playback.PlayTimer_Timer();
    EXPECT_EQ(host.TakeLog(), (Lines{"send PRIVMSG #C :one", Echo("one")}));
    host.curVisible = 2; // another pane comes to the front: the lines still go to #C
    playback.PlayTimer_Timer();
    EXPECT_EQ(host.TakeLog(), (Lines{"send PRIVMSG #C :two", Echo("two")}));
    playback.PlayTimer_Timer();
    EXPECT_EQ(host.TakeLog(), (Lines{"send PRIVMSG #C :three", Echo("three"),
                                     "print 2 [PICTS\\INFOMARK] (64,64,160) End of Play"}));
    EXPECT_FALSE(playback.PlayingText());
    EXPECT_FALSE(playback.PlayTimerEnabled());
    EXPECT_EQ(playback.PlayChan(), "#C");
}

TEST_F(TextPlaybackTest, LineEndsOfAnySystemAndEmptyLinesAsTwoBlanks) {
    const struct {
        std::string bytes;
        Lines sent;
    } cases[] = {
        {"a\r\n\r\nb", {"a", "  ", "b"}}, {"a\nb\n", {"a", "b"}}, {"a\rb\r", {"a", "b"}},
        {"a\n\nb\n", {"a", "  ", "b"}},   {"\r\n", {"  "}},       {"", {}},
    };
    for (const auto& c : cases) {
        Write("t.txt", c.bytes);
        playback.PlayTextFile("#c", "t.txt");
        host.TakeLog();
        Lines sent;
        for (int tick = 0; tick < 10 && playback.PlayingText(); ++tick) {
            playback.PlayTimer_Timer();
        }
        for (const std::string& line : host.TakeLog()) {
            if (line.starts_with("send ")) {
                sent.push_back(line.substr(std::string("send PRIVMSG #c :").size()));
            }
        }
        EXPECT_EQ(sent, c.sent) << c.bytes;
        EXPECT_FALSE(playback.PlayingText());
    }
}

TEST_F(TextPlaybackTest, AMissingFileStartsNothingAnUnreadableOneStops) {
    playback.PlayTextFile("#c", "nothing.txt");
    fs::create_directory(root / "folder.txt");
    playback.PlayTextFile("#c", "folder.txt");
    EXPECT_TRUE(host.log.empty());
    EXPECT_FALSE(playback.PlayingText());
    EXPECT_FALSE(playback.PlayTimerEnabled());

    // A file that cannot be read reports and stops.
    playback.PlayTextFile("#c", "/proc/self/mem"); // reading it at offset 0 is an I/O error
    ASSERT_TRUE(playback.PlayingText());
    host.TakeLog();
    playback.PlayTimer_Timer();
    EXPECT_EQ(host.TakeLog(), (Lines{"print 0 [PICTS\\ERRORMSG] (128,64,64) Got PLAY error: 57",
                                     "print 1 [PICTS\\INFOMARK] (64,64,160) Play Error"}));
    EXPECT_FALSE(playback.PlayingText());
    EXPECT_FALSE(playback.PlayTimerEnabled());
}

std::size_t OpenDescriptors() {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator()));
}

TEST_F(TextPlaybackTest, NewPlaybackClosesTheEarlierFileAndTakesOver) {
    Write("a.txt", "a1\na2\n");
    Write("b.txt", "b1\n");
    playback.PlayTextFile("#c", "a.txt");
    playback.PlayTimer_Timer();
    const std::size_t open = OpenDescriptors();
    playback.PlayTextFile("#d", "b.txt");
    EXPECT_EQ(OpenDescriptors(), open);
    host.TakeLog();
    playback.PlayTimer_Timer();
    EXPECT_EQ(host.TakeLog().front(), "send PRIVMSG #d :b1");
    EXPECT_FALSE(playback.PlayingText());
}

} // namespace
} // namespace korbi::media
