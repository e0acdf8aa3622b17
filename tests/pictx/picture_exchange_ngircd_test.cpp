// Two whole clients on one real IRC server: one announces a picture with /PICT, the other
// fetches it from the first one's picture server and shows it beside the line.
#include "panes/conversation_window.h"
#include "session/server_window.h"
#include "support/loopback_options.h"
#include "support/ngircd_server.h"
#include "support/wait.h"

#include <QImage>
#include <QTcpServer>
#include <QTemporaryDir>

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

namespace korbi {
namespace {
using korbi::testing::NgircdServer;
using korbi::testing::WaitUntil;

int FreePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

// One whole client: its program folder, settings and the two main windows.
struct Client {
    Client(const std::string& nick, const session::ServerWindowOptions& options)
        : folder(std::filesystem::path(dir.path().toStdString())),
          conversation(settings, flags, folder) {
        settings.NickName = nick;
        settings.MyUserName = nick;
        folder.MakeDirIfNotExist("PICTS");
        conversation.resize(800, 1100);
        conversation.LayoutSlots();
        window =
            std::make_unique<session::ServerWindow>(settings, flags, folder, conversation, options);
    }

    bool Has(int slot, const std::string& text, const std::string& pict) const {
        const auto& lines = conversation.Lines(slot);
        for (int k = 0; k < lines.LineCount(); ++k) {
            if (lines.Line(k).text.find(text) != std::string::npos && lines.Line(k).pict == pict) {
                return true;
            }
        }
        return false;
    }

    QTemporaryDir dir;
    core::Settings settings;
    core::FrameFlags flags;
    platform::ProgramFolder folder;
    panes::ConversationWindow conversation;
    std::unique_ptr<session::ServerWindow> window;
};

TEST(PictureExchangeNgircd, AnAnnouncedPictureIsFetchedAndShown) {
    NgircdServer server;
    KORBI_REQUIRE_NGIRCD(server);

    const int alicePictPort = FreePort();
    session::ServerWindowOptions aliceOptions = korbi::testing::LoopbackOptions();
    aliceOptions.pictureExchange.FirstListenPort = alicePictPort;
    session::ServerWindowOptions bobOptions = korbi::testing::LoopbackOptions();
    bobOptions.pictureExchange.FetchPort = alicePictPort;
    Client alice("alice", aliceOptions);
    Client bob("bob", bobOptions);

    QImage cat(16, 16, QImage::Format_RGB32);
    cat.fill(QColor(200, 40, 40));
    ASSERT_TRUE(cat.save(
        QString::fromStdString((alice.folder.Resolve("PICTS") / "cat.bmp").string()), "BMP"));

    for (Client* client : {&alice, &bob}) {
        client->window->ConnectToServer("127.0.0.1", std::to_string(server.Port()));
        ASSERT_TRUE(WaitUntil([&] { return client->flags.LoggedOn; }, 10000));
        client->window->SendCommand2Serv("/JOIN #pics");
        ASSERT_TRUE(WaitUntil([&] { return client->conversation.FindChanWin("#pics") > 0; }));
    }
    // Alice's list shows bob once his join reached her.
    ASSERT_TRUE(WaitUntil([&] {
        const auto nicks =
            alice.conversation.NickListItems(alice.conversation.FindChanWin("#pics"));
        return std::find(nicks.begin(), nicks.end(), "bob") != nicks.end();
    }));

    alice.window->SendCommand2Serv("/PICT cat.bmp hello bob");
    const int bobPane = bob.conversation.FindChanWin("#pics");
    ASSERT_TRUE(WaitUntil([&] { return bob.folder.Exists("PICTS\\cat.bmp"); }, 10000));
    ASSERT_TRUE(WaitUntil([&] { return bob.Has(bobPane, "hello bob", "PICTS\\cat.bmp"); }))
        << bob.conversation.PaneText(bobPane).toStdString();

    const QImage fetched(QString::fromStdString(bob.folder.Resolve("PICTS\\cat.bmp").string()));
    ASSERT_FALSE(fetched.isNull());
    EXPECT_EQ(fetched.pixelColor(8, 8), QColor(200, 40, 40));
    // Alice sees her own line with her picture.
    EXPECT_TRUE(alice.Has(alice.conversation.FindChanWin("#pics"), "hello bob", "PICTS\\cat.bmp"));
}

} // namespace
} // namespace korbi
