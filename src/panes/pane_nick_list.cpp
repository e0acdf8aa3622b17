// The nick list of each pane: its entries in the list widget, and the index that finds them by
// nick without walking the list. The server pane's list holds the channels of a LIST reply
// (there may be a hundred thousand) that no event looks up: it goes without an index.
#include "panes/conversation_window.h"

#include "irc/masks.h"
#include "irc/ranks.h"
#include "platform/text_encoding.h"

#include <QListWidget>

namespace korbi::panes {

namespace {

QByteArray Bytes(const std::string& text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

// The bytes an entry stands for: kept beside its screen text, so that a nick that is not
// valid UTF-8 comes back unchanged.
std::string EntryBytes(const QListWidgetItem& item) {
    const QVariant bytes = item.data(Qt::UserRole);
    if (bytes.isValid()) {
        return bytes.toByteArray().toStdString();
    }
    return platform::ScreenToBytes(item.text());
}

} // namespace

std::vector<std::string> ConversationWindow::NickListItems(int slot) const {
    std::vector<std::string> items;
    if (!ValidSlot(slot)) {
        return items;
    }
    const QListWidget& list = *PaneAt(slot).NickList;
    for (int row = 0; row < list.count(); ++row) {
        items.push_back(EntryBytes(*list.item(row)));
    }
    return items;
}

void ConversationWindow::SetNickListItems(int slot, const std::vector<std::string>& items) {
    if (!ValidSlot(slot)) {
        return;
    }
    ClearNickList(slot);
    for (const std::string& entry : items) {
        AddNickListItem(slot, entry);
    }
}

void ConversationWindow::ClearNickList(int slot) {
    Pane& pane = PaneAt(slot);
    pane.NickList->clear();
    pane.Nicks.Clear();
}

void ConversationWindow::AddNickListItem(int slot, const std::string& entry) {
    if (!ValidSlot(slot)) {
        return;
    }
    Pane& pane = PaneAt(slot);
    // Filled before it joins the list: an item of a list that changes looks for its own row,
    // through the whole list when it has none yet.
    auto* item = new QListWidgetItem(
        platform::BytesToScreen(slot > 0 ? irc::HighestRankEntry(entry, RankMarks()) : entry));
    item->setData(Qt::UserRole, Bytes(entry));
    pane.NickList->addItem(item);
    if (slot > 0) {
        pane.Nicks.Append(entry);
    }
}

void ConversationWindow::RemoveNickListItem(int slot, int index) {
    if (!ValidSlot(slot)) {
        return;
    }
    Pane& pane = PaneAt(slot);
    // takeItem gives nothing for an index outside the list.
    QListWidgetItem* item = pane.NickList->takeItem(index);
    if (item != nullptr) {
        if (slot > 0) {
            pane.Nicks.RemoveAt(static_cast<std::size_t>(index));
        }
        delete item;
    }
}

void ConversationWindow::SetRankMarks(const std::string& marks) {
    NickLists::SetRankMarks(marks);
    for (int slot = 1; slot < kPaneCount; ++slot) {
        Pane& pane = PaneAt(slot);
        pane.Nicks.SetRankMarks(marks);
        for (int row = 0; row < pane.NickList->count(); ++row) {
            QListWidgetItem& item = *pane.NickList->item(row);
            item.setText(platform::BytesToScreen(irc::HighestRankEntry(EntryBytes(item), marks)));
        }
    }
}

int ConversationWindow::FindNick(int slot, const std::string& nick) const {
    if (slot == 0) {
        return irc::FindNick(NickListItems(0), nick, RankMarks());
    }
    return ValidSlot(slot) ? PaneAt(slot).Nicks.Find(nick) : -1;
}

std::string ConversationWindow::NickListEntry(int slot, int index) const {
    const QListWidgetItem* item = ValidSlot(slot) ? PaneAt(slot).NickList->item(index) : nullptr;
    return item != nullptr ? EntryBytes(*item) : std::string();
}

std::vector<std::string> ConversationWindow::SelectedNicks(int slot) const {
    std::vector<std::string> selected;
    if (!ValidSlot(slot)) {
        return selected;
    }
    const QListWidget& list = *PaneAt(slot).NickList;
    for (int row = 0; row < list.count(); ++row) {
        if (list.item(row)->isSelected()) {
            selected.push_back(EntryBytes(*list.item(row)));
        }
    }
    return selected;
}

} // namespace korbi::panes
