#pragma once
// The client's two windows connected to a real ngircd, beside scripted peers on the same
// server: what the user sees is read from the panes' line stores, what others receive from
// the peers' sockets.
#include "panes/conversation_window.h"
#include "panes/line_store.h"
#include "session/server_window.h"
#include "support/irc_peer.h"
#include "support/loopback_options.h"
#include "support/ngircd_server.h"
#include "support/pane_control.h"
#include "support/wait.h"

#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include <gtest/gtest.h>

namespace korbi::panes {
// Readable failure messages for pane lines.
inline void PrintTo(const LineRecord& record, std::ostream* out) {
    *out << "{(" << int(record.red) << "," << int(record.green) << "," << int(record.blue) << ") ["
         << record.pict << "] " << ::testing::PrintToString(record.text) << "}";
}
} // namespace korbi::panes

namespace korbi::session {

using korbi::testing::PaneControl;

class NgircdSessionTest : public ::testing::Test {
  protected:
    NgircdSessionTest() : folder(std::filesystem::path(dir.path().toStdString())) {
        settings.NickName = "korbi";
        settings.BackName = "korbi_";
        settings.MyUserName = "tester";
        settings.RealName = "Korbi Tester";
        flags.IsActive = true;
        conversation = std::make_unique<panes::ConversationWindow>(settings, flags, folder);
        // Tall enough for 50 lines per pane, wide enough that no test line wraps.
        conversation->resize(900, 1200);
        conversation->LayoutSlots();
        window = std::make_unique<ServerWindow>(settings, flags, folder, *conversation,
                                                korbi::testing::LoopbackOptions());
    }

    void SetUp() override { KORBI_REQUIRE_NGIRCD(server); }

    // Connects the client and waits for the end of its registration.
    void ConnectClient() {
        window->ConnectToServer("127.0.0.1", std::to_string(server.Port()));
        ASSERT_TRUE(korbi::testing::WaitUntil([&] { return flags.LoggedOn; }, 10000))
            << conversation->PaneText(0).toStdString();
    }

    // Registers a peer on the same server.
    void RegisterPeer(korbi::testing::IrcPeer& peer) {
        ASSERT_TRUE(peer.Register(server.Port())) << server.Log();
    }

    // The slot of a conversation once its pane is open; 0 when it did not open in time.
    int WaitForPane(const std::string& name) {
        korbi::testing::WaitUntil([&] { return conversation->FindChanWin(name) > 0; });
        return conversation->FindChanWin(name);
    }

    // The newest line of a pane whose text is text, once it is shown.
    std::optional<panes::LineRecord> WaitForPaneLine(int slot, const std::string& text,
                                                     int timeoutMs = 5000) {
        std::optional<panes::LineRecord> found;
        korbi::testing::WaitUntil(
            [&] {
                const panes::LineStore& lines = conversation->Lines(slot);
                for (int k = lines.LineCount() - 1; k >= 0; --k) {
                    if (lines.Line(k).text == text) {
                        found = lines.Line(k);
                        return true;
                    }
                }
                return false;
            },
            timeoutMs);
        return found;
    }

    std::string PaneText(int slot) const { return conversation->PaneText(slot).toStdString(); }

    // Types text into a pane's input line and presses Enter, as the user does.
    void Type(int slot, const QString& text) {
        QLineEdit* box = conversation->InputBox(slot);
        for (const QChar c : text) {
            if (c.unicode() < 128) {
                QTest::keyClick(box, c.toLatin1());
            } else {
                // A key of a keyboard layout that types a letter beyond ASCII.
                QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
            }
        }
        QTest::keyClick(box, Qt::Key_Return);
    }

    // The client's prefix as others see it (":nick!user@host"), asked of the server by peer.
    std::string ClientPrefix(korbi::testing::IrcPeer& peer) {
        peer.Send("USERHOST " + settings.NickName);
        const std::string reply = peer.WaitForLine(" 302 " + peer.Nick() + " :");
        const std::size_t equals = reply.find('=');
        if (equals == std::string::npos || reply.size() < equals + 4) {
            ADD_FAILURE() << "no USERHOST reply: " << reply;
            return {};
        }
        // "nick=+user@host\r\n" (a "-" in place of "+" when away).
        return ":" + settings.NickName + "!" + reply.substr(equals + 2, reply.size() - equals - 4);
    }

    // The client joins channel (typed as a command); returns the channel's slot once the names
    // reply filled its nick list with count entries.
    int JoinChannel(const std::string& channel, std::size_t count) {
        window->SendCommand2Serv("/join " + channel);
        const int slot = WaitForPane(channel);
        EXPECT_TRUE(korbi::testing::WaitUntil([&] {
            return conversation->NickListItems(slot).size() == count;
        })) << PaneText(0);
        return slot;
    }

    // The client types "/join" into the server pane, and peer follows it into the channel.
    int JoinBefore(korbi::testing::IrcPeer& peer, const std::string& channel) {
        Type(0, QString::fromStdString("/join " + channel));
        const int slot = WaitForPane(channel);
        EXPECT_TRUE(korbi::testing::WaitUntil(
            [&] { return conversation->NickListItems(slot).size() == 1; }));
        peer.Send("JOIN " + channel);
        EXPECT_TRUE(korbi::testing::WaitUntil([&] { return ListHolds(slot, peer.Nick()); }));
        return slot;
    }

    bool ListHolds(int slot, const std::string& entry) const {
        const auto items = conversation->NickListItems(slot);
        return std::find(items.begin(), items.end(), entry) != items.end();
    }

    static panes::LineRecord Line(int red, int green, int blue, const std::string& pict,
                                  const std::string& text) {
        return {static_cast<std::uint8_t>(red), static_cast<std::uint8_t>(green),
                static_cast<std::uint8_t>(blue), pict, text};
    }

    korbi::testing::NgircdServer server;
    QTemporaryDir dir;
    core::Settings settings;
    core::FrameFlags flags;
    platform::ProgramFolder folder;
    std::unique_ptr<panes::ConversationWindow> conversation;
    std::unique_ptr<ServerWindow> window;
};

} // namespace korbi::session
