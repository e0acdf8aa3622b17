#pragma once
// A client host that records every effect as one readable line, in order ("send JOIN #c",
// "open bob private in 3", "print 0 [PICTS\\X] (0,0,0) text"), with just enough pane state
// (names, topics, nick lists, selections, visible slot, open logs) for the interpreter, the
// input line, popups, playback and the notify watch to work on. Tests where the order of
// effects matters use it; the handler tests use FakeClientHost, which keeps them apart.
#include "commands/interpreter.h"
#include "commands/nick_picture_table.h"
#include "core/client_host.h"
#include "platform/text_values.h"
#include "session/notify_watch.h"

#include <array>
#include <string>
#include <utility>
#include <vector>

namespace korbi::testing {

using Log = std::vector<std::string>;

class LoggingFakeHost : public core::ClientHost {
  public:
    core::Settings prefs;
    core::FrameFlags frameFlags;
    commands::NickPictTable picts;
    std::array<std::string, 16> names{"irc.example.net", "#c", "bob"};
    std::array<std::string, 16> topics{"irc.example.net", "Welcome to #c"};
    std::array<std::vector<std::string>, 16> nickLists{};
    std::array<std::vector<std::string>, 16> selected{};
    std::array<bool, 16> logs{};
    int nextChan = 3;
    int visible = 1;
    int socketState = 7;
    // When set, commands given to the host run through it, as the server window does.
    commands::CommandInterpreter* interpreter = nullptr;
    Log log;

    LoggingFakeHost() {
        prefs.NickName = "me";
        prefs.PhotoPict = "myface";
    }

    Log TakeLog() { return std::exchange(log, {}); }

    core::Settings& settings() override { return prefs; }
    core::FrameFlags& flags() override { return frameFlags; }
    commands::NickPictTable& nickPicts() override { return picts; }

    void PrintCoul(int slot, const std::string& picture, int red, int green, int blue,
                   const std::string& text) override {
        log.push_back("print " + std::to_string(slot) + " [" + picture + "] (" +
                      std::to_string(red) + "," + std::to_string(green) + "," +
                      std::to_string(blue) + ") " + text);
    }
    int FindChanWin(const std::string& name) const override {
        for (int slot = 1; slot < nextChan; ++slot) {
            if (platform::EqualsNoCase(names[Index(slot)], name)) {
                return slot;
            }
        }
        return 0;
    }
    std::string WinName(int slot) const override { return names[Index(slot)]; }
    int NextChan() const override { return nextChan; }
    int CurVisible() const override { return visible; }
    void MakeVisible(int slot) override {
        visible = slot;
        log.push_back("visible " + std::to_string(slot));
    }
    int OpenChanWin(const std::string& name, bool isPrivate) override {
        if (nextChan >= (isPrivate ? MaxWins + 1 : MaxWins)) {
            log.push_back("nomorechan " + name);
            return 0;
        }
        const int slot = nextChan++;
        names[Index(slot)] = name;
        visible = slot;
        log.push_back("open " + name + (isPrivate ? " private" : " channel") + " in " +
                      std::to_string(slot));
        return slot;
    }
    void CloseConversation(int slot) override { log.push_back("close " + std::to_string(slot)); }
    void PartAllChan() override { log.push_back("partall"); }
    void ClearTextWin(int slot) override { log.push_back("clear " + std::to_string(slot)); }
    void SetWinName(int slot, const std::string& name) override { names[Index(slot)] = name; }
    std::string TopicBar(int slot) const override { return topics[Index(slot)]; }
    void SetTopicBar(int slot, const std::string& caption) override {
        topics[Index(slot)] = caption;
    }
    std::vector<std::string> NickListItems(int slot) const override {
        return nickLists[Index(slot)];
    }
    void SetNickListItems(int slot, const std::vector<std::string>& items) override {
        nickLists[Index(slot)] = items;
    }
    std::vector<std::string> SelectedNicks(int slot) const override {
        return selected[Index(slot)];
    }

    bool LogOpen(int slot) const override { return logs[Index(slot)]; }
    void OpenLog(int slot) override {
        logs[Index(slot)] = true;
        log.push_back("log " + std::to_string(slot));
    }
    void CloseLog(int slot) override { logs[Index(slot)] = false; }

    void ClearChanList() override {}
    void AddChanListEntry(const irc::ChanListRow&) override {}

    int SocketState() const override { return socketState; }
    void Send2Serv(const std::string& line) override { log.push_back("send " + line); }
    void SendRaw(const std::string& bytes) override { log.push_back("raw " + bytes); }
    void SendNotifyQuery() override {
        for (const std::string& line : session::NotifyQueryLines(*this)) {
            Send2Serv(line);
        }
    }
    void ConnectToServer(const std::string& server, const std::string& port) override {
        log.push_back("connect " + server + "|" + port);
    }
    std::string LocalIP() const override { return "192.0.2.7"; }
    std::string LocalHostName() const override { return "desk"; }

    void SendCommand2Serv(const std::string& line) override {
        log.push_back("command " + line);
        if (interpreter != nullptr) {
            interpreter->SendCommand2Serv(line);
        }
    }
    void RunCommandLine(const std::string& line) override {
        log.push_back("commandline " + line);
        if (interpreter != nullptr) {
            interpreter->RunCommandLine(line);
        }
    }

    void PlaySound(const std::string& file) override { log.push_back("sound " + file); }
    void PlayTextFile(const std::string& file, int slot) override {
        log.push_back("playtext " + file + " in " + std::to_string(slot));
    }
    bool CheckFileExist(const std::string&) const override { return false; }
    bool IsFetching() const override { return false; }
    void FetchFile(const std::string& host, const std::string& path) override {
        log.push_back("fetch " + host + " " + path);
    }
    void RefreshPict(const std::string& picture) override { log.push_back("refresh " + picture); }

  private:
    static std::size_t Index(int slot) { return static_cast<std::size_t>(slot); }
};

} // namespace korbi::testing
