#pragma once
// What the protocol handlers and the command interpreter need from the windows: the panes,
// the connection, the settings. The server window implements it over the real windows; tests
// implement it with recording fakes. Names are the ones the whole program uses.
#include "core/settings.h"
#include "irc/channel_list_row.h"
#include "irc/masks.h"

#include <string>
#include <vector>

namespace korbi::commands {
class NickPictTable;
}

namespace korbi::core {

class ClientHost {
  public:
    static constexpr int MaxWins = 15;

    virtual ~ClientHost() = default;

    // Settings and run-time flags, owned by the main frame.
    virtual core::Settings& settings() = 0;
    virtual core::FrameFlags& flags() = 0;
    virtual commands::NickPictTable& nickPicts() = 0;

    // Panes.
    virtual void PrintCoul(int slot, const std::string& picture, int red, int green, int blue,
                           const std::string& text) = 0;
    virtual int FindChanWin(const std::string& name) const = 0;
    virtual std::string WinName(int slot) const = 0;
    virtual int NextChan() const = 0;
    virtual int CurVisible() const = 0;
    virtual void MakeVisible(int slot) = 0;
    // The opening sequence of a new window in slot NextChan, with the limit test first: a
    // channel is refused when NextChan equals MaxWins, a private window at MaxWins + 1 (then
    // NoMoreChan runs). Returns the new slot, or 0 when refused.
    virtual int OpenChanWin(const std::string& name, bool isPrivate) = 0;
    // The closing sequence: CloseChanWin(slot), NextChan - 1, TileSwitchButs, then
    // MakeVisible(slot - 1).
    virtual void CloseConversation(int slot) = 0;
    virtual void PartAllChan() = 0;
    virtual void ClearTextWin(int slot) = 0;
    // Renames a pane (a private window follows its nick), switch button caption included.
    virtual void SetWinName(int slot, const std::string& name) = 0;
    virtual std::string TopicBar(int slot) const = 0;
    virtual void SetTopicBar(int slot, const std::string& caption) = 0;
    // The nick list of a pane, in display order.
    virtual std::vector<std::string> NickListItems(int slot) const = 0;
    virtual void SetNickListItems(int slot, const std::vector<std::string>& items) = 0;
    // One-entry changes and the lookup of a member, so that busy channels and long channel
    // listings are not copied whole for every line; a pane with its own list overrides them.
    virtual void AddNickListItem(int slot, const std::string& item) {
        auto items = NickListItems(slot);
        items.push_back(item);
        SetNickListItems(slot, items);
    }
    virtual void RemoveNickListItem(int slot, int index) {
        auto items = NickListItems(slot);
        if (index >= 0 && index < static_cast<int>(items.size())) {
            items.erase(items.begin() + index);
            SetNickListItems(slot, items);
        }
    }
    // Position of nick in the slot's list, "@" and "+" marks and letter case ignored; -1 when
    // absent.
    virtual int FindNick(int slot, const std::string& nick) const {
        return irc::FindNick(NickListItems(slot), nick);
    }
    // The entry at index of the slot's list, "" outside the list.
    virtual std::string NickListEntry(int slot, int index) const {
        const auto items = NickListItems(slot);
        return index >= 0 && index < static_cast<int>(items.size())
                   ? items[static_cast<std::size_t>(index)]
                   : std::string();
    }
    // Selected entries of a pane's nick list.
    virtual std::vector<std::string> SelectedNicks(int slot) const = 0;

    // Log of a pane: "LOGS\" + name + ".LOG", appended; opening and closing lines included.
    virtual bool LogOpen(int slot) const = 0;
    virtual void OpenLog(int slot) = 0;
    virtual void CloseLog(int slot) = 0;

    // Channel list window.
    virtual void ClearChanList() = 0;
    virtual void AddChanListEntry(const irc::ChanListRow& row) = 0;

    // Connection.
    virtual int SocketState() const = 0; // 7 when connected
    virtual void Send2Serv(const std::string& line) = 0;
    // Writes bytes to the server socket as they are (the server pane's raw line).
    virtual void SendRaw(const std::string& bytes) = 0;
    virtual void ConnectToServer(const std::string& server, const std::string& port) = 0;
    // Asks the server which nicks of the notify list are online, as the notify watch does.
    virtual void SendNotifyQuery() = 0;
    virtual std::string LocalIP() const = 0;
    virtual std::string LocalHostName() const = 0;

    // Interpreter (re-entered by aliases, popups, execute-on-connect and playback).
    virtual void SendCommand2Serv(const std::string& line) = 0;
    virtual void RunCommandLine(const std::string& line) = 0;

    // Media and picture exchange.
    virtual void PlaySound(const std::string& file) = 0;
    virtual void PlayTextFile(const std::string& file, int slot) = 0;
    virtual bool CheckFileExist(const std::string& path) const = 0;
    virtual bool IsFetching() const = 0;
    virtual void FetchFile(const std::string& host, const std::string& path) = 0;
    virtual void RefreshPict(const std::string& picture) = 0;
};

} // namespace korbi::core
