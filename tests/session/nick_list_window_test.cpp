// A channel pane's nick list while members come and go: what the user selected stays selected.
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

TEST(NickListWindow, MembersComingAndGoingKeepTheSelection) {
    QTemporaryDir dir;
    prefs::Settings settings;
    settings.NickName = "korbi";
    prefs::FrameFlags flags;
    const platform::ProgramFolder folder(std::filesystem::path(dir.path().toStdString()));
    panes::ConversationWindow conversation(settings, flags, folder);
    ServerWindow window(settings, flags, folder, conversation, korbi::testing::LoopbackOptions());
    ScriptedServer server;
    window.ConnectToServer("127.0.0.1", std::to_string(server.Port()));
    ASSERT_TRUE(server.WaitForReceived("\nUSER "));

    server.Send(":korbi!k@h JOIN :#c\r\n:irc 353 korbi = #c :korbi @bob carol dave\r\n");
    ASSERT_TRUE(WaitUntil([&] { return conversation.NickListItems(1).size() == 4; }));
    QListWidget& list = *conversation.NickList(1);
    list.item(2)->setSelected(true); // carol
    list.setCurrentRow(2, QItemSelectionModel::Select);

    server.Send(":erin!e@h JOIN :#c\r\n:bob!b@h PART #c\r\n:dave!d@h QUIT :bye\r\n");
    ASSERT_TRUE(WaitUntil([&] { return conversation.NickListItems(1).size() == 3; }));
    EXPECT_THAT(conversation.NickListItems(1), ElementsAre("korbi", "carol", "erin"));
    EXPECT_THAT(conversation.SelectedNicks(1), ElementsAre("carol"));
    ASSERT_NE(list.currentItem(), nullptr);
    EXPECT_EQ(list.currentItem()->text(), "carol");
}

} // namespace
} // namespace korbi::session
