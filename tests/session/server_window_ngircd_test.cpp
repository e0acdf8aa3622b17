// The server window against a real IRC server.
#include "session/server_window.h"

#include "panes/conversation_window.h"
#include "support/loopback_options.h"
#include "support/ngircd_server.h"
#include "support/wait.h"

#include <QTcpSocket>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace korbi::session {
namespace {
using korbi::testing::NgircdServer;
using korbi::testing::WaitUntil;

TEST(ServerWindowNgircd, RegistersStaysConnectedAndQuits) {
    NgircdServer server(1); // PING after one second of silence
    KORBI_REQUIRE_NGIRCD(server);

    QTemporaryDir dir;
    core::Settings settings;
    settings.NickName = "korbitest";
    settings.MyUserName = "tester";
    core::FrameFlags flags;
    const platform::ProgramFolder folder(std::filesystem::path(dir.path().toStdString()));
    panes::ConversationWindow conversation(settings, flags, folder);
    // Tall enough that the pane keeps the whole registration burst in view.
    conversation.resize(800, 1200);
    conversation.LayoutSlots();
    ServerWindow window(settings, flags, folder, conversation, korbi::testing::LoopbackOptions());

    window.ConnectToServer("127.0.0.1", std::to_string(server.Port()));
    const auto pane = [&] { return conversation.PaneText(0); };
    ASSERT_TRUE(WaitUntil([&] { return pane().contains("   :- test server"); }, 10000))
        << pane().toStdString();
    ASSERT_TRUE(WaitUntil([&] { return flags.LoggedOn; }, 10000));
    EXPECT_EQ(conversation.TopicBar(0), "irc.test.local");

    // A second client on the same server sees the first one online and then leave with QUIT.
    QTcpSocket watcher;
    watcher.connectToHost("127.0.0.1", static_cast<quint16>(server.Port()));
    ASSERT_TRUE(watcher.waitForConnected(5000));
    watcher.write("NICK watcher\r\nUSER w 0 * :w\r\n");
    QByteArray seen;
    const auto watcherSees = [&](const QByteArray& needle) {
        return WaitUntil(
            [&] {
                seen += watcher.readAll();
                return seen.contains(needle);
            },
            10000);
    };
    ASSERT_TRUE(watcherSees(" 376 watcher "));
    watcher.write("ISON korbitest\r\n");
    ASSERT_TRUE(watcherSees(":korbitest\r\n"));

    // The server's PINGs are answered and the connection stays up.
    ASSERT_TRUE(WaitUntil([&] { return pane().count("Ping?? PONG!!!") >= 2; }, 15000));
    EXPECT_FALSE(pane().contains("*** Shutdown ***"));
    watcher.write("ISON korbitest\r\n");
    ASSERT_TRUE(watcherSees(":korbitest\r\n"));

    window.DisconnectFromServer();
    ASSERT_TRUE(WaitUntil([&] { return pane().contains("*** Shutdown ***"); }, 10000));
    watcher.write("ISON korbitest\r\n");
    ASSERT_TRUE(watcherSees(" 303 watcher :\r\n"));
}

} // namespace
} // namespace korbi::session
