// A channel pane's nick list in the real windows: what the user selected stays selected while
// members come and go, and a double click names a member or does nothing.
#include "session/server_window.h"

#include "panes/conversation_window.h"
#include "support/loopback_options.h"
#include "support/scripted_server.h"
#include "support/wait.h"

#include <QListWidget>
#include <QTemporaryDir>

#include <gmock/gmock.h>

namespace korbi::session {
namespace {

using korbi::testing::ScriptedServer;
using korbi::testing::WaitUntil;
using ::testing::ElementsAre;

class NickListWindow : public ::testing::Test {
  protected:
    NickListWindow()
        : folder(std::filesystem::path(dir.path().toStdString())),
          conversation(settings, flags, folder),
          window(settings, flags, folder, conversation, korbi::testing::LoopbackOptions()) {
        settings.NickName = "korbi";
    }

    // The client joins "#c" (slot 1), whose names reply lists names.
    void JoinWithNames(const std::string& names, std::size_t count) {
        window.ConnectToServer("127.0.0.1", std::to_string(server.Port()));
        ASSERT_TRUE(server.WaitForReceived("\nUSER "));
        server.Send(":korbi!k@h JOIN :#c\r\n:irc 353 korbi = #c :" + names + "\r\n");
        ASSERT_TRUE(WaitUntil([&] { return conversation.NickListItems(1).size() == count; }));
    }

    QTemporaryDir dir;
    core::Settings settings;
    core::FrameFlags flags;
    platform::ProgramFolder folder;
    panes::ConversationWindow conversation;
    ServerWindow window;
    ScriptedServer server;
};

TEST_F(NickListWindow, MembersComingAndGoingKeepTheSelection) {
    JoinWithNames("korbi @bob carol dave", 4);
    QListWidget& list = *conversation.findChild<QListWidget*>("Pane1NickList");
    list.setCurrentRow(2, QItemSelectionModel::Select); // carol

    server.Send(":erin!e@h JOIN :#c\r\n:bob!b@h PART #c\r\n:dave!d@h QUIT :bye\r\n");
    ASSERT_TRUE(WaitUntil([&] { return conversation.NickListItems(1).size() == 3; }));
    EXPECT_THAT(conversation.NickListItems(1), ElementsAre("korbi", "carol", "erin"));
    EXPECT_THAT(conversation.SelectedNicks(1), ElementsAre("carol"));
    ASSERT_NE(list.currentItem(), nullptr);
    EXPECT_EQ(list.currentItem()->text(), "carol");
}

TEST_F(NickListWindow, ADoubleClickOnAnEntryOfMarksAloneOpensNothing) {
    JoinWithNames("korbi @ @+ bob", 4);
    QListWidget& list = *conversation.findChild<QListWidget*>("Pane1NickList");
    for (const int row : {1, 2}) {
        list.setCurrentRow(row);
        emit list.itemDoubleClicked(list.currentItem());
        EXPECT_EQ(conversation.NextChan(), 2) << row;
    }
    list.setCurrentRow(3);
    emit list.itemDoubleClicked(list.currentItem());
    EXPECT_EQ(conversation.FindChanWin("bob"), 2);
}

} // namespace
} // namespace korbi::session
