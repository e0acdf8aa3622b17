#pragma once
// A client host that records what the handlers do: the lines printed into each pane, the
// lines sent, the commands run, the nick lists, topic bars, logs and the channel list. The
// pane registry follows the real rules in their simplest form (open at NextChan with the
// limit test, close with compaction).
#include "commands/nick_picture_table.h"
#include "core/client_host.h"
#include "session/notify_watch.h"

#include <array>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace korbi::testing {

struct PrintedLine {
    int slot = 0;
    std::string picture;
    int red = 0;
    int green = 0;
    int blue = 0;
    std::string text;

    bool operator==(const PrintedLine&) const = default;
};

// Readable failure messages: control characters are shown as \xNN.
void PrintTo(const PrintedLine& line, std::ostream* out);

class FakeClientHost : public core::ClientHost {
  public:
    static constexpr int kSlots = 16;
    // The time and date the fake's log lines carry.
    static constexpr const char* kLogStamp = "12:34:56 06-15-1998";

    FakeClientHost();

    // Opens panes as the user's own joins and queries would, without recording anything.
    int AddPane(const std::string& name, const std::vector<std::string>& nicks = {});

    // What was recorded.
    std::vector<PrintedLine> printed;
    std::vector<std::string> sent;                            // Send2Serv lines, without framing
    std::vector<std::string> rawSent;                         // SendRaw bytes
    std::vector<std::string> commands;                        // SendCommand2Serv lines
    std::vector<std::string> runLines;                        // RunCommandLine lines
    std::vector<std::string> refused;                         // names NoMoreChan refused
    std::vector<std::string> chanList;                        // rows of the channel list window
    std::vector<std::string> chanListNames;                   // the channel of each row
    std::vector<std::string> sounds;                          // PlaySound files
    std::vector<std::string> fetches;                         // "host path" of FetchFile
    std::vector<std::string> connects;                        // "server port" of ConnectToServer
    std::vector<std::string> playedText;                      // "file slot" of PlayTextFile
    std::vector<int> clearedViews;                            // slots of ClearTextWin
    std::map<std::string, std::vector<std::string>> logFiles; // by log file name
    std::vector<PrintedLine> TakePrinted();
    std::vector<std::string> TakeSent();

    // State the tests set and read.
    core::Settings settingsValue;
    core::FrameFlags flagsValue;
    commands::NickPictTable picts;
    std::array<std::string, kSlots> winName;
    std::array<std::string, kSlots> topicBar;
    std::array<std::vector<std::string>, kSlots> nickLists;
    std::array<std::vector<std::string>, kSlots> selected;
    std::array<std::string, kSlots> logName; // the log file a slot writes, "" when closed
    int nextChan = 1;
    int curVisible = 0;
    int socketState = 7;
    bool fetching = false;
    std::set<std::string> files;

    core::Settings& settings() override { return settingsValue; }
    core::FrameFlags& flags() override { return flagsValue; }
    commands::NickPictTable& nickPicts() override { return picts; }

    void PrintCoul(int slot, const std::string& picture, int red, int green, int blue,
                   const std::string& text) override;
    int FindChanWin(const std::string& name) const override;
    std::string WinName(int slot) const override;
    int NextChan() const override { return nextChan; }
    int CurVisible() const override { return curVisible; }
    void MakeVisible(int slot) override;
    int OpenChanWin(const std::string& name, bool isPrivate) override;
    void CloseConversation(int slot) override;
    void PartAllChan() override;
    void ClearTextWin(int slot) override;
    void SetWinName(int slot, const std::string& name) override;
    std::string TopicBar(int slot) const override;
    void SetTopicBar(int slot, const std::string& caption) override;
    std::vector<std::string> NickListItems(int slot) const override;
    void SetNickListItems(int slot, const std::vector<std::string>& items) override;
    std::vector<std::string> SelectedNicks(int slot) const override;

    bool LogOpen(int slot) const override;
    void OpenLog(int slot) override;
    void CloseLog(int slot) override;

    void ClearChanList() override {
        chanList.clear();
        chanListNames.clear();
    }
    void AddChanListEntry(const irc::ChanListRow& row) override {
        chanList.push_back(row.text);
        chanListNames.push_back(row.chan);
    }

    int SocketState() const override { return socketState; }
    void Send2Serv(const std::string& line) override;
    void SendRaw(const std::string& bytes) override { rawSent.push_back(bytes); }
    void SendNotifyQuery() override {
        for (const std::string& line : session::NotifyQueryLines(*this)) {
            Send2Serv(line);
        }
    }
    void ConnectToServer(const std::string& server, const std::string& port) override;
    std::string LocalIP() const override { return "127.0.0.1"; }
    std::string LocalHostName() const override { return "localhost"; }

    void SendCommand2Serv(const std::string& line) override { commands.push_back(line); }
    void RunCommandLine(const std::string& line) override { runLines.push_back(line); }

    void PlaySound(const std::string& file) override { sounds.push_back(file); }
    void PlayTextFile(const std::string& file, int slot) override;
    bool CheckFileExist(const std::string& path) const override { return files.contains(path); }
    bool IsFetching() const override { return fetching; }
    void FetchFile(const std::string& host, const std::string& path) override;
    void RefreshPict(const std::string&) override {}

  private:
    static bool Valid(int slot) { return slot >= 0 && slot < kSlots; }
    bool InUse(int slot) const { return slot >= 1 && slot < nextChan; }
    void EmptySlot(int slot);
};

} // namespace korbi::testing
