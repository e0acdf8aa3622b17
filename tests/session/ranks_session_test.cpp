// A server with five ranks: members behind any of its marks are found by their nick.
#include "support/scripted_session.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QListWidget>

namespace korbi::session {
namespace {
using korbi::testing::WaitUntil;
using ::testing::ElementsAre;

class RanksSessionTest : public ::testing::Test, protected korbi::testing::ScriptedSession {
  protected:
    void SetUp() override {
        ASSERT_TRUE(Connect());
        server.Send(":irc.test 005 Joe CHANTYPES=# PREFIX=(qaohv)~&@%+ :are supported\r\n"
                    ":Joe!j@h JOIN :#r\r\n"
                    ":irc.test 353 Joe = #r :~ann +@%bob %carl @Joe dave\r\n");
        ASSERT_TRUE(WaitUntil([this] { return conversation.NickListItems(1).size() == 5; }));
    }

    QStringList Shown() const {
        QStringList shown;
        const auto* list = conversation.findChild<QListWidget*>("Pane1NickList");
        for (int row = 0; list != nullptr && row < list->count(); ++row) {
            shown << list->item(row)->text();
        }
        return shown;
    }
};

TEST_F(RanksSessionTest, MembersAreShownByRankThenNameAndFoundWithoutTheirMarks) {
    EXPECT_EQ(Shown(), QStringList({"~ann", "@bob", "@Joe", "%carl", "dave"}));
    server.Send(":carl!c@h PART #r\r\n"
                ":bob!b@h NICK :bert\r\n"
                ":Joe!j@h KICK #r ann :out\r\n");
    ASSERT_TRUE(WaitUntil([this] { return Pane(1).contains("ann was kicked by Joe"); }));
    // bert keeps every rank bob had.
    EXPECT_THAT(conversation.NickListItems(1), ElementsAre("@Joe", "dave", "+@%bert"));
    server.Send(":bert!b@h QUIT :bye\r\n");
    ASSERT_TRUE(WaitUntil([this] { return conversation.NickListItems(1).size() == 2; }));
    EXPECT_TRUE(Pane(1).contains("bert quits IRC (bye)."));
}

TEST_F(RanksSessionTest, ANewConnectionStartsWithTheMarksEveryServerKnows) {
    ASSERT_TRUE(Connect());
    EXPECT_EQ(conversation.RankMarks(), "@+");
}

} // namespace
} // namespace korbi::session
