// What a hostile or merely busy server can make the client do: 50,000 JOINs and then 50,000
// PARTs in one channel (a netsplit healing on a big network), handed to the real windows through
// the dispatcher in bursts with the event loop running between them; and a CTCP SOUND of 30,000
// words, through the CTCP handler alone and through the dispatcher into a real pane.
// Run: build/bench/crowd_bench [members] (default 50000)
#include "commands/ctcp.h"
#include "panes/conversation_window.h"
#include "session/server_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

namespace {

using korbi::panes::ConversationWindow;
using korbi::session::ServerWindow;

constexpr int kBurst = 1000; // lines per arrival: about 40 KB of JOINs
constexpr int kSoundWords = 30000;

// The CTCP handler prints and plays into roles that do nothing, so that only its own work is
// timed; the panes, the (unconnected) link and the settings are the real ones.
struct QuietOutput : korbi::core::PaneOutput {
    void PrintCoul(int, const std::string&, korbi::irc::Rgb, const std::string& text) override {
        printed += text.size();
    }
    void ClearTextWin(int) override {}
    std::string TopicBar(int) const override { return {}; }
    void SetTopicBar(int, const std::string&) override {}
    std::size_t printed = 0;
};

struct QuietMedia : korbi::core::Media {
    void PlaySound(const std::string&) override {}
    void PlayTextFile(const std::string&, int) override {}
    bool CheckFileExist(const std::string&) const override { return false; }
    bool IsFetching() const override { return false; }
    void FetchFile(const std::string&, const std::string&) override {}
    void RefreshPict(const std::string&) override {}
};

std::string SoundText() {
    std::string text = "\x01SOUND horn";
    for (int i = 0; i < kSoundWords; ++i) {
        text += " word" + std::to_string(i % 1000);
    }
    return text + "\x01";
}

double CpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// Seconds on the clock and of processor time (the clock also counts other programs' turns).
struct Timing {
    double wall = 0;
    double cpu = 0;
};

// Hands lines to the window kBurst at a time, as arrivals would.
template <typename MakeLine> Timing Feed(ServerWindow& window, int count, MakeLine makeLine) {
    QElapsedTimer timer;
    timer.start();
    const double cpu = CpuSeconds();
    for (int i = 0; i < count; ++i) {
        window.Process_MSG(makeLine(i));
        if ((i + 1) % kBurst == 0) {
            QApplication::processEvents();
        }
    }
    QApplication::processEvents();
    return {static_cast<double>(timer.nsecsElapsed()) / 1e9, CpuSeconds() - cpu};
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    const int members = argc > 1 ? std::atoi(argv[1]) : 50000;

    QTemporaryDir dir;
    korbi::core::Settings settings;
    korbi::core::FrameFlags flags;
    settings.NickName = "Me";
    const korbi::platform::ProgramFolder folder(dir.path().toStdString());
    ConversationWindow conversation(settings, flags, folder);
    korbi::session::ServerWindowOptions options;
    options.pictureExchange.BindAddress = "127.0.0.1";
    options.pictureExchange.FirstListenPort = 0;
    ServerWindow window(settings, flags, folder, conversation, options);
    conversation.resize(800, 600);
    conversation.show();
    window.Process_MSG(":Me!m@h JOIN :#big\r\n");
    QApplication::processEvents();

    const Timing joins = Feed(window, members, [](int i) {
        return ":nick" + std::to_string(i) + "!u@host.example JOIN :#big\r\n";
    });
    const auto joined = conversation.NickListItems(1).size();
    const Timing parts = Feed(window, members, [](int i) {
        return ":nick" + std::to_string(i) + "!u@host.example PART #big :netsplit\r\n";
    });
    const auto left = conversation.NickListItems(1).size();
    std::printf("%d JOINs into one channel: %.3f s (processor %.3f s); then %d PARTs: %.3f s "
                "(%.3f s); together %.3f s (%.3f s); members after the joins %zu, after the "
                "parts %zu\n",
                members, joins.wall, joins.cpu, members, parts.wall, parts.cpu,
                joins.wall + parts.wall, joins.cpu + parts.cpu, joined, left);

    const std::string sound = SoundText();
    QuietOutput quiet;
    QuietMedia silent;
    settings.FloodProtDelay = 15;
    korbi::commands::CtcpHandler ctcp(quiet, conversation, window, silent, window);
    // The median of a few runs: one run alone may be cut short by another program's turn.
    std::vector<double> runs;
    for (int run = 0; run < 11; ++run) {
        QElapsedTimer timer;
        timer.start();
        ctcp.ProcessCTCP(sound, "bob!b@h", "bob");
        runs.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(runs.begin(), runs.end());
    const double handler = runs[runs.size() / 2];
    const double dispatched =
        Feed(window, 1, [&](int) { return ":bob!b@h PRIVMSG #big :" + sound + "\r\n"; }).wall;
    std::printf(
        "CTCP SOUND of %d words (%zu bytes): CTCP handler %.2f ms (median of 11); through the "
        "dispatcher into a pane %.2f ms\n",
        kSoundWords, sound.size(), handler, dispatched * 1e3);
    return 0;
}
