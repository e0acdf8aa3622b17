#include "commands/ctcp.h"
#include "commands/flood_protection.h"
#include "commands/media_names.h"

#include "support/fake_client.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace korbi::commands {
namespace {

using testing::Log;

// "Me" at flood level 3, with "#chat" in slot 2 and pane 1 in front; every effect logged.
class CtcpTest : public ::testing::Test {
  protected:
    CtcpTest() {
        host.settingsValue.NickName = "Me";
        host.settingsValue.versionstr = "KorBi 1.0 Official Beta 4 -- Win95/NT";
        host.settingsValue.FloodProtDelay = 3;
        host.AddPane("bob");
        host.AddPane("#chat");
        host.curVisible = 1;
        host.StartLog();
    }

    testing::FakeClient host;
    core::NickPictTable& picts = host.picts;
    std::int64_t now = 1000;
    CtcpHandler ctcp{host, host, host, host, host, [this] { return now; }};

    void Request(const std::string& body, const std::string& source = "bob!u@bob.example.net",
                 const std::string& conversation = "bob") {
        ctcp.ProcessCTCP("\x01" + body + "\x01", source, conversation);
    }
    Log TakeLog() { return host.TakeLog(); }
};

TEST_F(CtcpTest, VersionAndPingAreAnsweredByNotice) {
    Request("VERSION");
    Request("PING 12345 678");
    Request("PING");
    Request("PING 1\nQUIT :bye"); // echoing it would send a second protocol line
    ctcp.ProcessCTCP("\x01version", "bob!u@h", "bob");
    const std::string pinged = "print 0 [] (0,0,0) bob pings you...";
    const std::string asked = "print 0 [] (0,0,0) bob wants to know your client version...";
    const std::string version =
        "send NOTICE bob :\x01VERSION KorBi 1.0 Official Beta 4 -- Win95/NT\x01";
    EXPECT_EQ(TakeLog(), (Log{asked, version, pinged, "send NOTICE bob :\x01PING 12345 678\x01",
                              pinged, "send NOTICE bob :\x01PING \x01", pinged, asked, version}));
    EXPECT_EQ(ctcp.Flood().NumCTCPs(), 5);
}

TEST_F(CtcpTest, ActionAndSoundArePrinted) {
    host.curVisible = 5;
    Request("ACTION waves at #chat", "ann!a@h", "#chat");
    Request("ACTION waves", "ann!a@h", "#elsewhere");
    Request("SOUND ding hello there", "ann!a@h", "#chat");
    Request("SOUND horn.wav");
    Request("SOUND ding  two  blanks");
    EXPECT_EQ(
        TakeLog(),
        (Log{"print 2 [PICTS\\EVACTION] (128,64,0) ann waves at #chat",
             "print 0 [PICTS\\EVACTION] (128,64,0) ann waves",
             "print 5 [PICTS\\EVSOUND] (96,64,192) ann hello there ", "sound SOUNDS\\ding.WAV",
             "print 5 [PICTS\\EVSOUND] (96,64,192) bob ", "sound SOUNDS\\horn.wav",
             "print 5 [PICTS\\EVSOUND] (96,64,192) bob  two  blanks ", "sound SOUNDS\\ding.WAV"}));
    EXPECT_EQ(ctcp.Flood().NumCTCPs(), 3); // actions are not counted
}

TEST_F(CtcpTest, PictIsRecordedAndOnlyMissingPicturesOfOthersFetched) {
    host.files.insert("PICTS\\known.BMP");
    Request("PICT cat");
    Request("PICT known", "ann!a@ann.host");
    Request("PICT mine.bmp", "ME!me@my.host");
    ctcp.ProcessCTCP("\x01PICT fox\x01", "-dan-", ""); // inside a NOTICE: no host
    host.fetching = true;
    Request("PICT dog", "carl!c@carl.host");
    EXPECT_EQ(TakeLog(), (Log{"fetch bob.example.net PICTS\\cat.BMP"}));
    EXPECT_EQ(picts.NickPictCount(), 5);
    EXPECT_EQ(picts.GetNickPict("me") + picts.GetNickPict("-dan-") + picts.GetNickPict("carl"),
              "mine.bmpfoxdog");
    EXPECT_EQ(ctcp.Flood().NumCTCPs(), 0);
}

TEST_F(CtcpTest, HostileNamesAreRefused) {
    for (const char* body : {"PICT ..\\Prefs File.INI", "PICT ../../etc/passwd", "PICT", "PICT ",
                             "SOUND ..\\LOGS\\x", "SOUND /dev/zero", "SOUND", "SOUND  hi"}) {
        Request(body);
    }
    EXPECT_EQ(TakeLog(), Log{});
    EXPECT_EQ(picts.NickPictCount(), 0);
}

TEST_F(CtcpTest, UnknownRequestsAreReportedOnlyInDebugMode) {
    Request("FINGER");
    host.flagsValue.DebugMode = true;
    Request("clientinfo x");
    EXPECT_EQ(TakeLog(), (Log{"print 0 [] (0,0,0) Received Unknown CTCP from bob!u@bob.example.net"
                              "  ctcpstr = \x01"
                              "clientinfo x\x01  ctcpCMD = CLIENTINFO"}));
    EXPECT_EQ(ctcp.Flood().NumCTCPs(), 2);
}

TEST_F(CtcpTest, NinthRequestAtLevelThreeStartsAnIgnorePeriod) {
    host.curVisible = 4;
    for (int i = 0; i < 8; ++i) {
        Request("PING " + std::to_string(i));
    }
    ctcp.FloodCheck_Timer();
    EXPECT_FALSE(ctcp.Flood().IgnoreCTCPs());
    Request("PING 8");
    TakeLog();
    ctcp.FloodCheck_Timer();
    ctcp.FloodCheck_Timer(); // no second warning while ignoring
    EXPECT_EQ(TakeLog(), (Log{"print 4 [PICTS\\WARNMARK] (96,32,32) Excess Flood Danger ! "
                              "Ignoring all CTCP's for 20 seconds...",
                              "print 4 [] (0,0,0) ---"}));

    now += FloodProtection::IgnorePeriodMs;
    Request("VERSION");
    Request("SOUND ding");
    EXPECT_EQ(TakeLog(), Log{});
    EXPECT_EQ(ctcp.Flood().NumCTCPs(), 0);

    now += 1;
    Request("PING back");
    EXPECT_EQ(TakeLog(), (Log{"print 0 [PICTS\\INFOMARK] (32,64,64) Removed CTCP Ignore.",
                              "print 0 [] (0,0,0) ---", "print 0 [] (0,0,0) bob pings you...",
                              "send NOTICE bob :\x01PING back\x01"}));
    EXPECT_EQ(ctcp.Flood().NumCTCPs(), 1);
}

TEST_F(CtcpTest, AtLevelTwentyOnlyActionAndPictGetThrough) {
    host.settingsValue.FloodProtDelay = 20;
    ctcp.FloodCheck_Timer(); // threshold 0: ignoring starts without any request
    TakeLog();
    now += 10 * FloodProtection::IgnorePeriodMs;
    Request("PING 1");
    Request("ACTION dances", "bob!u@h", "#chat");
    Request("PICT cat");
    EXPECT_EQ(TakeLog(), (Log{"print 2 [PICTS\\EVACTION] (128,64,0) bob dances",
                              "fetch bob.example.net PICTS\\cat.BMP"}));
    EXPECT_EQ(picts.GetNickPict("bob"), "cat");
}

TEST(ChangeFloodText, DescribesEveryLevel) {
    const std::pair<int, const char*> cases[] = {
        {1, "NO Flood Proctection !"},
        {2, "Lame Flood Protection\r( 9 ctcps / seconds)"},
        {3, "Lame Flood Protection\r( 8.5 ctcps / seconds)"},
        {4, "Lame Flood Protection\r( 8 ctcps / seconds)"},
        {5, "Low Flood Protection\r( 7.5 ctcps / seconds)"},
        {9, "Low Flood Protection\r( 5.5 ctcps / seconds)"},
        {10, "Fair Flood Protection\r( 5 ctcps / seconds)"},
        {11, "Fair Flood Protection\r( 4.5 ctcps / seconds)"},
        {12, "Good Flood Protection\r( 4 ctcps / seconds)"},
        {15, "Good Flood Protection\r( 2.5 ctcps / seconds)"},
        {16, "High Flood Protection\r( 2 ctcps / seconds)"},
        {18, "High Flood Protection\r( 1 ctcps / seconds)"},
        {19, "Panic Flood Protection\r( 0.5 ctcps / seconds)"},
        {20, "All CTCPs ignored"},
        {0, "Unknow Flood Protection !?!\r(Prepare bug report...)"},
        {21, "Unknow Flood Protection !?!\r(Prepare bug report...)"},
    };
    for (const auto& [level, text] : cases) {
        EXPECT_EQ(ChangeFloodText(level), text) << "level " << level;
    }
}

TEST(FloodProtection, CountRestartsAfterAQuietSpell) {
    std::int64_t now = 0;
    FloodProtection flood([&now] { return now; });
    for (int i = 0; i < 8; ++i) {
        flood.CountAnswered();
    }
    now += FloodProtection::QuietRestartMs;
    flood.Tick(3);
    EXPECT_EQ(flood.NumCTCPs(), 8);
    now += 1;
    flood.Tick(3);
    EXPECT_EQ(flood.NumCTCPs(), 0);
    flood.CountAnswered();
    EXPECT_FALSE(flood.Tick(3));
}

TEST(MediaNames, ExtensionsAreAddedByTheOldRules) {
    EXPECT_EQ(PictPathFor("cat.Bmp"), "PICTS\\cat.Bmp");
    EXPECT_EQ(PictPathFor("a.b.bmp"),
              "PICTS\\a.b.bmp.BMP");                 // the extension starts at the first "."
    EXPECT_EQ(WithWavExtension(".wav"), ".wav.WAV"); // shorter than 5 characters
    EXPECT_EQ(WithWavExtension("ding.txt"), "ding.txt.WAV");
    EXPECT_EQ(WithWavExtension("horns"), "horns.WAV");
}

} // namespace
} // namespace korbi::commands
