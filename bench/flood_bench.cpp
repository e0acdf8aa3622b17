// Flood benchmark: a local scripted server registers the client, joins it to a channel of 50
// names, sends a flood of channel messages and then "PING :flooddone"; the time until the
// client's PONG is measured through the real main frame (offscreen), with the peak memory.
// Run: build/bench/flood_bench [lines] [characters per line]
#include "panes/conversation_window.h"
#include "prefs/main_frame.h"
#include "session/server_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

double PeakMemoryMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

std::string MessageText(int index, int length) {
    std::string text = "message " + std::to_string(index) + " ";
    while (static_cast<int>(text.size()) < length) {
        text += "lorem ipsum dolor sit amet ";
    }
    text.resize(static_cast<std::size_t>(length));
    return text;
}

struct FloodResult {
    double seconds = 0;
    bool ponged = false;
};

FloodResult RunFlood(korbi::prefs::MainFrame& frame, int lines, int length) {
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    QTcpSocket* peer = nullptr;
    QByteArray received;
    QObject::connect(&server, &QTcpServer::newConnection, [&] {
        peer = server.nextPendingConnection();
        QObject::connect(peer, &QTcpSocket::readyRead, [&] { received += peer->readAll(); });
    });

    auto& window = frame.serverWindow();
    const std::string nick = frame.settings().NickName;
    window.ConnectToServer("127.0.0.1", std::to_string(server.serverPort()));

    QElapsedTimer deadline;
    deadline.start();
    const auto waitFor = [&](const auto& condition) {
        while (!condition() && deadline.elapsed() < 60000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        return condition();
    };
    if (!waitFor([&] { return received.contains("USER "); })) {
        std::fprintf(stderr, "the client did not register\n");
        return {};
    }
    std::string names;
    for (int i = 0; i < 49; ++i) {
        names += " user" + std::to_string(i);
    }
    std::string setup = ":irc.test 001 " + nick + " :Welcome\r\n:irc.test 376 " + nick +
                        " :End of MOTD\r\n:" + nick + "!u@h JOIN :#flood\r\n:irc.test 353 " + nick +
                        " = #flood :@" + nick + names + "\r\n:irc.test 366 " + nick +
                        " #flood :End\r\n";
    peer->write(setup.data(), static_cast<qint64>(setup.size()));
    if (!waitFor([&] { return frame.conversationWindow().NextChan() > 1; })) {
        std::fprintf(stderr, "the client did not open the channel pane\n");
        return {};
    }

    std::string flood;
    flood.reserve(static_cast<std::size_t>(lines) * static_cast<std::size_t>(length + 40));
    for (int i = 0; i < lines; ++i) {
        flood += ":user" + std::to_string(i % 49) + "!u@h PRIVMSG #flood :" + MessageText(i, length) +
                 "\r\n";
    }
    flood += "PING :flooddone\r\n";
    received.clear();

    QElapsedTimer timer;
    timer.start();
    // Write as fast as the socket takes it, in 64 KiB pieces.
    std::size_t sent = 0;
    const auto pump = [&] {
        while (sent < flood.size() && peer->bytesToWrite() < 1 << 20) {
            const std::size_t size = std::min<std::size_t>(64 * 1024, flood.size() - sent);
            peer->write(flood.data() + sent, static_cast<qint64>(size));
            sent += size;
        }
    };
    QObject::connect(peer, &QTcpSocket::bytesWritten, pump);
    pump();
    deadline.restart();
    const bool ponged = waitFor([&] { return received.contains("flooddone"); });
    return {timer.nsecsElapsed() / 1e9, ponged};
}

} // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication app(argc, argv);
    const int lines = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int length = argc > 2 ? std::atoi(argv[2]) : 80;

    QTemporaryDir dir;
    korbi::prefs::MainFrame frame(dir.path().toStdString());
    frame.show();
    const FloodResult result = RunFlood(frame, lines, length);
    if (!result.ponged) {
        std::printf("no PONG within the time limit\n");
        return 1;
    }
    std::printf("%d channel lines of %d characters: %.3f s until the PONG, %.0f lines/s, "
                "peak memory %.1f MiB\n",
                lines, length, result.seconds, lines / result.seconds, PeakMemoryMiB());
    return 0;
}
