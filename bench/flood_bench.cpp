// Flood benchmark of the whole client: the real main frame (offscreen) against flood_server,
// the scripted server started as a separate process beside this program. The server times the
// flood from its first byte to the client's PONG and watches this process's memory, as it does
// for any other client; this program checks that the lines reached the panes and counts the
// repaints of the shown pane during the flood.
//
// Run: build/bench/flood_bench [--tls] [lines] [characters per line]
//        one channel of 50 names; defaults 100000 lines of 80 characters; with --tls over TLS
//        (a self-signed certificate made with openssl, trusted beforehand as a user would)
//      build/bench/flood_bench --flat [lines]
//        14 channels and one private conversation flooded in turn; the peak memory after
//        10000 lines, after 100000 (when every pane holds its 5000 lines of scrollback) and
//        after all of them (default 1000000)
#include "app/main_frame.h"
#include "panes/conversation_window.h"
#include "panes/text_view.h"
#include "session/server_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QSslCertificate>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kTimeoutMs = 300000;

double MiB(long kib) {
    return kib / 1024.0;
}

// Counts the paint events of the panes' views (only a shown view paints) from the start of the
// flood to its end, and the longest time between two of them (or between the start and the
// first, or the last and the end).
class PaintCounter : public QObject {
  public:
    void Start(const korbi::panes::ConversationWindow& panes) {
        for (int slot = 0; slot < korbi::panes::ConversationWindow::kPaneCount; ++slot) {
            panes.findChild<korbi::panes::TextView*>(QString("Pane%1TextViewWin").arg(slot))
                ->installEventFilter(this);
        }
        m_clock.start();
        m_last = 0;
    }
    void Stop() {
        NoteGap();
        m_clock.invalidate();
    }
    int Count() const { return m_count; }
    qint64 LongestGapMs() const { return m_longestGap; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (m_clock.isValid() && event->type() == QEvent::Paint) {
            ++m_count;
            NoteGap();
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    void NoteGap() {
        const qint64 now = m_clock.elapsed();
        m_longestGap = std::max(m_longestGap, now - m_last);
        m_last = now;
    }

    QElapsedTimer m_clock;
    qint64 m_last = 0;
    int m_count = 0;
    qint64 m_longestGap = 0;
};

struct Mark {
    long lines = 0;
    double seconds = 0;
    long peakResident = 0; // VmHWM
    long peakAnonymous = 0;
};

struct FloodRun {
    bool done = false;
    std::string failure;
    long restResident = 0; // before the flood
    long restAnonymous = 0;
    std::vector<Mark> marks; // the last one is the end of the flood
};

// Starts the server, connects the frame to it and follows the server's report until the end;
// atEnd looks at the client while the connection is still open.
FloodRun RunFlood(korbi::app::MainFrame& frame, const QStringList& serverArguments,
                  PaintCounter& paints, const std::function<void()>& atEnd, bool tls = false) {
    FloodRun run;
    QProcess server;
    server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    server.start(QCoreApplication::applicationDirPath() + "/flood_server",
                 QStringList(serverArguments)
                     << "--pid" << QString::number(QCoreApplication::applicationPid()));
    if (!server.waitForStarted(10000) || !server.waitForReadyRead(10000)) {
        run.failure = "flood_server did not start";
        return run;
    }
    const QByteArray first = server.readLine().trimmed();
    if (!first.startsWith("port ")) {
        run.failure = "flood_server said: " + first.toStdString();
        return run;
    }
    frame.serverWindow().ConnectToServer("127.0.0.1",
                                         (tls ? "+" : "") + first.mid(5).toStdString());

    QEventLoop loop;
    Mark memory;
    QObject::connect(&server, &QProcess::readyReadStandardOutput, &loop, [&] {
        while (server.canReadLine()) {
            const QList<QByteArray> words = server.readLine().trimmed().split(' ');
            if (words[0] == "rest" && words.size() == 3) {
                run.restResident = words[1].toLong();
                run.restAnonymous = words[2].toLong();
            } else if (words[0] == "flood") {
                paints.Start(frame.conversationWindow());
            } else if (words[0] == "memory" && words.size() == 3) {
                memory.peakResident = words[1].toLong();
                memory.peakAnonymous = words[2].toLong();
            } else if (words[0] == "mark" && words.size() == 3) {
                memory.lines = words[1].toLong();
                memory.seconds = words[2].toDouble();
                run.marks.push_back(memory);
                server.write("go\n");
            } else if (words[0] == "done" && words.size() == 3) {
                paints.Stop();
                memory.lines = words[1].toLong();
                memory.seconds = words[2].toDouble();
                run.marks.push_back(memory);
                run.done = true;
                atEnd();
                server.write("go\n");
                server.waitForFinished(10000);
                loop.quit();
            } else if (words[0] == "failed") {
                run.failure = "flood_server: " + words.join(' ').toStdString();
                loop.quit();
            }
        }
    });
    QObject::connect(&server, &QProcess::finished, &loop, [&] {
        if (!run.done && run.failure.empty()) {
            run.failure = "flood_server ended early";
        }
        loop.quit();
    });
    QTimer::singleShot(kTimeoutMs, &loop, [&] {
        run.failure = "no end of the flood in time";
        loop.quit();
    });
    loop.exec();
    return run;
}

std::string TrimRight(std::string text) {
    while (!text.empty() && text.back() == ' ') {
        text.pop_back();
    }
    return text;
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// Whether the last line of the pane shown for name is the end of flood line lastIndex.
bool PaneEndsWithLine(const korbi::panes::ConversationWindow& panes, const std::string& name,
                      long lastIndex) {
    const int slot = panes.FindChanWin(name);
    if (slot <= 0 || panes.LineCount(slot) == 0) {
        return false;
    }
    const auto& store = panes.Lines(slot);
    const std::string last = TrimRight(store.Line(store.LineCount() - 1).text);
    return EndsWith(last, " end " + std::to_string(lastIndex));
}

// The flood lines the pane holds, newest last, when each is one whole message: how many of
// them are consecutive messages ending with lastIndex.
int ConsecutiveLines(const korbi::panes::ConversationWindow& panes, const std::string& name,
                     long lastIndex) {
    const auto& store = panes.Lines(panes.FindChanWin(name));
    int run = 0;
    for (int k = store.LineCount() - 1; k >= 0; --k, --lastIndex) {
        const std::string text = TrimRight(store.Line(k).text);
        const std::string index = std::to_string(lastIndex);
        if (text.find("message " + index + " ") == std::string::npos ||
            !EndsWith(text, " end " + index)) {
            break;
        }
        ++run;
    }
    return run;
}

long LineCountOfFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return -1;
    }
    long lines = 0;
    while (!file.atEnd()) {
        lines += file.read(1 << 20).count('\n');
    }
    return lines;
}

// A self-signed certificate for 127.0.0.1 in dir; its SHA-256 fingerprint, "" on failure.
std::string MakeCertificate(const QTemporaryDir& dir) {
    QProcess openssl;
    openssl.start("openssl", {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "1",
                              "-subj", "/CN=127.0.0.1", "-keyout", dir.filePath("key.pem"), "-out",
                              dir.filePath("cert.pem")});
    if (!openssl.waitForFinished(30000) || openssl.exitCode() != 0) {
        return {};
    }
    const QList<QSslCertificate> certificate = QSslCertificate::fromPath(dir.filePath("cert.pem"));
    return certificate.isEmpty() ? std::string()
                                 : certificate.first()
                                       .digest(QCryptographicHash::Sha256)
                                       .toHex(':')
                                       .toUpper()
                                       .toStdString();
}

int ChannelFlood(long lines, int length, bool tls) {
    QTemporaryDir dir;
    QStringList arguments{"--lines", QString::number(lines), "--length", QString::number(length)};
    std::string fingerprint;
    if (tls) {
        fingerprint = MakeCertificate(dir);
        if (fingerprint.empty()) {
            std::printf("failed: no certificate (is openssl installed?)\n");
            return 1;
        }
        arguments << "--cert" << dir.filePath("cert.pem") << "--key" << dir.filePath("key.pem");
    }
    long viewLines = 0;
    bool lastLine = false;
    bool shownChannel = false;
    int consecutive = 0;
    FloodRun run;
    PaintCounter paints;
    {
        korbi::app::MainFrame frame(dir.path().toStdString(), {.WelcomeNewUser = [] {}});
        frame.show();
        if (tls) {
            frame.settings().Extras.SetValue("TrustedCert.127.0.0.1", fingerprint);
        }
        auto& panes = frame.conversationWindow();
        run = RunFlood(
            frame, arguments, paints,
            [&] {
                shownChannel = panes.CurVisible() == panes.FindChanWin("#flood");
                lastLine = PaneEndsWithLine(panes, "#flood", lines - 1);
                consecutive = ConsecutiveLines(panes, "#flood", lines - 1);
            },
            tls);
    }
    if (!run.done) {
        std::printf("failed: %s\n", run.failure.c_str());
        return 1;
    }
    // The picture log has one line for every view line printed; the frame flushed it on closing.
    viewLines = LineCountOfFile(dir.filePath("pictlog.log"));
    const Mark& end = run.marks.back();
    std::printf("flood: %ld channel lines of %d characters into #flood (50 names)%s\n", lines,
                length, tls ? " over TLS" : "");
    std::printf("time until the PONG: %.3f s (%.0f lines/s)\n", end.seconds, lines / end.seconds);
    std::printf("peak memory (VmHWM): %.1f MiB; at rest before the flood %.1f MiB\n",
                MiB(end.peakResident), MiB(run.restResident));
    std::printf("anonymous memory (RssAnon): peak %.1f MiB, at rest %.1f MiB\n",
                MiB(end.peakAnonymous), MiB(run.restAnonymous));
    std::printf("repaints of the shown pane (%s) during the flood: %d, longest gap %lld ms\n",
                shownChannel ? "#flood" : "NOT #flood", paints.Count(),
                static_cast<long long>(paints.LongestGapMs()));
    std::printf("last flood line is the pane's last line: %s\n", lastLine ? "yes" : "NO");
    if (consecutive > 0) {
        std::printf("whole flood lines the pane holds, consecutive up to the last: %d\n",
                    consecutive);
    }
    std::printf("view lines printed in all panes (picture log): %ld\n", viewLines);
    // Repainting: never once per line, yet more than never (unless the flood was over in less
    // time than a repaint waits).
    const bool repainted =
        (paints.Count() > 0 || end.seconds < 0.1) && paints.Count() <= lines / 10 && shownChannel;
    if (!lastLine || viewLines < lines) {
        std::printf("FAILED: the flood did not reach the pane whole\n");
    }
    if (!repainted) {
        std::printf("FAILED: the pane repainted once per line, or not at all\n");
    }
    return lastLine && viewLines >= lines && repainted ? 0 : 1;
}

int FlatFlood(long lines) {
    constexpr int kChannels = 14;
    constexpr long kFirstMark = 10000;
    // By then each of the 15 panes holds its scrollback whole: from here on memory stays flat.
    constexpr long kPanesFullMark = 100000;
    QTemporaryDir dir;
    korbi::app::MainFrame frame(dir.path().toStdString(), {.WelcomeNewUser = [] {}});
    frame.show();
    PaintCounter paints;
    int complete = 0;
    // Targets take turns: line i went to channel i % 15, the private pane being the 15th.
    const auto countComplete = [&] {
        for (int target = 0; target <= kChannels; ++target) {
            long last = lines - 1;
            while (last % (kChannels + 1) != target) {
                --last;
            }
            const std::string name =
                target < kChannels ? "#flood" + std::to_string(target + 1) : std::string("friend");
            complete += PaneEndsWithLine(frame.conversationWindow(), name, last) ? 1 : 0;
        }
    };
    const FloodRun run =
        RunFlood(frame,
                 {"--lines", QString::number(lines), "--channels", QString::number(kChannels),
                  "--private", "--marks",
                  lines > kPanesFullMark ? QString("%1,%2").arg(kFirstMark).arg(kPanesFullMark)
                                         : QString::number(kFirstMark)},
                 paints, countComplete);
    if (!run.done) {
        std::printf("failed: %s\n", run.failure.c_str());
        return 1;
    }
    std::printf("flood: 80-character lines in turn into 14 channel panes and 1 private pane\n");
    std::printf("at rest before the flood: %.1f MiB resident, %.1f MiB anonymous\n",
                MiB(run.restResident), MiB(run.restAnonymous));
    for (const Mark& mark : run.marks) {
        std::printf("after %7ld lines: peak memory (VmHWM) %.1f MiB, peak anonymous memory "
                    "(RssAnon) %.1f MiB (%.2f s)\n",
                    mark.lines, MiB(mark.peakResident), MiB(mark.peakAnonymous), mark.seconds);
    }
    std::printf("panes whose last line is their last flood line: %d of %d\n", complete,
                kChannels + 1);
    const auto& panes = frame.conversationWindow();
    std::printf("repaints of the shown pane (%s) during the flood: %d, longest gap %lld ms\n",
                panes.WinName(panes.CurVisible()).c_str(), paints.Count(),
                static_cast<long long>(paints.LongestGapMs()));
    return complete == kChannels + 1 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication app(argc, argv);
    if (argc > 1 && std::string(argv[1]) == "--flat") {
        return FlatFlood(argc > 2 ? std::atol(argv[2]) : 1000000);
    }
    const bool tls = argc > 1 && std::string(argv[1]) == "--tls";
    const int first = tls ? 2 : 1;
    const long lines = argc > first ? std::atol(argv[first]) : 100000;
    const int length = argc > first + 1 ? std::atoi(argv[first + 1]) : 80;
    return ChannelFlood(lines, length, tls);
}
