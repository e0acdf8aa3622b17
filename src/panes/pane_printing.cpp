// Printing into the panes: wrapping, the line stores, the pane logs and the picture log, and
// the marks that tell the user where new text arrived.
#include "panes/conversation_window.h"

#include "commands/variables.h"
#include "core/reading_settings.h"
#include "irc/formatting_codes.h"
#include "irc/word_wrap.h"
#include "panes/picture_names.h"
#include "panes/text_view.h"
#include "panes/time_stamp.h"
#include "platform/text_encoding.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace korbi::panes {

namespace {

// The text of a line with a picture starts this far right, so it has that much less room.
constexpr int kPictIndent = 25;

std::string Now() {
    const commands::DateTime now = commands::CurrentDateTime();
    return commands::TimeText(now) + " " + commands::DateText(now);
}

std::int64_t MillisecondsNow() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

} // namespace

void ConversationWindow::PrintCoul(int slot, const std::string& pict, irc::Rgb colour,
                                   const std::string& text) {
    PrintLine(slot, pict, colour, text, false);
}

void ConversationWindow::PrintHighlighted(int slot, const std::string& pict, irc::Rgb colour,
                                          const std::string& text) {
    PrintLine(slot, pict, colour, text, true);
}

void ConversationWindow::PrintLine(int slot, const std::string& pict, irc::Rgb colour,
                                   const std::string& text, bool highlight) {
    if (!ValidSlot(slot)) {
        return;
    }
    if (m_metrics.UseFont(m_settings.Font2Use)) {
        RepaintViews();
    }
    Pane& pane = PaneAt(slot);
    LineRecord record{colour, NormalisePictName(pict), text,
                      m_serverTime.value_or(MillisecondsNow()), highlight};
    // The logs keep the rows as the view's width wrapped them when the line came: the view
    // itself wraps only what it shows, when it draws.
    if (LogWanted(slot) || m_pictLog != nullptr) {
        LogRows(slot, record);
    }
    const int keep = m_settings.Extras.Number(core::kScrollbackLines, core::kScrollbackDefault, 0,
                                              core::kScrollbackMax);
    pane.Lines.Add(std::move(record), std::max(keep, pane.TextViewWin->ViewRows()));
    pane.TextViewWin->ScheduleRepaint();
    if (!m_flags.IsActive) {
        emit StartSparkTimer();
    }
    if (slot != m_curVisible) {
        MarkUnread(slot, highlight);
    }
}

// Each wrapped row is handled completely here, with no events let through in between: a
// socket event run in the middle would print its lines into the middle of this text.
void ConversationWindow::LogRows(int slot, const LineRecord& record) {
    Pane& pane = PaneAt(slot);
    const double room = pane.TextViewWin->InnerWidth() - (record.pict.empty() ? 0 : kPictIndent);
    ViewLineMeasure measure(m_metrics, IsUtf8Text(record.text));
    const bool wanted = LogWanted(slot);
    const std::string stamp = wanted && m_settings.Extras.Flag(core::kLogTimeStamps, false)
                                  ? TimeStampText(record.time)
                                  : std::string();
    for (const std::string& line : irc::WrapText(record.text, room, measure)) {
        if (wanted) {
            pane.Log.WriteLine(stamp + irc::StripCodes(line));
        }
        if (m_pictLog != nullptr) {
            m_pictLog->WriteLine(record.pict);
        }
    }
    if (wanted) {
        pane.Log.Flush();
    }
}

void ConversationWindow::ClearTextWin(int slot) {
    if (!ValidSlot(slot)) {
        return;
    }
    PaneAt(slot).Lines.Clear();
    PaneAt(slot).TextViewWin->Reset();
}

int ConversationWindow::LineCount(int slot) const {
    return ValidSlot(slot) ? PaneAt(slot).Lines.LineCount() : 0;
}

const LineStore& ConversationWindow::Lines(int slot) const {
    return PaneAt(slot).Lines;
}

QString ConversationWindow::PaneText(int slot) const {
    QStringList lines;
    if (ValidSlot(slot)) {
        const LineStore& store = PaneAt(slot).Lines;
        for (int k = 0; k < store.LineCount(); ++k) {
            lines << platform::BytesToScreen(store.Line(k).text);
        }
    }
    return lines.join('\n');
}

void ConversationWindow::ReloadPicture(const std::string& name) {
    m_pictures.Refresh(name);
    RepaintViews();
}

void ConversationWindow::RepaintViews() {
    for (Pane& pane : m_panes) {
        pane.TextViewWin->Rewrap();
    }
}

bool ConversationWindow::LogOpen(int slot) const {
    return ValidSlot(slot) && PaneAt(slot).LogOpen;
}

void ConversationWindow::OpenLog(int slot) {
    if (ValidSlot(slot)) {
        OpenLog(slot, PaneAt(slot).WinName);
    }
}

void ConversationWindow::OpenLog(int slot, const std::string& logName) {
    if (!ValidSlot(slot) || PaneAt(slot).LogOpen) {
        return;
    }
    Pane& pane = PaneAt(slot);
    m_folder.MakeDirIfNotExist("LOGS");
    // The name comes from the network: SafeFileName keeps the file inside LOGS.
    const std::string file = "LOGS\\" + platform::SafeFileName(logName) + ".LOG";
    if (!pane.Log.Open(m_folder.Resolve(file), platform::LineFile::Mode::Append)) {
        // Said once: a folder that cannot be written stays so, and every pane would say it.
        const std::string reason = std::strerror(errno);
        if (!m_logFailureShown) {
            m_logFailureShown = true;
            Print(0, core::LineStyle::ClientWarning,
                  "Unable to open the log file " + file + " (" + reason + ")");
        }
        return;
    }
    pane.Log.WriteLine("Log File opened at " + Now());
    pane.Log.Flush();
    pane.LogOpen = true;
}

void ConversationWindow::CloseLog(int slot) {
    if (ValidSlot(slot)) {
        CloseLogLines(slot, false);
    }
}

void ConversationWindow::CloseLogLines(int slot, bool blankLine) {
    Pane& pane = PaneAt(slot);
    if (!pane.LogOpen) {
        return;
    }
    pane.Log.WriteLine("Log File Closed at " + Now());
    pane.Log.WriteLine("--");
    if (blankLine) {
        pane.Log.WriteLine(" ");
    }
    pane.Log.Close();
    pane.LogOpen = false;
}

ViewLook ConversationWindow::ReadLook() const {
    ViewLook look;
    look.timeStamps = m_settings.Extras.Flag(core::kTimeStamps, false);
    const std::string colour = m_settings.Extras.Value(core::kHighlightColour)
                                   .value_or(std::string(core::kHighlightColourDefault));
    int red = 0;
    int green = 0;
    int blue = 0;
    char tail = 0;
    if (std::sscanf(colour.c_str(), "%d,%d,%d%c", &red, &green, &blue, &tail) == 3) {
        const auto part = [](int value) {
            return static_cast<std::uint8_t>(std::clamp(value, 0, 255));
        };
        look.highlight = {part(red), part(green), part(blue)};
    }
    return look;
}

bool ConversationWindow::LogWanted(int slot) const {
    const Pane& pane = PaneAt(slot);
    if (!pane.LogOpen) {
        return false;
    }
    if (slot == 0) {
        return m_settings.LogServer;
    }
    const bool channel = !pane.WinName.empty() && pane.WinName.front() == '#';
    return channel ? m_settings.LogChan : m_settings.LogPrivChat;
}

} // namespace korbi::panes
