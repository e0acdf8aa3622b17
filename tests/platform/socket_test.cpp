#include "platform/socket.h"

#include "support/scripted_server.h"
#include "support/wait.h"

#include <QTcpServer>
#include <QTcpSocket>

#include <gtest/gtest.h>

#include <sys/socket.h>

#include <algorithm>
#include <memory>

namespace korbi::platform {
namespace {
using namespace korbi::testing;

void ConnectTo(Socket& socket, int port) {
    socket.RemoteHost = "127.0.0.1";
    socket.RemotePort = port;
    socket.Connect();
}

TEST(Socket, SendsAndReceivesBytesUnchanged) {
    ScriptedServer server;
    Socket socket;
    std::string received;
    QObject::connect(&socket, &Socket::DataArrival, [&] { received += socket.GetData(); });

    socket.SendData("dropped while closed");
    EXPECT_EQ(socket.State(), Socket::kClosed);
    ConnectTo(socket, server.Port());
    ASSERT_TRUE(WaitUntil([&] { return socket.State() == Socket::kConnected; }));
    EXPECT_NE(socket.LocalPort, 0);
    EXPECT_EQ(socket.LocalIP(), "127.0.0.1");

    const std::string binary("\xe9\x00\r\n\xff", 5);
    socket.SendData(binary);
    ASSERT_TRUE(server.WaitForReceived(binary));
    EXPECT_EQ(server.Received(), binary);

    server.Send(binary + "tail");
    ASSERT_TRUE(WaitUntil([&] { return received.size() == binary.size() + 4; }));
    EXPECT_EQ(received, binary + "tail");
}

TEST(Socket, LocalCloseRaisesNoCloseEventAndFlushesQueuedBytes) {
    ScriptedServer server;
    Socket socket;
    bool closed = false;
    QObject::connect(&socket, &Socket::Closed, [&] { closed = true; });
    ConnectTo(socket, server.Port());
    ASSERT_TRUE(WaitUntil([&] { return socket.State() == Socket::kConnected; }));
    socket.SendData("\nQUIT :bye\r");
    socket.Close();
    EXPECT_EQ(socket.State(), Socket::kClosed);
    EXPECT_EQ(socket.LocalPort, 0);
    ASSERT_TRUE(server.WaitForReceived("\nQUIT :bye\r"));
    ASSERT_TRUE(WaitUntil([&] { return server.ClientClosed(); }));
    EXPECT_FALSE(closed);
}

// A connected pair without the scripted server, so that a test can read and close the peer's
// side without running the event loop.
struct ConnectedPair {
    QTcpServer server;
    Socket socket;
    std::unique_ptr<QTcpSocket> peer;

    bool Connect() {
        server.listen(QHostAddress::LocalHost, 0);
        ConnectTo(socket, server.serverPort());
        if (!WaitUntil([&] {
                return server.hasPendingConnections() && socket.State() == Socket::kConnected;
            })) {
            return false;
        }
        peer.reset(server.nextPendingConnection());
        return true;
    }
};

TEST(Socket, ALargeArrivalComesInBoundedPiecesBeforeTheClose) {
    ScriptedServer server;
    Socket socket;
    std::string received;
    std::size_t largest = 0;
    int arrivals = 0;
    bool closedAfterAll = false;
    QObject::connect(&socket, &Socket::DataArrival, [&] {
        const std::string piece = socket.GetData();
        largest = std::max(largest, piece.size());
        received += piece;
        ++arrivals;
    });
    std::string sent;
    for (int i = 0; sent.size() < 1024 * 1024; ++i) {
        sent += ":user PRIVMSG #flood :line " + std::to_string(i) + "\r\n";
    }
    QObject::connect(&socket, &Socket::Closed, [&] { closedAfterAll = received == sent; });
    ConnectTo(socket, server.Port());
    ASSERT_TRUE(server.WaitForConnections(1));
    server.Send(sent);
    server.CloseClient();
    ASSERT_TRUE(WaitUntil([&] { return socket.State() != Socket::kConnected; }, 10000));
    EXPECT_TRUE(closedAfterAll);
    EXPECT_EQ(received.size(), sent.size());
    EXPECT_LE(largest, static_cast<std::size_t>(Socket::kReadAheadBytes));
    EXPECT_GE(arrivals, 16);
}

TEST(Socket, SentBytesLeaveWithoutWaitingForTheEventLoop) {
    ConnectedPair pair;
    ASSERT_TRUE(pair.Connect());
    pair.socket.SendData("PONG :now\r\n");
    // Waiting on the peer runs no event of the sending side.
    ASSERT_TRUE(pair.peer->waitForReadyRead(5000));
    EXPECT_EQ(pair.peer->readAll(), "PONG :now\r\n");
}

TEST(Socket, AFailureFoundWhileSendingIsToldFromTheEventLoop) {
    ConnectedPair pair;
    ASSERT_TRUE(pair.Connect());
    bool told = false;
    QObject::connect(&pair.socket, &Socket::Error, [&] { told = true; });
    QObject::connect(&pair.socket, &Socket::Closed, [&] { told = true; });
    // The peer resets the connection: the next sends fail at once.
    const linger reset{1, 0};
    setsockopt(static_cast<int>(pair.peer->socketDescriptor()), SOL_SOCKET, SO_LINGER, &reset,
               sizeof reset);
    pair.peer->abort();
    pair.socket.SendData("first");
    pair.socket.SendData("second");
    EXPECT_FALSE(told);
    EXPECT_TRUE(WaitUntil([&] { return told; }));
    EXPECT_NE(pair.socket.State(), Socket::kConnected);
}

} // namespace
} // namespace korbi::platform
