// Prints 100,000 lines into a full, visible server pane the way received lines arrive: in
// bursts handed over by the event loop, which also runs the repaints in between. Reports lines
// per second for a 10-line and a 50-line view and how often the view was repainted.
#include "panes/conversation_window.h"
#include "panes/text_view.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using korbi::panes::ConversationWindow;

constexpr int kLines = 100000;
constexpr int kBurst = 40; // lines per socket arrival, about 3 KB
constexpr int kViewWidth = 600;

struct PrintedLine {
    std::string pict;
    korbi::irc::Rgb colour;
    std::string text;
};

// Mixed traffic: plain, bold, coloured and underlined text, event and user pictures (one of
// them missing, so the error picture is drawn), and every fifth line long enough to wrap.
std::vector<PrintedLine> MakeLines() {
    const char* const picts[] = {"", "PICTS\\EVJOIN", "PICTS\\USER",
                                 "", "PICTS\\NOSUCH", "PICTS\\EVQUIT"};
    std::vector<PrintedLine> lines;
    lines.reserve(kLines);
    for (int n = 0; n < kLines; ++n) {
        std::string text = "<nick" + std::to_string(n % 37) + "> ";
        switch (n % 4) {
        case 0:
            text += "plain words of a channel message number " + std::to_string(n);
            break;
        case 1:
            text += "\x02"
                    "bold\x02 and \x03"
                    "4,1red\x03 then \x03"
                    "12blue text " +
                    std::to_string(n);
            break;
        case 2:
            text += "\x1funderlined\x1f \x16reversed\x16 \x03"
                    "9green";
            break;
        default:
            text += "caf\xc3\xa9 na\xc3\xafve \xe2\x82\xac 42";
            break;
        }
        if (n % 5 == 0) {
            for (int word = 0; word < 24; ++word) {
                text += " wrapping" + std::to_string(word);
            }
        }
        const auto red = static_cast<std::uint8_t>(32 + n % 64);
        lines.push_back({picts[n % 6], {red, 64, 128}, std::move(text)});
    }
    return lines;
}

struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

struct Result {
    double linesPerSecond = 0;
    int paints = 0;
    int lineCount = 0;
};

Result Run(const QString& folderPath, int viewHeight, const std::vector<PrintedLine>& lines) {
    korbi::core::Settings settings;
    korbi::core::FrameFlags flags;
    flags.IsActive = true;
    korbi::platform::ProgramFolder folder(folderPath.toStdString());
    korbi::platform::LineFile pictLog;
    pictLog.Open(folder.Resolve("pictlog.log"), korbi::platform::LineFile::Mode::Replace);

    ConversationWindow window(settings, flags, folder);
    window.SetPictLog(&pictLog);
    korbi::panes::TextView& view = *window.findChild<korbi::panes::TextView*>("Pane0TextViewWin");
    window.resize(window.width() + kViewWidth - view.InnerWidth(),
                  window.height() + viewHeight - view.InnerHeight());
    window.show();
    window.LayoutSlots();
    QCoreApplication::processEvents();
    for (int n = 0; n < 60; ++n) {
        window.PrintCoul(0, "", {0, 0, 0}, "filling the view " + std::to_string(n));
    }

    PaintCounter counter;
    view.installEventFilter(&counter);
    std::size_t next = 0;
    QTimer arrivals;
    arrivals.setInterval(0);
    QObject::connect(&arrivals, &QTimer::timeout, [&] {
        for (int n = 0; n < kBurst && next < lines.size(); ++n, ++next) {
            const PrintedLine& line = lines[next];
            window.PrintCoul(0, line.pict, line.colour, line.text);
        }
        if (next == lines.size()) {
            arrivals.stop();
            QCoreApplication::quit();
        }
    });
    QElapsedTimer clock;
    clock.start();
    arrivals.start();
    QCoreApplication::exec();
    const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    view.removeEventFilter(&counter);
    return {static_cast<double>(lines.size()) / seconds, counter.paints, window.LineCount(0)};
}

} // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication app(argc, argv);
    QTemporaryDir dir;
    korbi::platform::ProgramFolder(dir.path().toStdString()).MakeDirIfNotExist("PICTS");
    QImage user(18, 18, QImage::Format_RGB32);
    user.fill(Qt::darkCyan);
    user.save(dir.path() + "/PICTS/USER.BMP", "BMP");

    const std::vector<PrintedLine> lines = MakeLines();
    const Result small = Run(dir.path(), 200, lines);
    const Result large = Run(dir.path(), 1000, lines);
    for (const auto& [name, result] : {std::pair{"10-line view", small}, {"50-line view", large}}) {
        std::printf("%s: %.0f lines/s, %d repaints for %d printed texts (view holds %d lines)\n",
                    name, result.linesPerSecond, result.paints, kLines, result.lineCount);
    }
    std::printf("50-line / 10-line time per line: %.2f\n",
                small.linesPerSecond / large.linesPerSecond);
    return 0;
}
