// Not timed: draws a pane being read back (scrolled up with new lines counted below, a
// highlighted line, a selection and the find bar) and saves the window as a PNG, for the README.
// Run under a display, e.g.: xvfb-run -a build/bench/view_screenshots docs/pane-reading.png
#include "core/line_styles.h"
#include "core/reading_settings.h"
#include "panes/conversation_window.h"
#include "panes/text_view.h"

#include <QApplication>
#include <QEventLoop>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <string>

namespace {

using korbi::irc::Rgb;

void Say(korbi::panes::ConversationWindow& window, int slot, int n) {
    static const char* const kWords[] = {
        "has anyone tried the new build on a slow link?",
        "yes, scrolling back through a day of talk is quick now",
        "the docs are at https://www.korbi.example/docs, see the FAQ",
        "\x02ping\x02 me when the release is out",
        "logs with time stamps make the morning easier to read",
        "join #korbi-dev for the patches",
    };
    const std::string nick = n % 3 == 0 ? "ann" : n % 3 == 1 ? "bob" : "cid";
    window.PrintCoul(slot, "", Rgb{0, 0, 0}, "<" + nick + "> " + kWords[n % 6]);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString out = argc > 1 ? argv[1] : "pane-reading.png";
    QTemporaryDir dir;
    korbi::core::Settings settings;
    settings.Extras.SetFlag(korbi::core::kTimeStamps, true);
    korbi::core::FrameFlags flags;
    flags.IsActive = true;
    korbi::platform::ProgramFolder folder(dir.path().toStdString());
    korbi::panes::ConversationWindow window(settings, flags, folder);
    window.resize(760, 430);
    window.show();
    const int slot = window.OpenChanWin("#korbi", false);
    window.SetNickListItems(slot, {"@ann", "bob", "cid", "me"});
    window.SetTopicBar(slot, "#korbi   reading the panes");
    const korbi::core::LineLook join = korbi::core::Look(korbi::core::LineStyle::Join);
    window.PrintCoul(slot, std::string(join.picture), join.colour, "*** me has joined #korbi");
    for (int n = 0; n < 40; ++n) {
        window.SetServerTime(1765000000000LL + n * 60000LL);
        if (n == 26) {
            window.PrintHighlighted(slot, "", Rgb{0, 0, 0}, "<ann> me: can you look at this?");
        } else {
            Say(window, slot, n);
        }
    }
    auto& view = *window.findChild<korbi::panes::TextView*>(QString("Pane%1TextViewWin").arg(slot));
    // Find "scroll" and go to the place before the newest, then back to where it is in sight
    // with the highlight; lines arrive meanwhile; a row and a half is selected.
    view.OpenFind();
    view.findChild<QLineEdit*>("FindText")->setText("scroll");
    QKeyEvent previous(QEvent::KeyPress, Qt::Key_Return, Qt::ShiftModifier);
    QApplication::sendEvent(view.findChild<QLineEdit*>("FindText"), &previous);
    view.ScrollToLine(32);
    for (int n = 40; n < 47; ++n) {
        window.SetServerTime(1765000000000LL + n * 60000LL);
        Say(window, slot, n);
    }
    const auto mouse = [&view](QEvent::Type type, QPointF at, Qt::MouseButtons buttons) {
        at += view.contentsRect().topLeft();
        QMouseEvent event(type, at, view.mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(&view, &event);
    };
    mouse(QEvent::MouseButtonPress, {70, 30}, Qt::LeftButton);
    mouse(QEvent::MouseMove, {300, 50}, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, {300, 50}, Qt::NoButton);
    // The marker and the find bar's layout are brought up to date by the event loop.
    QEventLoop settle;
    QTimer::singleShot(200, &settle, &QEventLoop::quit);
    settle.exec();
    const QPixmap shot = window.grab();
    if (!shot.save(out)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(out));
        return 1;
    }
    std::printf("%s: %dx%d\n", qPrintable(out), shot.width(), shot.height());
    return 0;
}
