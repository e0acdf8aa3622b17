// Channel list benchmark: a server on 127.0.0.1 answers LIST with 100,000 channels (321, the
// 322 replies, 323). They arrive through the socket, the line framer and the dispatcher into the
// shown channel list window and the server pane's list (offscreen); the time runs from the
// first byte sent to the moment both windows have painted the whole list.
// Run: build/bench/chanlist_bench [replies]
#include "panes/channel_list_window.h"
#include "panes/conversation_window.h"
#include "session/server_window.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QListWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

namespace {

constexpr int kDefaultReplies = 100000;
constexpr double kTargetMs = 2000;

void RunUntilIdle() {
    QEventLoop loop;
    QTimer::singleShot(0, &loop, &QEventLoop::quit);
    loop.exec();
}

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
    }
    return true;
}

std::string ListReplies(int count) {
    std::string stream = ":irc.example.net 321 me Channel :Users  Name\r\n";
    char line[160];
    for (int i = 0; i < count; ++i) {
        const int n = std::snprintf(line, sizeof line,
                                    ":irc.example.net 322 me #channel-%06d %d :the topic of "
                                    "channel %d, a few words long\r\n",
                                    i, 16 + i % 5000, i);
        stream.append(line, static_cast<std::size_t>(n));
    }
    stream += ":irc.example.net 323 me :End of /LIST\r\n";
    return stream;
}

} // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication app(argc, argv);
    const int replies = argc > 1 ? std::atoi(argv[1]) : kDefaultReplies;

    QTemporaryDir dir;
    korbi::core::Settings settings;
    korbi::core::FrameFlags flags;
    const korbi::platform::ProgramFolder folder(dir.path().toStdString());
    korbi::panes::ConversationWindow conversation(settings, flags, folder);
    korbi::session::ServerWindowOptions options;
    options.pictureExchange.BindAddress = "127.0.0.1";
    options.pictureExchange.FirstListenPort = 0;
    korbi::session::ServerWindow window(settings, flags, folder, conversation, options);
    korbi::panes::ChannelListWindow chanList(conversation, window);
    window.SetChanListForm(&chanList);
    conversation.resize(900, 500);
    conversation.show();

    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    QTcpSocket* peer = nullptr;
    QObject::connect(&server, &QTcpServer::newConnection,
                     [&] { peer = server.nextPendingConnection(); });
    window.ConnectToServer("127.0.0.1", std::to_string(server.serverPort()));
    if (!WaitUntil([&] { return peer != nullptr && window.SocketState() == 7; }, 5000)) {
        std::fprintf(stderr, "no connection\n");
        return 2;
    }
    chanList.Open();
    RunUntilIdle();

    const std::string stream = ListReplies(replies);
    QElapsedTimer clock;
    clock.start();
    peer->write(stream.data(), static_cast<qint64>(stream.size()));
    const bool over = WaitUntil(
        [&] { return conversation.PaneText(0).contains("Channel Listing is over."); }, 120000);
    const double receivedMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    // Shown: both lists have placed their last entry, and show it after a scroll to the end.
    QListWidget* lists[] = {chanList.findChild<QListWidget*>("List1"),
                            conversation.findChild<QListWidget*>("Pane0NickList")};
    const bool placed = WaitUntil(
        [&] {
            for (const QListWidget* list : lists) {
                if (list->count() > 0 &&
                    list->visualItemRect(list->item(list->count() - 1)).isEmpty()) {
                    return false;
                }
            }
            return true;
        },
        120000);
    for (QListWidget* list : lists) {
        list->scrollToBottom();
    }
    RunUntilIdle();
    chanList.repaint();
    conversation.repaint();
    const double shownMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;

    if (!over || !placed || chanList.findChild<QListWidget*>("List1")->count() != replies) {
        std::fprintf(stderr, "the list did not arrive whole (%d rows)\n",
                     chanList.findChild<QListWidget*>("List1")->count());
        return 2;
    }
    std::printf("%d LIST replies (%.1f MB): all handled after %.0f ms, shown after %.0f ms "
                "(target under %.0f ms)\n",
                replies, static_cast<double>(stream.size()) / 1e6, receivedMs, shownMs, kTargetMs);
    return shownMs < kTargetMs ? 0 : 1;
}
