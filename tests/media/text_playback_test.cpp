#include "media/text_playback.h"

#include "support/fake_client.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>

namespace korbi::media {
namespace {

namespace fs = std::filesystem;
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
