#include "session/notify_watch.h"

#include "support/fake_client.h"

#include <gtest/gtest.h>

namespace korbi::session {
namespace {

using Lines = std::vector<std::string>;

class NotifyWatchTest : public ::testing::Test {
  protected:
    testing::LoggingClient host{"#c", "#d", "bob"};
    int mailChecks = 0;
    int resets = 0;
    Lines arrived; // the arrivals handed on for the desktop notification
    NotifyWatch watch{host,
                      host,
                      host,
                      host,
                      {[this] { ++mailChecks; }, [this] { ++resets; },
                       [this](const std::string& nick, int slot, const std::string& text) {
                           arrived.push_back(nick + "|" + std::to_string(slot) + "|" + text);
                       }}};

    void SetUp() override {
        host.settingsValue.Notifys = " Ann Bob";
        host.flagsValue.LoggedOn = true;
    }
    static std::string Line(const std::string& text) { return "print 1 [] (64,64,160) " + text; }
};

TEST_F(NotifyWatchTest, AnnouncesArrivalsAndDeparturesOnceEach) {
    watch.Process303(" me :Ann Bob \r\n");
    EXPECT_EQ(host.TakeLog(), (Lines{Line("Ann is on IRC"), Line("Bob is on IRC")}));
    watch.Process303(" me :Bob \r\n");
    EXPECT_EQ(host.TakeLog(), Lines{Line("Ann has left IRC")});
    // Each arrival is handed on with the pane it was printed in; departures are not.
    EXPECT_EQ(arrived, (Lines{"Ann|1|Ann is on IRC", "Bob|1|Bob is on IRC"}));
    watch.Process303(" me :bob \r\n");
    EXPECT_TRUE(host.TakeLog().empty());
    EXPECT_EQ(watch.LastNotifList(), " bob");
    watch.Process303(" me :\r\n");
    EXPECT_EQ(host.TakeLog(), Lines{Line("bob has left IRC")});
    host.curVisible = 2;
    watch.Process303(" me :Ann \r\n");
    EXPECT_EQ(arrived.back(), "Ann|2|Ann is on IRC");
}

TEST_F(NotifyWatchTest, TickAsksWhileConnectedAndResetsTheControlsWhileNot) {
    EXPECT_TRUE(watch.NotifyCheckEnabled());
    watch.NotifyCheck_Timer();
    EXPECT_EQ(host.TakeLog(), Lines{"send ISON  Ann Bob"});
    EXPECT_EQ(mailChecks, 1);
    EXPECT_EQ(resets, 0);

    host.socketState = 0;
    watch.NotifyCheck_Timer();
    EXPECT_TRUE(host.TakeLog().empty());
    EXPECT_EQ(mailChecks, 2);
    EXPECT_EQ(resets, 1);

    host.socketState = 7;
    host.flagsValue.LoggedOn = false;
    watch.NotifyCheck_Timer();
    EXPECT_TRUE(host.TakeLog().empty()) << "not before the registration is complete";

    host.flagsValue.LoggedOn = true;
    host.settingsValue.Notifys = " ";
    host.settingsValue.CheckMail = false;
    watch.NotifyCheck_Timer();
    EXPECT_TRUE(host.TakeLog().empty());
    EXPECT_EQ(mailChecks, 3);
}

// A list sent as two ISON lines is answered by two 303 replies: together they are one answer,
// or each would report the other's nicks as gone.
TEST_F(NotifyWatchTest, TheAnswersToAQueryOfSeveralLinesCountAsOne) {
    host.settingsValue.Notifys.clear();
    for (int n = 1; n <= 60; ++n) {
        host.settingsValue.Notifys += " nick" + std::to_string(10000 + n); // 50 to a line
    }
    watch.NotifyCheck_Timer();
    ASSERT_EQ(host.TakeLog().size(), 2u) << "two ISON lines";

    watch.Process303(" me :nick10001 \r\n");
    EXPECT_TRUE(host.TakeLog().empty()) << "half an answer says nothing yet";
    watch.Process303(" me :nick10060 \r\n");
    EXPECT_EQ(host.TakeLog(), (Lines{Line("nick10001 is on IRC"), Line("nick10060 is on IRC")}));

    watch.NotifyCheck_Timer();
    host.TakeLog();
    watch.Process303(" me :\r\n");
    watch.Process303(" me :nick10060 \r\n");
    EXPECT_EQ(host.TakeLog(), Lines{Line("nick10001 has left IRC")});

    watch.NotifyCheck_Timer(); // its answers never come: the connection ends
    host.TakeLog();
    watch.ForgetPendingAnswers();
    watch.Process303(" me :nick10001 \r\n");
    EXPECT_EQ(host.TakeLog(), (Lines{Line("nick10001 is on IRC"), Line("nick10060 has left IRC")}));
}

} // namespace
} // namespace korbi::session
