// Times a search of the find bar over a pane holding 100,000 lines (the most a pane keeps):
// once through the search alone, once as the user sees it, typed into the find bar of a pane,
// which also goes to the newest place found and draws it.
//
// Run: build/bench/find_bench [lines]
#include "core/reading_settings.h"
#include "panes/conversation_window.h"
#include "panes/line_store.h"
#include "panes/text_spans.h"
#include "panes/text_view.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using korbi::panes::LineRecord;

// 80 characters of mixed traffic, some with codes; one line in a thousand holds the word looked
// for, in another case.
LineRecord MakeLine(int n) {
    std::string text = "<nick" + std::to_string(n % 37) + "> ";
    if (n % 5 == 1) {
        text += "\x02loud\x02 \x03"
                "4,2colour\x03 ";
    }
    if (n % 1000 == 7) {
        text += "the NeEdLe is here ";
    }
    while (text.size() < 80) {
        text += "words of a line " + std::to_string(n) + " ";
    }
    text.resize(80);
    return {{0, 0, 0}, n % 3 == 0 ? "PICTS\\EVJOIN.BMP" : "", text, 0, false};
}

double Milliseconds(const QElapsedTimer& clock) {
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int lines = argc > 1 ? std::atoi(argv[1]) : korbi::core::kScrollbackMax;

    korbi::panes::LineStore store;
    for (int n = 0; n < lines; ++n) {
        store.Add(MakeLine(n), lines);
    }
    QElapsedTimer clock;
    clock.start();
    const auto found = korbi::panes::FindInLines(store, store.FirstId(), "needle");
    std::printf("search of %d kept lines: %zu places in %.1f ms\n", lines, found.size(),
                Milliseconds(clock));

    QTemporaryDir dir;
    korbi::core::Settings settings;
    settings.Extras.SetNumber(korbi::core::kScrollbackLines, lines);
    korbi::core::FrameFlags flags;
    flags.IsActive = true;
    korbi::platform::ProgramFolder folder(dir.path().toStdString());
    korbi::panes::ConversationWindow window(settings, flags, folder);
    window.resize(800, 600);
    window.show();
    for (int n = 0; n < lines; ++n) {
        const LineRecord line = MakeLine(n);
        window.PrintCoul(0, line.pict, line.colour, line.text);
    }
    auto& view = *window.findChild<korbi::panes::TextView*>("Pane0TextViewWin");
    QKeyEvent find(QEvent::KeyPress, Qt::Key_F, Qt::ControlModifier);
    QApplication::sendEvent(window.InputBox(0), &find);
    QImage image(view.size(), QImage::Format_RGB32);
    clock.restart();
    view.findChild<QLineEdit*>("FindText")->setText("needle");
    view.render(&image);
    std::printf("typed into the find bar of a pane of %d lines: %zu places, went to the "
                "newest and drew it in %.1f ms\n",
                window.LineCount(0), view.Found().size(), Milliseconds(clock));
    clock.restart();
    QKeyEvent previous(QEvent::KeyPress, Qt::Key_Return, Qt::ShiftModifier);
    QApplication::sendEvent(view.findChild<QLineEdit*>("FindText"), &previous);
    view.render(&image);
    std::printf("to the place before and drawn: %.1f ms\n", Milliseconds(clock));
    return 0;
}
