// The whole program as a user runs it: the real main frame starts in an empty folder, connects
// to a real IRC server by a typed /server command, and lives through a session with a second
// copy of the program and a scripted user, then exits and starts again in the same folder.
#include "app/main_frame.h"
#include "panes/conversation_window.h"
#include "panes/picture_names.h"
#include "panes/text_view.h"
#include "platform/text_values.h"
#include "session/server_window.h"
#include "session/toolbar.h"
#include "support/files.h"
#include "support/irc_peer.h"
#include "support/loopback_options.h"
#include "support/ngircd_server.h"
#include "support/pane_control.h"
#include "support/wait.h"

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

namespace korbi {
namespace {

namespace fs = std::filesystem;
using namespace korbi::testing;

// The defaults of a first start give both copies the same nick: the second one falls back.
const std::string kNickA = "__NoNick";
const std::string kNickB = "_NoNick_";
const std::string kServer = "irc.test.local";
const QColor kCatColour(200, 40, 40);
const std::string kVisible = "(visible)"; // no pane has this name

// One copy of the program with its own program folder.
class Client {
  public:
    fs::path Folder() const { return dir.path().toStdString(); }

    void Start(const session::ServerWindowOptions& options) {
        app::FrameHooks hooks;
        hooks.ShowStartupError = [this](const QString& text) { startupErrors << text; };
        hooks.IsForeground = [] { return true; };
        hooks.ServerOptions = options;
        hooks.WelcomeNewUser = [] {};
        frame = std::make_unique<app::MainFrame>(Folder(), hooks);
        // Tall enough that every pane keeps its full 50 lines.
        frame->resize(1100, 1400);
        frame->show();
    }

    // The user closes the frame; the program ends.
    void Exit() {
        frame->close();
        frame.reset();
    }

    app::MainFrame& Frame() { return *frame; }
    panes::ConversationWindow& Panes() { return frame->conversationWindow(); }
    core::Settings& Settings() { return frame->settings(); }

    // The slot of a pane by name, "" being the server pane and kVisible the one the user is
    // looking at; -1 while no pane has that name.
    int Slot(const std::string& pane) {
        if (pane.empty() || pane == kVisible) {
            return pane.empty() ? 0 : Panes().CurVisible();
        }
        const int slot = Panes().FindChanWin(pane);
        return slot > 0 ? slot : -1;
    }

    // Shows a pane with its switch button, types a line into its input line and presses
    // Enter. Commands act on the visible pane, as they do for a user, who can only type there.
    void Type(int slot, const std::string& text) {
        if (Panes().CurVisible() != slot) {
            PaneControl<QPushButton>(Panes(), slot, "SwitchBut")->click();
        }
        QLineEdit* box = Panes().InputBox(slot);
        QTest::keyClicks(box, QString::fromStdString(text));
        QTest::keyClick(box, Qt::Key_Return);
        EXPECT_TRUE(box->text().isEmpty()) << "Enter leaves the input line empty";
    }
    void Type(const std::string& pane, const std::string& text) { Type(Slot(pane), text); }

    // The index of the stored line that reads text (blanks at either end aside) with the
    // picture pict when one is given ("" for no picture); -1 when none does.
    int FindLine(int slot, const std::string& text,
                 const std::optional<std::string>& pict = std::nullopt) {
        if (slot < 0) {
            return -1;
        }
        const panes::LineStore& lines = Panes().Lines(slot);
        for (int k = 0; k < lines.LineCount(); ++k) {
            const panes::LineRecord& line = lines.Line(k);
            if (platform::TrimBlanks(line.text) != text) {
                continue;
            }
            if (!pict || platform::EqualsNoCase(line.pict, panes::NormalisePictName(*pict))) {
                return k;
            }
        }
        return -1;
    }

    QTemporaryDir dir;
    QStringList startupErrors;
    std::unique_ptr<app::MainFrame> frame;
};

// Waits until the pane shows the line; says what the pane held otherwise.
::testing::AssertionResult WaitLine(Client& client, const std::string& pane,
                                    const std::string& text,
                                    const std::optional<std::string>& pict = std::nullopt,
                                    int timeoutMs = 5000) {
    if (WaitUntil([&] { return client.FindLine(client.Slot(pane), text, pict) >= 0; }, timeoutMs)) {
        return ::testing::AssertionSuccess();
    }
    const int slot = client.Slot(pane);
    return ::testing::AssertionFailure()
           << "no line \"" << text << "\" in pane " << slot << ":\n"
           << (slot >= 0 ? client.Panes().PaneText(slot).toStdString() : "(no such pane)");
}

bool HasNick(Client& client, const std::string& pane, const std::string& entry) {
    const int slot = client.Slot(pane);
    if (slot <= 0) {
        return false;
    }
    const auto nicks = client.Panes().NickListItems(slot);
    return std::find(nicks.begin(), nicks.end(), entry) != nicks.end();
}

// The colour drawn in the middle of the picture beside line k of a pane.
QColor PictureColourAt(Client& client, int slot, int k) {
    panes::TextView* view = PaneControl<panes::TextView>(client.Panes(), slot, "TextViewWin");
    const QImage shot = view->grab().toImage();
    const QPoint inner = view->contentsRect().topLeft();
    return shot.pixelColor(inner + QPoint(2 + 8, 20 * k + 1 + 8));
}

class WholeSession : public ::testing::Test {
  public:
    // The phases of the session, in order; each starts where the one before it ended.
    void FirstStart();
    void ConnectA();
    void PeerAndSecondCopyArrive();
    void ChatInChannelAndPrivate();
    void CtcpBothWays();
    void PictureTravels();
    void KickNickChangeAndQuit();
    void ExitAndRestart();
    void ReconnectAndDisconnect();

  protected:
    session::ServerWindowOptions OptionsA() {
        session::ServerWindowOptions options = korbi::testing::LoopbackOptions();
        options.pictureExchange.FirstListenPort = pictPortA;
        options.notifyIntervalMs = 250;
        return options;
    }
    session::ServerWindowOptions OptionsB() {
        session::ServerWindowOptions options = korbi::testing::LoopbackOptions();
        options.pictureExchange.FetchPort = pictPortA;
        return options;
    }
    std::string Port() const { return std::to_string(server.Port()); }
    // How the server names a user of either copy in the lines it relays.
    static std::string Prefix(const std::string& nick) {
        return ":" + nick + "!~korbi.user@127.0.0.1 ";
    }

    NgircdServer server;
    IrcPeer peer;
    Client a;
    Client b;
    int pictPortA = FreePort();
};

void WholeSession::FirstStart() {
    // What a first start writes and shows is the main frame test's; here it must let a session
    // follow.
    a.Start(OptionsA());
    ASSERT_FALSE(a.Frame().StartupFailed()) << a.startupErrors.join(' ').toStdString();
    EXPECT_TRUE(a.Frame().flags().ShouldJoin);

    // What the user sets up before connecting (the setup and people dialogs store these).
    core::Settings& settings = a.Settings();
    settings.ClientW = true;
    settings.ClientI = true;
    settings.Notifys = " " + kNickB;
    settings.CheckMail = false; // the default mail server is not on this machine
}

void WholeSession::ConnectA() {
    // Debug mode shows every received line: the server's answer to the user modes among them.
    a.Frame().menus().Item(app::MenuItem::DebugMode)->trigger();
    a.Type(0, "/server 127.0.0.1 " + Port());
    ASSERT_TRUE(WaitUntil([&] { return a.Frame().flags().LoggedOn; }, 10000))
        << a.Panes().PaneText(0).toStdString();
    EXPECT_TRUE(WaitLine(a, "", Prefix(kNickA) + "MODE " + kNickA + " :+wi"));
    a.Frame().menus().Item(app::MenuItem::DebugMode)->trigger();

    EXPECT_GE(a.FindLine(0, "Connected to 127.0.0.1"), 0);
    EXPECT_GE(a.FindLine(0, "Registering yourself..."), 0);
    EXPECT_GE(a.FindLine(0, ":- test server"), 0); // the message of the day
    EXPECT_EQ(a.Panes().TopicBar(0), kServer);
    EXPECT_EQ(a.Frame().serverWindow().ServerPort()->text().toStdString(), Port());
    // The execute-on-connect list of a first start, "$me" and "$server" expanded.
    EXPECT_TRUE(WaitLine(
        a, "", kNickA + " -> " + kNickA + " , You are now connected to " + kServer + " . Enjoy !",
        "PICTS\\infomark"));

    // "#korbi" for a first start, then "#KorBi" and "#Chat" from the list: the server keeps
    // the first spelling, so one pane serves both.
    ASSERT_TRUE(WaitLine(a, "#Chat", kNickA + " entered the channel.", "PICTS\\EVJOIN"));
    ASSERT_TRUE(WaitLine(a, "#korbi", kNickA + " entered the channel.", "PICTS\\EVJOIN"));
    EXPECT_EQ(a.Panes().NextChan(), 3);
    EXPECT_TRUE(WaitUntil([&] { return HasNick(a, "#korbi", "@" + kNickA); }));
    EXPECT_EQ(a.Panes().WinName(a.Panes().CurVisible()), "#Chat");
}

void WholeSession::PeerAndSecondCopyArrive() {
    ASSERT_TRUE(peer.Register(server.Port(), "peer"));
    peer.Send("JOIN #korbi");
    peer.Send("JOIN #Chat");
    EXPECT_TRUE(WaitLine(a, "#korbi", "peer entered the channel.", "PICTS\\EVJOIN"));
    EXPECT_TRUE(WaitLine(a, "#Chat", "peer entered the channel.", "PICTS\\EVJOIN"));
    EXPECT_TRUE(HasNick(a, "#Chat", "peer"));

    b.Start(OptionsB());
    ASSERT_FALSE(b.Frame().StartupFailed());
    b.Settings().CheckMail = false;
    b.Type(0, "/server 127.0.0.1 " + Port());
    ASSERT_TRUE(WaitUntil([&] { return b.Frame().flags().LoggedOn; }, 10000))
        << b.Panes().PaneText(0).toStdString();
    EXPECT_EQ(b.Settings().NickName, kNickB) << "taken by the first copy: the backup is used";
    ASSERT_TRUE(WaitLine(b, "#Chat", kNickB + " entered the channel."));
    ASSERT_TRUE(WaitLine(b, "#korbi", kNickB + " entered the channel."));
    EXPECT_TRUE(WaitUntil([&] { return HasNick(b, "#Chat", "@" + kNickA); }));

    EXPECT_TRUE(WaitLine(a, "#Chat", kNickB + " entered the channel."));
    EXPECT_TRUE(WaitLine(a, "#korbi", kNickB + " entered the channel."));
    // The notify watch: the other copy's nick is in the notify list.
    EXPECT_TRUE(WaitLine(a, kVisible, kNickB + " is on IRC"));
}

void WholeSession::ChatInChannelAndPrivate() {
    std::size_t mark = peer.Mark();
    a.Type("#Chat", "hello everyone");
    EXPECT_TRUE(WaitLine(b, "#Chat", kNickA + " -> hello everyone", ""));
    EXPECT_TRUE(peer.WaitFor(Prefix(kNickA) + "PRIVMSG #Chat :hello everyone\r\n", mark));

    // A text file dropped on the pane is played into the channel, line by line.
    const fs::path story = a.Folder() / "story.txt";
    std::ofstream(story, std::ios::binary) << "once upon a time\r\nthe end\n";
    mark = peer.Mark();
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(story.string()))});
    QWidget* view = PaneControl<panes::TextView>(a.Panes(), a.Slot("#Chat"), "TextViewWin");
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view, &enter);
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view, &drop);
    EXPECT_TRUE(peer.WaitFor(Prefix(kNickA) + "PRIVMSG #Chat :once upon a time\r\n" +
                                 Prefix(kNickA) + "PRIVMSG #Chat :the end\r\n",
                             mark));
    EXPECT_TRUE(WaitLine(a, "#Chat", "End of Play"));

    peer.Send("PRIVMSG #Chat :hi both of you");
    EXPECT_TRUE(WaitLine(a, "#Chat", "peer -> hi both of you"));
    EXPECT_TRUE(WaitLine(b, "#Chat", "peer -> hi both of you"));

    mark = peer.Mark();
    b.Type("#Chat", "/me waves");
    EXPECT_TRUE(WaitLine(a, "#Chat", kNickB + " waves", "PICTS\\EVACTION"));
    EXPECT_TRUE(peer.WaitFor(Prefix(kNickB) + "PRIVMSG #Chat :\x01"
                                              "ACTION waves\x01\r\n",
                             mark));

    // The first popup of the nick list acts on the selected nick.
    const QList<QListWidgetItem*> selected =
        PaneControl<QListWidget>(a.Panes(), a.Slot("#Chat"), "NickList")
            ->findItems("peer", Qt::MatchExactly);
    ASSERT_EQ(selected.size(), 1);
    selected.front()->setSelected(true);
    mark = peer.Mark();
    a.Frame().menus().Pop[0]->trigger();
    EXPECT_TRUE(peer.WaitFor(Prefix(kNickA) + "PRIVMSG #Chat :\x01"
                                              "ACTION slaps peer around",
                             mark));
    EXPECT_TRUE(WaitLine(
        b, "#Chat", kNickA + " slaps peer around with a large ball with bloody spikes on them..",
        "PICTS\\EVACTION"));

    // The second copy's user opens a private window and writes in it.
    b.Type("#Chat", "/query " + kNickA);
    ASSERT_GT(b.Slot(kNickA), 0);
    EXPECT_EQ(b.Panes().CurVisible(), b.Slot(kNickA));
    b.Type(kNickA, "psst, a secret");
    EXPECT_GE(b.FindLine(b.Slot(kNickA), kNickB + " -> psst, a secret"), 0);
    // The first copy opens a window for it and answers there.
    ASSERT_TRUE(WaitLine(a, kNickB, kNickB + " -> psst, a secret"));
    EXPECT_EQ(a.Panes().CurVisible(), a.Slot(kNickB));
    a.Type(kNickB, "tell me");
    EXPECT_TRUE(WaitLine(b, kNickA, kNickA + " -> tell me"));
    EXPECT_EQ(b.Panes().NextChan(), 4);

    // A private message from the scripted user opens its own window too.
    peer.Send("PRIVMSG " + kNickA + " :are you there?");
    ASSERT_TRUE(WaitLine(a, "peer", "peer -> are you there?"));
    mark = peer.Mark();
    a.Type("peer", "yes");
    EXPECT_TRUE(peer.WaitFor(Prefix(kNickA) + "PRIVMSG peer :yes\r\n", mark));
}

void WholeSession::CtcpBothWays() {
    b.Type(kNickA, "/ctcp " + kNickA + " VERSION");
    EXPECT_TRUE(WaitLine(a, "", kNickB + " wants to know your client version..."));
    // The answer is a NOTICE, which the program treats like a request of its own: the asking
    // copy shows it with the sender framed by hyphens.
    EXPECT_TRUE(WaitLine(b, "", "-" + kNickA + "- wants to know your client version..."));

    std::size_t mark = peer.Mark();
    peer.Send("PRIVMSG " + kNickA + " :\x01PING 12345\x01");
    EXPECT_TRUE(WaitLine(a, "", "peer pings you..."));
    EXPECT_TRUE(peer.WaitFor(Prefix(kNickA) + "NOTICE peer :\x01PING 12345\x01\r\n", mark));

    mark = peer.Mark();
    a.Type("peer", "/ctcp peer PING 777");
    EXPECT_TRUE(peer.WaitFor(Prefix(kNickA) + "PRIVMSG peer :\x01PING 777\x01\r\n", mark));

    // A third request in a short while is too many at the default protection level: it is
    // still answered, then requests are ignored for a while.
    mark = peer.Mark();
    peer.Send("PRIVMSG " + kNickA + " :\x01VERSION\x01");
    EXPECT_TRUE(peer.WaitFor(Prefix(kNickA) +
                                 "NOTICE peer :\x01VERSION KorBi 1.0 Official Beta 4 -- "
                                 "Win95/NT\x01\r\n",
                             mark));
    EXPECT_TRUE(
        WaitLine(a, kVisible, "Excess Flood Danger ! Ignoring all CTCP's for 20 seconds..."));
    mark = peer.Mark();
    peer.Send("PRIVMSG " + kNickA + " :\x01PING 999\x01");
    peer.Send("PRIVMSG " + kNickA + " :still there?");
    ASSERT_TRUE(WaitLine(a, "peer", "peer -> still there?"));
    a.Type("peer", "here");
    // The answer comes after anything sent before it on the same connection.
    EXPECT_TRUE(peer.WaitFor(Prefix(kNickA) + "PRIVMSG peer :here\r\n", mark));
    EXPECT_EQ(peer.Since(mark).find("PING 999"), std::string::npos);
}

void WholeSession::PictureTravels() {
    QImage cat(16, 16, QImage::Format_RGB32);
    cat.fill(kCatColour);
    ASSERT_TRUE(cat.save(QString::fromStdString((a.Folder() / "PICTS" / "cat.bmp").string())));
    ASSERT_FALSE(fs::exists(b.Folder() / "PICTS" / "cat.bmp"));

    const std::size_t mark = peer.Mark();
    a.Type("#Chat", "/pict cat.bmp look at my cat");
    EXPECT_GE(a.FindLine(a.Slot("#Chat"), kNickA + " -> look at my cat", "PICTS\\cat.bmp"), 0);
    EXPECT_TRUE(peer.WaitFor(Prefix(kNickA) + "PRIVMSG #Chat :\x01PICT cat.bmp\x01\r\n", mark));
    EXPECT_TRUE(peer.WaitFor(Prefix(kNickA) + "PRIVMSG #Chat :look at my cat", mark));

    // The second copy fetches the picture from the first one and draws it beside the line.
    const std::string line = kNickA + " -> look at my cat";
    ASSERT_TRUE(WaitLine(b, "#Chat", line, "PICTS\\cat.bmp"));
    ASSERT_TRUE(WaitUntil([&] { return fs::exists(b.Folder() / "PICTS" / "cat.bmp"); }, 10000));
    const int slot = b.Slot("#Chat");
    PaneControl<QPushButton>(b.Panes(), slot, "SwitchBut")->click();
    ASSERT_EQ(b.Panes().CurVisible(), slot);
    EXPECT_TRUE(WaitUntil([&] {
        return PictureColourAt(b, slot, b.FindLine(slot, line)) == kCatColour;
    })) << "the fetched picture is not drawn beside the line";

    // The picture goes with one message only.
    a.Type("#Chat", "and now without");
    EXPECT_TRUE(WaitLine(b, "#Chat", kNickA + " -> and now without", ""));
}

void WholeSession::KickNickChangeAndQuit() {
    std::size_t mark = peer.Mark();
    a.Type("#korbi", "/kick #korbi " + kNickB + " enough");
    EXPECT_TRUE(WaitLine(b, "", kNickA + " just kicked you from #korbi (enough)", "PICTS\\EVKICK"));
    EXPECT_TRUE(WaitUntil([&] { return b.Slot("#korbi") < 0; }));
    EXPECT_TRUE(
        WaitLine(a, "#korbi", kNickB + " was kicked by " + kNickA + " (enough)", "PICTS\\EVKICK"));
    EXPECT_FALSE(HasNick(a, "#korbi", kNickB));
    EXPECT_TRUE(peer.WaitFor(Prefix(kNickA) + "KICK #korbi " + kNickB + " :enough\r\n", mark));

    // Closing a channel's pane leaves the channel; the pane goes when the server confirms.
    mark = peer.Mark();
    const int panesBefore = a.Panes().NextChan();
    PaneControl<QPushButton>(a.Panes(), a.Slot("#korbi"), "CloseWinBut")->click();
    EXPECT_TRUE(peer.WaitFor(Prefix(kNickA) + "PART #korbi", mark));
    EXPECT_TRUE(WaitUntil([&] { return a.Slot("#korbi") < 0; }));
    EXPECT_EQ(a.Panes().NextChan(), panesBefore - 1);

    mark = peer.Mark();
    a.Type("#Chat", "/nick anna");
    EXPECT_TRUE(WaitLine(a, kVisible, "Your nick is now anna"));
    EXPECT_EQ(a.Settings().NickName, "anna");
    EXPECT_TRUE(WaitLine(b, "#Chat", kNickA + " changes it's nick to anna"));
    EXPECT_TRUE(WaitUntil([&] { return HasNick(b, "#Chat", "@anna"); }));
    EXPECT_TRUE(HasNick(a, "#Chat", "@anna"));
    EXPECT_TRUE(peer.WaitFor(Prefix(kNickA) + "NICK :anna\r\n", mark));

    // The default alias HOP leaves the channel and joins it again.
    mark = peer.Mark();
    a.Type("#Chat", "/hop");
    EXPECT_TRUE(peer.WaitFor(Prefix("anna") + "PART #Chat", mark));
    EXPECT_TRUE(peer.WaitFor(Prefix("anna") + "JOIN :#Chat\r\n", mark));
    EXPECT_TRUE(WaitLine(a, "#Chat", "anna entered the channel."));
    EXPECT_TRUE(WaitUntil([&] { return HasNick(a, "#Chat", kNickB); }));

    mark = peer.Mark();
    b.Type("#Chat", "/quit see you");
    EXPECT_TRUE(WaitLine(b, "", "*** Shutdown ***"));
    EXPECT_EQ(b.Panes().NextChan(), 1);
    EXPECT_TRUE(WaitLine(a, "#Chat", kNickB + " quits IRC (\"see you\")."));
    EXPECT_FALSE(HasNick(a, "#Chat", kNickB));
    EXPECT_TRUE(WaitLine(a, kVisible, kNickB + " has left IRC"));
    EXPECT_TRUE(peer.WaitFor(Prefix(kNickB) + "QUIT :\"see you\"\r\n", mark));
    b.Exit();
}

void WholeSession::ExitAndRestart() {
    // Settings the user changes during the session (the automation dialog stores these).
    a.Settings().ExecOnConnect = {};
    a.Settings().ExecOnConnect[0] = "/JOIN #Chat";
    a.Settings().ExecOnConnect[1] = "/display back on $server";
    a.Settings().LogChan = true; // the preferences dialog stores this one

    std::size_t mark = peer.Mark();
    a.Exit(); // the server hears the quit message, not a dropped connection
    EXPECT_TRUE(peer.WaitFor(Prefix("anna") + "QUIT :\"KorBis blues sur KorBi\"\r\n", mark));

    a.Start(OptionsA());
    ASSERT_FALSE(a.Frame().StartupFailed()) << a.startupErrors.join(' ').toStdString();

    // The nick, server and port kept from last time: the connect button is enough.
    mark = peer.Mark();
    a.Frame().serverWindow().findChild<session::ServerToolbar*>("downer")->ToolButs_MouseUp(0);
    ASSERT_TRUE(WaitUntil([&] { return a.Frame().flags().LoggedOn; }, 10000))
        << a.Panes().PaneText(0).toStdString();
    EXPECT_TRUE(WaitLine(a, "", "back on " + kServer));
    ASSERT_TRUE(WaitLine(a, "#Chat", "anna entered the channel."));
    EXPECT_TRUE(peer.WaitFor(Prefix("anna") + "JOIN :#Chat\r\n", mark));
    // Not a first start: "#korbi" is not joined (its join would have come first).
    EXPECT_EQ(peer.Since(mark).find("JOIN :#korbi"), std::string::npos);
    EXPECT_LT(a.Slot("#korbi"), 0);
    EXPECT_EQ(a.Panes().NextChan(), 2);
    const fs::path log = a.Folder() / "LOGS" / "#Chat.LOG";
    ASSERT_TRUE(WaitUntil([&] { return fs::exists(log); }));
    EXPECT_TRUE(CrLfLines(ReadBytes(log)).at(0).starts_with("Log File opened at "));
}

void WholeSession::ReconnectAndDisconnect() {
    // Typing /server again while connected leaves the server first, with the quit message.
    std::size_t mark = peer.Mark();
    a.Type(0, "/server 127.0.0.1 " + Port());
    EXPECT_TRUE(peer.WaitFor(Prefix("anna") + "QUIT :\"KorBis blues sur KorBi\"\r\n", mark));
    EXPECT_TRUE(peer.WaitFor(Prefix("anna") + "JOIN :#Chat\r\n", mark));
    ASSERT_TRUE(WaitLine(a, "#Chat", "anna entered the channel."));
    EXPECT_GE(a.FindLine(0, "Disconnecting from current server..."), 0);

    // The toolbar's disconnect button: the server closes the connection after the QUIT.
    a.Frame().serverWindow().findChild<session::ServerToolbar*>("downer")->ToolButs_MouseUp(1);
    EXPECT_TRUE(WaitLine(a, "", "*** Shutdown ***"));
    // The server's parting notice came before its close: still shown as the server's.
    const panes::LineStore& serverPane = a.Panes().Lines(0);
    bool partingNotice = false;
    for (int k = 0; k < serverPane.LineCount(); ++k) {
        partingNotice = partingNotice ||
                        (serverPane.Line(k).text.starts_with("Connection statistics: ") &&
                         platform::EqualsNoCase(serverPane.Line(k).pict, "PICTS\\INFOMARK.BMP"));
    }
    EXPECT_TRUE(partingNotice) << a.Panes().PaneText(0).toStdString();
    EXPECT_EQ(a.Panes().TopicBar(0), "Not Connected to a server");
    EXPECT_EQ(a.Panes().NextChan(), 1);

    // Each session of the channel is in its log, opened and closed.
    const auto log = CrLfLines(ReadBytes(a.Folder() / "LOGS" / "#Chat.LOG"));
    const auto count = [&](const std::string& start) {
        return std::count_if(log.begin(), log.end(),
                             [&](const std::string& line) { return line.starts_with(start); });
    };
    EXPECT_EQ(count("Log File opened at "), 2);
    EXPECT_EQ(count("Log File Closed at "), 2);
    EXPECT_EQ(count("anna entered the channel."), 2);
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), "--");
    a.Exit();
}

TEST_F(WholeSession, FromFirstStartThroughASessionToARestart) {
    KORBI_REQUIRE_SERVER(server);
    for (const auto& phase :
         {&WholeSession::FirstStart, &WholeSession::ConnectA,
          &WholeSession::PeerAndSecondCopyArrive, &WholeSession::ChatInChannelAndPrivate,
          &WholeSession::CtcpBothWays, &WholeSession::PictureTravels,
          &WholeSession::KickNickChangeAndQuit, &WholeSession::ExitAndRestart,
          &WholeSession::ReconnectAndDisconnect}) {
        (this->*phase)();
        if (HasFatalFailure()) {
            return;
        }
    }
}

} // namespace
} // namespace korbi
