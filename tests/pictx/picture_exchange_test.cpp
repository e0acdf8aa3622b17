#include "pictx/picture_exchange.h"

#include "platform/program_folder.h"
#include "support/fake_panes.h"
#include "support/fake_roles.h"
#include "support/files.h"
#include "support/scripted_server.h"
#include "support/server_process.h"
#include "support/wait.h"

#include <QAction>
#include <QMenu>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace korbi::pictx {
namespace {

namespace fs = std::filesystem;
using namespace korbi::testing;
using media::PicServImage;

// The exchange's roles: settings, and media, which notes the pictures it is asked to redraw.
struct PictFakeHost : korbi::testing::FakeSettings, korbi::testing::FakeMedia {};

std::string Pattern(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>(i * 7 + 1);
    }
    return bytes;
}

std::string Padded(const std::string& bytes, std::size_t size) {
    std::string padded = bytes;
    padded.resize(size, '\0');
    return padded;
}

// One client instance: a program folder of its own with a "PICTS" folder, and the exchange.
struct Client {
    explicit Client(PictureExchangeOptions options = {"127.0.0.1", 0, FetchPort, FetchTimeoutMs})
        : folder(fs::path(dir.path().toStdString())) {
        folder.MakeDirIfNotExist("PICTS");
        exchange = std::make_unique<PictureExchange>(host, host, folder, options);
        QObject::connect(exchange.get(), &PictureExchange::PicServIconChanged,
                         [this](PicServImage image) { icons.push_back(image); });
    }

    fs::path Picts() const { return folder.Root() / "PICTS"; }

    QTemporaryDir dir;
    platform::ProgramFolder folder;
    PictFakeHost host;
    std::unique_ptr<PictureExchange> exchange;
    std::vector<PicServImage> icons;
};

// A peer of the picture server: sends its bytes and collects the answer until the server closes.
struct Peer {
    explicit Peer(int port) { socket.connectToHost(QHostAddress::LocalHost, port); }

    bool Connected() { return socket.waitForConnected(5000); }

    void Send(const std::string& bytes) {
        socket.write(bytes.data(), static_cast<qint64>(bytes.size()));
        socket.flush();
    }

    // Waits for the server to close the connection (false when it stays open), handing every
    // byte it sent to take, or keeping them in received.
    bool WaitClosed(int timeoutMs = 5000,
                    const std::function<void(const QByteArray&)>& take = nullptr) {
        return WaitUntil(
            [&] {
                const QByteArray bytes = socket.readAll();
                take ? take(bytes) : void(received += bytes.toStdString());
                return socket.state() == QAbstractSocket::UnconnectedState &&
                       socket.bytesAvailable() == 0;
            },
            timeoutMs);
    }

    QTcpSocket socket;
    std::string received;
};

// What a peer asking request receives until the server closes the connection.
std::string Ask(int port, const std::string& request) {
    Peer peer(port);
    if (!peer.Connected()) {
        return "(not connected)";
    }
    peer.Send(request);
    return peer.WaitClosed() ? peer.received : "(left open) " + peer.received;
}

// Which requests are refused is ExchangeRules' table; here the server must follow it, and links
// or other files planted in PICTS never lead out of it.
TEST(PictureExchange, ServesPicturesInWholeRecordsAndNothingButRegularFilesInPicts) {
    Client server;
    const std::string cat = Pattern(300);
    WriteBytes(server.Picts() / "cat.BMP", cat);
    WriteBytes(server.Picts() / "empty.bmp", "");
    const fs::path prefs = server.folder.Root() / "Prefs File.INI";
    WriteBytes(prefs, "UserPass secret");
    fs::create_directories(server.folder.Root() / "LOGS");
    WriteBytes(server.folder.Root() / "LOGS" / "#chan.LOG", "private talk");
    fs::create_symlink("../Prefs File.INI", server.Picts() / "prefs.bmp");
    fs::create_symlink("/etc/passwd", server.Picts() / "passwd.bmp");
    fs::create_symlink("../LOGS/#chan.LOG", server.Picts() / "log.bmp");
    fs::create_hard_link(prefs, server.Picts() / "hard.bmp");
    ASSERT_EQ(::mkfifo((server.Picts() / "fifo.bmp").c_str(), 0600), 0);
    fs::create_directory(server.Picts() / "folder.bmp");

    const std::pair<std::string, std::string> cases[] = {
        {"FILE PICTS\\cat.BMP", Padded(cat, 512)}, // two records
        {"FILE PICTS\\empty.bmp", std::string(256, '\0')},
        {"file picts\\cat.bmp", Padded(cat, 512)},
        {"FILE PICTS\\dog.bmp", ""},
        {"FILE PICTS\\..\\Prefs File.INI", ""},
    };
    for (const auto& [request, answer] : cases) {
        EXPECT_EQ(Ask(server.exchange->ListenPort(), request), answer) << request;
    }
    EXPECT_EQ(server.exchange->SockCount(), 1) << "one request at a time reuses Socket2(1)";
    EXPECT_EQ(server.exchange->PicServIcon(), PicServImage::UpPicServ);
    for (const char* name :
         {"prefs.bmp", "PASSWD.BMP", "log.bmp", "hard.bmp", "fifo.bmp", "folder.bmp"}) {
        EXPECT_EQ(Ask(server.exchange->ListenPort(), std::string("FILE PICTS\\") + name), "")
            << name;
    }
}

TEST(PictureExchange, ServingSwitchedOffFromTheMenuClosesAtOnce) {
    Client server;
    WriteBytes(server.Picts() / "cat.bmp", Pattern(300));
    server.exchange->pictmenu()->aboutToShow();
    EXPECT_TRUE(server.exchange->findChild<QAction*>("MenuServList")->isChecked());
    server.exchange->findChild<QAction*>("MenuServList")->trigger();
    EXPECT_FALSE(server.host.settings().SendPics);
    EXPECT_FALSE(server.exchange->findChild<QAction*>("MenuServList")->isChecked());
    EXPECT_EQ(Ask(server.exchange->ListenPort(), "FILE PICTS\\cat.bmp"), "");
    EXPECT_EQ(server.exchange->PicServIcon(), PicServImage::FreePicServ);
}

// A field of /proc/self/status, in kilobytes.
long StatusKilobytes(const std::string& field) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with(field)) {
            return std::stol(line.substr(field.size()));
        }
    }
    return 0;
}

// Files are read as they are sent, and one far above any picture is refused: a peer cannot
// make the program hold hundreds of megabytes, nor get a transfer cut off unannounced.
TEST(PictureExchange, ServesUpToTheLimitFromDiskAndRefusesLargerFiles) {
    Client server;
    constexpr std::size_t kLimit = MaxServeBytes;
    WriteBytes(server.Picts() / "big.bmp", Pattern(kLimit));
    WriteBytes(server.Picts() / "huge.bmp", "");
    fs::resize_file(server.Picts() / "huge.bmp", 200u * 1024 * 1024); // sparse
    // The peak memory starts again from here; a sanitizer's own bookkeeping makes it meaningless.
    std::ofstream clearRefs("/proc/self/clear_refs");
    const bool peakReset = (clearRefs << "5" << std::flush).good();
    const long start = StatusKilobytes("VmRSS:");

    EXPECT_EQ(Ask(server.exchange->ListenPort(), "FILE PICTS\\huge.bmp"), "");

    // Every byte is checked against Pattern() and its padding, none kept.
    Peer peer(server.exchange->ListenPort());
    peer.socket.setReadBufferSize(64 * 1024);
    ASSERT_TRUE(peer.Connected());
    peer.Send("FILE PICTS\\big.bmp");
    std::size_t count = 0;
    std::size_t mismatches = 0;
    ASSERT_TRUE(peer.WaitClosed(30000, [&](const QByteArray& bytes) {
        for (const char byte : bytes) {
            const std::size_t at = count++;
            mismatches += byte != (at < kLimit ? static_cast<char>(at * 7 + 1) : '\0');
        }
    }));
    EXPECT_EQ(count, kLimit + RecordSize) << "every record, and one more after the last";
    EXPECT_EQ(mismatches, 0u);
#if !defined(__SANITIZE_ADDRESS__)
    if (peakReset) {
        EXPECT_LT(StatusKilobytes("VmHWM:") - start, 4 * 1024);
    }
#endif
}

TEST(PictureExchange, AtMostSixteenPeersAreServedAtOnce) {
    Client server;
    WriteBytes(server.Picts() / "cat.bmp", Pattern(10));
    const int port = server.exchange->ListenPort();
    std::vector<std::unique_ptr<Peer>> held;
    for (int i = 0; i < MaxServing; ++i) {
        held.push_back(std::make_unique<Peer>(port));
        ASSERT_TRUE(held.back()->Connected());
        ASSERT_TRUE(WaitUntil([&] { return server.exchange->SockCount() == i + 1; }));
    }

    Peer refused(port);
    ASSERT_TRUE(refused.Connected());
    EXPECT_TRUE(refused.WaitClosed());
    EXPECT_EQ(server.exchange->SockCount(), MaxServing);

    // A peer that was kept waiting is still served, and its place goes to the next one.
    held[4]->Send("FILE PICTS\\cat.bmp");
    EXPECT_TRUE(held[4]->WaitClosed());
    EXPECT_EQ(held[4]->received, Padded(Pattern(10), 256));
    EXPECT_EQ(Ask(port, "FILE PICTS\\cat.bmp"), Padded(Pattern(10), 256));
    EXPECT_EQ(server.exchange->SockCount(), MaxServing);
}

TEST(PictureExchange, ListensOnTheNextPortWhenTheFirstIsTaken) {
    QTcpServer taken;
    ASSERT_TRUE(taken.listen(QHostAddress::LocalHost, 0));
    const int first = taken.serverPort();
    if (first + 49 > 65535) {
        GTEST_SKIP() << "no room above the probed port";
    }
    Client server({"127.0.0.1", first, FetchPort, FetchTimeoutMs});
    EXPECT_GT(server.exchange->ListenPort(), first);
    EXPECT_LT(server.exchange->ListenPort(), first + 50);
}

struct FetchCase {
    const char* name;
    std::string answer; // sent by the peer, which then closes
    bool kept;
    std::vector<PicServImage> icons; // an abandoned fetch leaves the download showing
};

TEST(PictureExchange, FetchKeepsOnlyACompletePictureOfAtMostTenThousandBytes) {
    constexpr auto Down = PicServImage::DownPicServ;
    constexpr auto Free = PicServImage::FreePicServ;
    const FetchCase cases[] = {
        {"exactly the limit", Pattern(10000), true, {Down, Free}},
        {"one byte over the limit", Pattern(10001), false, {Down}},
        {"nothing sent", "", false, {Down, Free}},
    };
    for (const auto& c : cases) {
        ScriptedServer peer;
        Client client({"127.0.0.1", 0, peer.Port(), FetchTimeoutMs});
        client.exchange->FetchFile(" 127.0.0.1 ", "PICTS\\dog.BMP");
        EXPECT_TRUE(client.exchange->IsFetching()) << c.name;
        EXPECT_EQ(client.exchange->FileFetching(), "PICTS\\dog.BMP") << c.name;
        ASSERT_TRUE(peer.WaitForReceived("dog.BMP")) << c.name;
        EXPECT_EQ(peer.Received(), "FILE PICTS\\dog.BMP") << c.name;

        peer.Send(c.answer);
        peer.CloseClient();
        ASSERT_TRUE(WaitUntil([&] { return !client.exchange->IsFetching(); })) << c.name;
        EXPECT_EQ(client.exchange->FileFetching(), "") << c.name;
        EXPECT_EQ(client.icons, c.icons) << c.name;
        if (c.kept) {
            EXPECT_EQ(FileNames(client.Picts()), std::set<std::string>{"dog.BMP"}) << c.name;
            EXPECT_EQ(ReadBytes(client.Picts() / "dog.BMP"), c.answer) << c.name;
            EXPECT_EQ(client.host.refreshed, std::vector<std::string>{"PICTS\\dog.BMP"}) << c.name;
        } else {
            EXPECT_TRUE(FileNames(client.Picts()).empty()) << c.name;
            EXPECT_TRUE(client.host.refreshed.empty()) << c.name;
        }
    }
}

// A fetched picture never goes through a link planted under its name: the file the link
// points to is neither created nor changed, and nothing is left in PICTS but the link.
TEST(PictureExchange, FetchWritesThroughNoLink) {
    QTemporaryDir outside;
    const fs::path target = fs::path(outside.path().toStdString()) / "outside-target";
    const fs::path existing = fs::path(outside.path().toStdString()) / "existing";
    WriteBytes(existing, "keep me");
    for (const auto& [name, pointsTo] :
         {std::pair{"victim.BMP", target}, std::pair{"other.BMP", existing}}) {
        ScriptedServer peer;
        Client client({"127.0.0.1", 0, peer.Port(), FetchTimeoutMs});
        fs::create_symlink(pointsTo, client.Picts() / name);
        client.exchange->FetchFile("127.0.0.1", std::string("PICTS\\") + name);
        ASSERT_TRUE(peer.WaitForReceived(name)) << name;
        peer.Send("peer's bytes");
        peer.CloseClient();
        ASSERT_TRUE(WaitUntil([&] { return !client.exchange->IsFetching(); })) << name;
        EXPECT_FALSE(fs::exists(target)) << name;
        EXPECT_EQ(ReadBytes(existing), "keep me") << name;
        EXPECT_EQ(FileNames(client.Picts()), std::set<std::string>{name});
        EXPECT_TRUE(fs::is_symlink(client.Picts() / name)) << name;
        EXPECT_TRUE(client.host.refreshed.empty()) << name;
    }
}

TEST(PictureExchange, FetchStartsOnlyForAPictureFromAHostWhileSwitchedOn) {
    ScriptedServer peer;
    Client client({"127.0.0.1", 0, peer.Port(), FetchTimeoutMs});
    client.exchange->FetchFile("127.0.0.1", "PICTS\\..\\Prefs File.INI");
    EXPECT_FALSE(client.exchange->IsFetching());

    client.exchange->findChild<QAction*>("MenuFetch")->trigger();
    EXPECT_FALSE(client.host.settings().FetchPics);
    client.exchange->FetchFile("127.0.0.1", "PICTS\\a.bmp");
    EXPECT_FALSE(client.exchange->IsFetching());

    client.exchange->findChild<QAction*>("MenuFetch")->trigger();
    client.exchange->FetchFile("127.0.0.1", "PICTS\\a.bmp");
    client.exchange->FetchFile("127.0.0.1", "PICTS\\b.bmp");
    EXPECT_EQ(client.exchange->FileFetching(), "PICTS\\a.bmp") << "one fetch at a time";
}

TEST(PictureExchange, FailedOrSilentPeersAreGivenUp) {
    Client unreachable({"127.0.0.1", 0, FreePort(), FetchTimeoutMs});
    unreachable.exchange->FetchFile("127.0.0.1", "PICTS\\a.bmp");
    EXPECT_TRUE(WaitUntil([&] { return !unreachable.exchange->IsFetching(); }));
    EXPECT_TRUE(FileNames(unreachable.Picts()).empty());

    ScriptedServer silent;
    Client client({"127.0.0.1", 0, silent.Port(), 300});
    client.exchange->FetchFile("127.0.0.1", "PICTS\\a.bmp");
    ASSERT_TRUE(silent.WaitForReceived("a.bmp"));
    silent.Send("BM");
    EXPECT_TRUE(WaitUntil([&] { return !client.exchange->IsFetching(); }));
    EXPECT_TRUE(FileNames(client.Picts()).empty());
    EXPECT_EQ(client.exchange->PicServIcon(), PicServImage::FreePicServ);

    Peer idle(client.exchange->ListenPort());
    ASSERT_TRUE(idle.Connected());
    EXPECT_TRUE(idle.WaitClosed()) << "a peer that never asks loses its place";
}

} // namespace
} // namespace korbi::pictx
