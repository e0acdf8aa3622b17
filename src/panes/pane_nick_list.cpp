// The nick list of each pane: its entries in the list widget, shown by rank then name, their
// order of arrival (the positions the roles speak of), and the index that finds them by nick
// without walking the list. The server pane's list holds the channels of a LIST reply (there
// may be a hundred thousand) in the server's order, which no event looks up: it goes without
// an index.
#include "panes/conversation_window.h"

#include "irc/masks.h"
#include "irc/ranks.h"
#include "platform/text_encoding.h"
#include "platform/text_values.h"

#include <QListWidget>

namespace korbi::panes {

namespace {

QByteArray Bytes(const std::string& text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

// A member of a channel sorts by its highest rank, then by its nick in any letter case. The
// key is kept in the item: a join into a big channel compares it a dozen times or more.
// Member lists hold nothing but these items.
class MemberItem : public QListWidgetItem {
  public:
    void Show(const std::string& entry, const std::string& marks) {
        setText(platform::BytesToScreen(irc::HighestRankEntry(entry, marks)));
        m_key = static_cast<char>(irc::RankOrder(entry, marks)) +
                platform::UpperAscii(irc::WithoutRanks(entry, marks));
    }
    bool operator<(const QListWidgetItem& other) const override {
        return m_key < static_cast<const MemberItem&>(other).m_key;
    }

  private:
    std::string m_key;
};

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
    for (const QListWidgetItem* item : PaneAt(slot).Entries) {
        items.push_back(EntryBytes(*item));
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
    pane.Entries.clear();
    pane.Nicks.Clear();
}

void ConversationWindow::AddNickListItem(int slot, const std::string& entry) {
    if (!ValidSlot(slot)) {
        return;
    }
    Pane& pane = PaneAt(slot);
    // Filled before it joins the list: an item of a list that changes looks for its own row,
    // through the whole list when it has none yet.
    QListWidgetItem* item = nullptr;
    if (slot > 0) {
        auto* member = new MemberItem;
        member->Show(entry, RankMarks());
        item = member;
        pane.Nicks.Append(entry);
    } else {
        item = new QListWidgetItem(platform::BytesToScreen(entry));
    }
    item->setData(Qt::UserRole, Bytes(entry));
    pane.NickList->addItem(item);
    pane.Entries.append(item);
}

void ConversationWindow::RemoveNickListItem(int slot, int index) {
    if (!ValidSlot(slot)) {
        return;
    }
    Pane& pane = PaneAt(slot);
    if (index < 0 || index >= pane.Entries.size()) {
        return;
    }
    // The item leaves the widget as it is deleted.
    delete pane.Entries.takeAt(index);
    if (slot > 0) {
        pane.Nicks.RemoveAt(static_cast<std::size_t>(index));
    }
}

void ConversationWindow::SetRankMarks(const std::string& marks) {
    NickLists::SetRankMarks(marks);
    for (int slot = 1; slot < kPaneCount; ++slot) {
        Pane& pane = PaneAt(slot);
        pane.Nicks.SetRankMarks(marks);
        for (QListWidgetItem* item : pane.Entries) {
            static_cast<MemberItem*>(item)->Show(EntryBytes(*item), marks);
        }
        pane.NickList->sortItems();
    }
}

int ConversationWindow::FindNick(int slot, const std::string& nick) const {
    if (slot == 0) {
        return irc::FindNick(NickListItems(0), nick, RankMarks());
    }
    return ValidSlot(slot) ? PaneAt(slot).Nicks.Find(nick) : -1;
}

std::string ConversationWindow::NickListEntry(int slot, int index) const {
    if (!ValidSlot(slot) || index < 0 || index >= PaneAt(slot).Entries.size()) {
        return {};
    }
    return EntryBytes(*PaneAt(slot).Entries.at(index));
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
