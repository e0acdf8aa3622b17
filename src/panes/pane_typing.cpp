// What the panes add to typing: the nicks Tab completes to, and the question and pace of a
// paste of several lines. A conversation's typing state moves with it when the panes above a
// closed one move down.
#include "panes/conversation_window.h"

#include "panes/input_line.h"
#include "platform/text_encoding.h"
#include "ui/frame_title.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <chrono>

namespace korbi::panes {

namespace {

constexpr const char* kPasteQuestionName = "PasteQuestion";

bool IsPrivatePane(const std::string& name) {
    return !name.empty() && name.front() != '#';
}

} // namespace

void ConversationWindow::NickSpoke(int slot, const std::string& nick) {
    if (slot > 0 && ValidSlot(slot)) {
        PaneAt(slot).Speakers.Spoke(nick);
    }
}

std::optional<CompletionSource> ConversationWindow::CompletionFor(int slot) const {
    if (slot <= 0 || !ValidSlot(slot) || !m_settings.Extras.Flag(kNickCompletionSetting, true)) {
        return std::nullopt;
    }
    const Pane& pane = PaneAt(slot);
    CompletionSource source{NickListItems(slot), pane.Speakers.Order(), m_settings.NickName,
                            RankMarks()};
    if (IsPrivatePane(pane.WinName)) {
        source.entries.push_back(pane.WinName);
    }
    return source;
}

// The question is window-modal but does not wait: the server's lines go on arriving, and a
// pane closed meanwhile takes its question with it.
void ConversationWindow::AskPaste(int slot, const std::vector<std::string>& lines) {
    Pane& pane = PaneAt(slot);
    if (pane.PasteQuestion) {
        return;
    }
    const std::string target = slot == 0 ? "the server" : pane.WinName;
    auto* box = new QMessageBox(
        QMessageBox::Question, ui::kFrameTitle,
        QString("Send %1 lines to %2?").arg(lines.size()).arg(platform::BytesToScreen(target)),
        QMessageBox::NoButton, this);
    box->setObjectName(kPasteQuestionName);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    QPushButton* send = box->addButton("Send", QMessageBox::AcceptRole);
    QPushButton* oneLine = box->addButton("Send as one line", QMessageBox::AcceptRole);
    box->setEscapeButton(box->addButton(QMessageBox::Cancel));
    box->setDefaultButton(send);
    connect(box, &QMessageBox::finished, this, [this, box, send, oneLine, lines] {
        const auto owner = std::find_if(m_panes.begin(), m_panes.end(),
                                        [box](const Pane& p) { return p.PasteQuestion == box; });
        if (owner == m_panes.end()) {
            return;
        }
        owner->PasteQuestion = nullptr;
        const int at = static_cast<int>(owner - m_panes.begin());
        if (box->clickedButton() == send) {
            SendPastedLines(at, lines);
        } else if (box->clickedButton() == oneLine) {
            emit LineEntered(at, JoinedLines(lines));
        }
    });
    pane.PasteQuestion = box;
    box->open();
}

void ConversationWindow::SendPastedLines(int slot, const std::vector<std::string>& lines) {
    if (!ValidSlot(slot)) {
        return;
    }
    PaneAt(slot).Paste.Add(lines, std::chrono::milliseconds(m_pasteClock.elapsed()));
    PasteTimer_Timer();
}

// Each pane's due line goes out as if typed; a line may close panes and move others down, so
// every step looks at the panes as they are then.
void ConversationWindow::PasteTimer_Timer() {
    for (int slot = 0; slot < kPaneCount; ++slot) {
        const std::optional<std::string> line =
            PaneAt(slot).Paste.Next(std::chrono::milliseconds(m_pasteClock.elapsed()));
        if (line) {
            emit LineEntered(slot, *line);
        }
    }
    SchedulePaste();
}

void ConversationWindow::SchedulePaste() {
    const std::chrono::milliseconds now(m_pasteClock.elapsed());
    std::optional<std::chrono::milliseconds> soonest;
    for (const Pane& pane : m_panes) {
        const auto wait = pane.Paste.Wait(now);
        if (wait && (!soonest || *wait < *soonest)) {
            soonest = wait;
        }
    }
    if (soonest) {
        m_pasteTimer->start(static_cast<int>(soonest->count()));
    } else {
        m_pasteTimer->stop();
    }
}

void ConversationWindow::CancelPaste(int slot) {
    if (!ValidSlot(slot)) {
        return;
    }
    Pane& pane = PaneAt(slot);
    pane.Paste.Cancel();
    if (QMessageBox* box = pane.PasteQuestion) {
        pane.PasteQuestion = nullptr;
        box->reject();
    }
}

int ConversationWindow::PasteLinesWaiting(int slot) const {
    return ValidSlot(slot) ? static_cast<int>(PaneAt(slot).Paste.Waiting()) : 0;
}

void ConversationWindow::ForgetTyping(int slot) {
    Pane& pane = PaneAt(slot);
    pane.Speakers.Clear();
    CancelPaste(slot);
    pane.InputBox->Forget();
}

void ConversationWindow::MoveTypingDown(int from) {
    Pane& source = PaneAt(from);
    Pane& target = PaneAt(from - 1);
    target.Speakers = std::exchange(source.Speakers, {});
    target.Paste = std::exchange(source.Paste, PastePacer());
    target.PasteQuestion = std::exchange(source.PasteQuestion, nullptr);
    target.InputBox->TakeOver(*source.InputBox);
}

} // namespace korbi::panes
