// The registry of the conversation window: which conversation stands in which slot, opening,
// switching and closing panes, and keeping the slots in use contiguous.
#include "panes/conversation_window.h"

#include "panes/input_line.h"
#include "panes/text_view.h"
#include "platform/text_encoding.h"
#include "platform/text_values.h"
#include "ui/error_window.h"
#include "ui/frame_layout.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>

namespace korbi::panes {

namespace {

const QColor kShownLine1(255, 255, 248);
const QColor kShownLine2(224, 224, 218);

bool IsChannelName(const std::string& name) {
    return !name.empty() && name.front() == '#';
}

} // namespace

int ConversationWindow::FindChanWin(const std::string& name) const {
    // Only slots in use are searched (a free slot's "none" or "raw" is no conversation); the
    // highest match wins.
    int found = 0;
    for (int slot = 1; slot < m_nextChan; ++slot) {
        if (platform::EqualsNoCase(PaneAt(slot).WinName, name)) {
            found = slot;
        }
    }
    return found;
}

bool ConversationWindow::IsInputBox(const QObject* widget) const {
    return std::any_of(m_panes.begin(), m_panes.end(),
                       [widget](const Pane& pane) { return pane.InputBox == widget; });
}

std::string ConversationWindow::WinName(int slot) const {
    return ValidSlot(slot) ? PaneAt(slot).WinName : std::string();
}

void ConversationWindow::SetWinName(int slot, const std::string& name) {
    if (slot <= 0 || slot >= m_nextChan) {
        return;
    }
    PaneAt(slot).WinName = name;
    PaneAt(slot).SwitchBut->setText(platform::BytesToScreen(name));
}

void ConversationWindow::MakeVisible(int slot) {
    if (!ValidSlot(slot) || slot == m_curVisible) {
        return;
    }
    m_ancVisible = m_curVisible;
    m_curVisible = slot;

    Pane& shown = PaneAt(slot);
    shown.TextViewWin->show();
    shown.InputBox->setEnabled(true);
    shown.InputBox->show();
    shown.NickList->setEnabled(true);
    shown.NickList->show();
    shown.SwitchBut->show();
    shown.TopicBar->show();
    shown.CloseWinBut->setEnabled(slot > 0);
    shown.CloseWinBut->show();
    shown.Line1->show();
    shown.Line2->show();
    SetLineColours(slot, kShownLine1, kShownLine2);

    Pane& hidden = PaneAt(m_ancVisible);
    hidden.TextViewWin->hide();
    hidden.InputBox->hide();
    hidden.NickList->hide();
    hidden.TopicBar->hide();
    hidden.CloseWinBut->setEnabled(false);
    hidden.CloseWinBut->hide();
    const QColor face = palette().color(QPalette::Button);
    SetLineColours(m_ancVisible, face, face);
    HideOtherTopicBars();

    shown.InputBox->setFocus();
}

// The topic bars share one place: a bar that moved down with its pane while it was shown would
// otherwise stay drawn over the bar of the pane shown next.
void ConversationWindow::HideOtherTopicBars() {
    for (int slot = 0; slot < kPaneCount; ++slot) {
        if (slot != m_curVisible) {
            PaneAt(slot).TopicBar->hide();
        }
    }
}

void ConversationWindow::TileSwitchButs() {
    if (m_nextChan == 1) {
        return;
    }
    const int clientTwips = ui::PixelsToTwips(width());
    const auto share = static_cast<int>(
        platform::RoundHalfEven(static_cast<double>(clientTwips - 2250) / (m_nextChan - 1)));
    const int buttonTwips = std::clamp(share, ui::kTwipsPerPixel, 2200);
    for (int slot = 1; slot < m_nextChan; ++slot) {
        QPushButton& button = *PaneAt(slot).SwitchBut;
        const int left = (slot - 1) * buttonTwips + 1000;
        button.setGeometry(ui::TwipsToPixels(left), button.y(), ui::TwipsToPixels(buttonTwips),
                           button.height());
        PlaceLines(slot);
        button.show();
        PaneAt(slot).Line1->show();
        PaneAt(slot).Line2->show();
    }
}

int ConversationWindow::OpenChanWin(const std::string& name, bool isPrivate) {
    // ">=" rather than "equals": once a private window took slot 15 a join must not open 16.
    const int limit = isPrivate ? MaxWins + 1 : MaxWins;
    if (m_nextChan >= limit) {
        NoMoreChan(name);
        return 0;
    }
    const int slot = m_nextChan;
    Pane& pane = PaneAt(slot);
    pane.WinName = name;
    pane.SwitchBut->setText(platform::BytesToScreen(name));
    pane.SwitchBut->setEnabled(true);
    SetTopicBar(slot, name);
    ClearNickList(slot);
    // A slot freed by PartAllChan still holds the old session's lines.
    pane.Lines.Clear();
    pane.TextViewWin->Reset();
    pane.InputBox->clear();
    MakeVisible(slot);
    ++m_nextChan;
    TileSwitchButs();
    if (IsChannelName(name) ? m_settings.LogChan : m_settings.LogPrivChat) {
        OpenLog(slot);
    }
    return slot;
}

void ConversationWindow::EmptySlot(int slot) {
    Pane& pane = PaneAt(slot);
    CloseLogLines(slot, false);
    pane.WinName = "none";
    pane.SwitchBut->setText("");
    pane.SwitchBut->setEnabled(false);
    SetTopicBar(slot, "");
    HideSlotControls(slot);
    pane.Lines.Clear();
    pane.TextViewWin->Reset();
    ClearNickList(slot);
    ForgetTyping(slot);
}

void ConversationWindow::MoveSlotDown(int from) {
    Pane& source = PaneAt(from);
    Pane& target = PaneAt(from - 1);
    target.WinName = source.WinName;
    target.SwitchBut->setText(source.SwitchBut->text());
    target.SwitchBut->setEnabled(source.SwitchBut->isEnabled());
    target.SwitchBut->setVisible(!source.SwitchBut->isHidden());
    SetLineColours(from - 1, source.Line1Colour, source.Line2Colour);
    SetTopicBar(from - 1, source.TopicText);
    target.TopicBar->setVisible(!source.TopicBar->isHidden());
    SetNickListItems(from - 1, NickListItems(from));
    // The lines move as they are: the views have one size, so printing them again would wrap
    // them the same way, and they were logged when they arrived.
    target.Lines = std::exchange(source.Lines, LineStore{});
    target.TextViewWin->Reset();
    source.TextViewWin->Reset();
    // The log and an unsent line belong to the conversation, not to the slot number.
    target.Log = std::move(source.Log);
    target.LogOpen = std::exchange(source.LogOpen, false);
    MoveTypingDown(from);
}

void ConversationWindow::CloseChanWin(int slot) {
    if (slot <= 0 || slot > MaxWins) {
        return;
    }
    EmptySlot(slot);
    if (slot < m_nextChan - 1) {
        for (int from = slot + 1; from < m_nextChan; ++from) {
            MoveSlotDown(from);
        }
        EmptySlot(m_nextChan - 1);
    }
}

void ConversationWindow::CloseConversation(int slot) {
    // The server pane is never closed, and a free slot has nothing to close.
    if (slot <= 0 || slot >= m_nextChan) {
        return;
    }
    CloseChanWin(slot);
    --m_nextChan;
    TileSwitchButs();
    MakeVisible(slot - 1);
    HideOtherTopicBars();
}

void ConversationWindow::PartAllChan() {
    for (int slot = 1; slot <= MaxWins; ++slot) {
        Pane& pane = PaneAt(slot);
        CloseLogLines(slot, false);
        pane.WinName = "none";
        pane.SwitchBut->setText("");
        pane.SwitchBut->setEnabled(false);
        HideSlotControls(slot);
        ClearNickList(slot);
        pane.Speakers.Clear();
        CancelPaste(slot);
    }
    MakeVisible(0);
    m_nextChan = 1;
}

void ConversationWindow::NoMoreChan(const std::string& name) {
    emit SendRequested("PART " + name);
    m_errorWindow->ShowMessage(
        QString::fromStdString("Sorry, KorBi only supports " + platform::NumberText(MaxWins) +
                               " windows at the same time.\nYou cannot stay on ") +
        platform::BytesToScreen(name) + ".");
}

void ConversationWindow::SwitchBut_Click(int slot) {
    MakeVisible(slot);
    if (ValidSlot(slot)) {
        PaneAt(slot).InputBox->setFocus();
    }
}

void ConversationWindow::CloseWinBut_Click(int slot) {
    if (slot <= 0 || slot >= m_nextChan) {
        return;
    }
    PaneAt(slot).InputBox->setFocus();
    const std::string& name = PaneAt(slot).WinName;
    if (IsChannelName(name)) {
        // The pane closes when the server confirms the part.
        emit SendRequested("PART " + name);
        return;
    }
    CloseLogLines(slot, true);
    CloseConversation(slot);
}

} // namespace korbi::panes
