// The notify watch against a real IRC server: another user comes and goes.
#include "session/notify_watch.h"

#include "irc/message_parsing.h"
#include "platform/socket.h"
#include "support/fake_client.h"
#include "support/ngircd_server.h"
#include "support/wait.h"

#include <QElapsedTimer>
#include <QTcpSocket>

#include <gtest/gtest.h>

#include <algorithm>

namespace korbi::session {
namespace {

using korbi::testing::NgircdServer;
using korbi::testing::WaitUntil;

// The watch's connection: a real socket, registered by hand; 303 answers go to the watch.
class SocketHost : public testing::LoggingClient {
  public:
    platform::Socket socket;
    NotifyWatch* watch = nullptr;
    std::string received;

    SocketHost() {
        QObject::connect(&socket, &platform::Socket::DataArrival, [this] { Receive(); });
    }
    int SocketState() const override { return socket.State(); }
    void Send2Serv(const std::string& line) override { socket.SendData(line + "\r\n"); }
    bool Printed(const std::string& text) const {
        return std::find(log.begin(), log.end(), "print 1 [] (64,64,160) " + text) != log.end();
    }

  private:
    void Receive() {
        received += socket.GetData();
        for (std::size_t end; (end = received.find("\r\n")) != std::string::npos;) {
            const std::string line = received.substr(0, end + 2);
            received.erase(0, end + 2);
            const std::string command = irc::GetMsgCommand(line);
            if (command == "303" && watch != nullptr) {
                watch->Process303(irc::GetMsgParams(line));
            } else if (command == "PING") {
                Send2Serv("PONG" +
                          irc::GetMsgParams(line).substr(0, irc::GetMsgParams(line).size() - 2));
            } else if (command == "376") {
                flagsValue.LoggedOn = true;
                log.push_back("registered");
            }
        }
    }
};

TEST(NotifyWatchNgircd, AnnouncesAUserWhoConnectsAndQuitsWithinOnePeriod) {
    NgircdServer server;
    KORBI_REQUIRE_NGIRCD(server);
    constexpr int kPeriod = 1000;
    constexpr int kSlack = 2000;

    SocketHost host;
    host.settingsValue.Notifys = " Ann";
    host.settingsValue.CheckMail = false;
    host.socket.RemoteHost = "127.0.0.1";
    host.socket.RemotePort = server.Port();
    host.socket.Connect();
    ASSERT_TRUE(WaitUntil([&] { return host.SocketState() == platform::Socket::kConnected; }));
    host.Send2Serv("NICK watcher");
    host.Send2Serv("USER w 0 * :watcher");
    ASSERT_TRUE(WaitUntil([&] { return !host.log.empty(); }, 10000)) << server.Log();

    int resets = 0;
    NotifyWatch watch(host, host, host, host, {{}, [&] { ++resets; }}, kPeriod);
    host.watch = &watch;

    QTcpSocket ann;
    ann.connectToHost("127.0.0.1", static_cast<quint16>(server.Port()));
    ASSERT_TRUE(ann.waitForConnected(5000));
    ann.write("NICK Ann\r\nUSER a 0 * :Ann\r\n");
    QByteArray seen;
    ASSERT_TRUE(WaitUntil(
        [&] {
            seen += ann.readAll();
            return seen.contains(" 376 Ann ");
        },
        10000));

    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(WaitUntil([&] { return host.Printed("Ann is on IRC"); }, kPeriod + kSlack));
    EXPECT_LE(clock.elapsed(), kPeriod + kSlack);

    ann.write("QUIT :bye\r\n");
    ASSERT_TRUE(ann.waitForDisconnected(5000) || ann.state() == QAbstractSocket::UnconnectedState);
    clock.restart();
    ASSERT_TRUE(WaitUntil([&] { return host.Printed("Ann has left IRC"); }, kPeriod + kSlack));
    EXPECT_EQ(std::count_if(host.log.begin(), host.log.end(),
                            [](const std::string& line) { return line.starts_with("print"); }),
              2)
        << "each change is announced once";
    EXPECT_EQ(resets, 0);
}

} // namespace
} // namespace korbi::session
