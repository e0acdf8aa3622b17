#include "session/notify_watch.h"

#include "media/media_fake_host.h"

#include <gtest/gtest.h>

namespace korbi::session {
namespace {

using Lines = std::vector<std::string>;

TEST(NotifyListsTest, NewAndLostNicksIgnoreCaseAndKeepOrder) {
    const struct {
        std::string newlis, oldlis, added, lost;
    } cases[] = {
        {" Ann Bob", "", " Ann Bob", ""},
        {" Bob", " Ann Bob", "", " Ann"},
        {" bob", " Bob", "", ""},
        {"", " Ann Bob", "", " Ann Bob"},
        {" Cy Ann", " ann Dee", " Cy", " Dee"},
        {" Ann Ann", " Bob", " Ann Ann", " Bob"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GetNewNicks(c.newlis, c.oldlis), c.added) << c.newlis << "|" << c.oldlis;
        EXPECT_EQ(GetLostNicks(c.newlis, c.oldlis), c.lost) << c.newlis << "|" << c.oldlis;
    }
}

TEST(NotifyListsTest, OnlineNicksOfTheAnswer) {
    const struct {
        std::string params, current;
    } cases[] = {
        {" me :Ann Bob \r\n", " Ann Bob"},
        {" me :\r\n", ""},
        {" me :", ""},
        {" me :bob\r\n", " bob"},
        {" me :Ann  Bob\n", " Ann Bob"},
        {" me Ann\r\n", " Ann"},
        {" me\r\n", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NotifListOf303(c.params), c.current) << c.params;
    }
}

class NotifyWatchTest : public ::testing::Test {
  protected:
    MediaFakeHost host;
    int mailChecks = 0;
    int resets = 0;
    NotifyWatch watch{host, {[this] { ++mailChecks; }, [this] { ++resets; }}};

    void SetUp() override { host.prefs.Notifys = " Ann Bob"; }
    static std::string Line(const std::string& text) { return "print 1 [] (64,64,160) " + text; }
};

TEST_F(NotifyWatchTest, AnnouncesArrivalsAndDeparturesOnceEach) {
    watch.Process303(" me :Ann Bob \r\n");
    EXPECT_EQ(host.TakeLog(), (Lines{Line("Ann is on IRC"), Line("Bob is on IRC")}));
    watch.Process303(" me :Bob \r\n");
    EXPECT_EQ(host.TakeLog(), Lines{Line("Ann has left IRC")});
    watch.Process303(" me :bob \r\n");
    EXPECT_TRUE(host.TakeLog().empty());
    EXPECT_EQ(watch.LastNotifList(), " bob");
    watch.Process303(" me :\r\n");
    EXPECT_EQ(host.TakeLog(), Lines{Line("bob has left IRC")});
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
    host.prefs.Notifys = " ";
    host.prefs.CheckMail = false;
    watch.NotifyCheck_Timer();
    EXPECT_TRUE(host.TakeLog().empty());
    EXPECT_EQ(mailChecks, 2);
}

} // namespace
} // namespace korbi::session
