#pragma once
// A client host for the media, notify and popup tests: it records every effect as one readable
// line, in order, and keeps just enough pane state (names, visible slot, selected nicks).
#include "commands/interpreter.h"
#include "commands/nick_picture_table.h"
#include "platform/text_values.h"
#include "session/client_host.h"

#include <array>
#include <string>
#include <utility>
#include <vector>

namespace {

class MediaFakeHost : public korbi::session::ClientHost {
  public:
    korbi::prefs::Settings prefs;
    korbi::prefs::FrameFlags frameFlags;
    korbi::commands::NickPictTable picts;
    std::array<std::string, 16> names{"irc.example.net", "#c", "#d", "bob"};
    std::array<std::vector<std::string>, 16> selected{};
    int nextChan = 4;
    int visible = 1;
    int socketState = 7;
    // When set, commands given to the host run through it, as the server window does.
    korbi::commands::CommandInterpreter* interpreter = nullptr;
    std::vector<std::string> log;

    MediaFakeHost() { prefs.NickName = "me"; }

    std::vector<std::string> TakeLog() { return std::exchange(log, {}); }

    korbi::prefs::Settings& settings() override { return prefs; }
    korbi::prefs::FrameFlags& flags() override { return frameFlags; }
    korbi::commands::NickPictTable& nickPicts() override { return picts; }

    void PrintCoul(int slot, const std::string& picture, int red, int green, int blue,
                   const std::string& text) override {
        log.push_back("print " + std::to_string(slot) + " [" + picture + "] (" +
                      std::to_string(red) + "," + std::to_string(green) + "," +
                      std::to_string(blue) + ") " + text);
    }
    int FindChanWin(const std::string& name) const override {
        for (int slot = 1; slot < nextChan; ++slot) {
            if (korbi::platform::EqualsNoCase(names[At(slot)], name)) {
                return slot;
            }
        }
        return 0;
    }
    std::string WinName(int slot) const override { return names[At(slot)]; }
    int NextChan() const override { return nextChan; }
    int CurVisible() const override { return visible; }
    void MakeVisible(int slot) override { visible = slot; }
    int OpenChanWin(const std::string& name, bool isPrivate) override {
        const int slot = nextChan++;
        names[At(slot)] = name;
        visible = slot;
        log.push_back("open " + name + (isPrivate ? " private" : " channel"));
        return slot;
    }
    void CloseConversation(int slot) override { log.push_back("close " + std::to_string(slot)); }
    void PartAllChan() override {}
    void ClearTextWin(int) override {}
    void SetWinName(int slot, const std::string& name) override { names[At(slot)] = name; }
    std::string TopicBar(int slot) const override { return slot == 0 ? names[0] : ""; }
    void SetTopicBar(int, const std::string&) override {}
    std::vector<std::string> NickListItems(int) const override { return {}; }
    void SetNickListItems(int, const std::vector<std::string>&) override {}
    std::vector<std::string> SelectedNicks(int slot) const override { return selected[At(slot)]; }

    bool LogOpen(int) const override { return false; }
    void OpenLog(int) override {}
    void CloseLog(int) override {}
    void ClearChanList() override {}
    void AddChanListEntry(const std::string&) override {}

    int SocketState() const override { return socketState; }
    void Send2Serv(const std::string& line) override { log.push_back("send " + line); }
    void SendRaw(const std::string& bytes) override { log.push_back("raw " + bytes); }
    void ConnectToServer(const std::string&, const std::string&) override {}
    std::string LocalIP() const override { return "192.0.2.7"; }
    std::string LocalHostName() const override { return "desk"; }

    void SendCommand2Serv(const std::string& line) override {
        log.push_back("command " + line);
        if (interpreter != nullptr) {
            interpreter->SendCommand2Serv(line);
        }
    }
    void RunCommandLine(const std::string& line) override { log.push_back("commandline " + line); }

    void PlaySound(const std::string& file) override { log.push_back("sound " + file); }
    void PlayTextFile(const std::string& file, int slot) override {
        log.push_back("playtext " + file + " in " + std::to_string(slot));
    }
    bool CheckFileExist(const std::string&) const override { return false; }
    bool IsFetching() const override { return false; }
    void FetchFile(const std::string&, const std::string&) override {}
    void RefreshPict(const std::string& picture) override { log.push_back("refresh " + picture); }

  private:
    static std::size_t At(int slot) { return static_cast<std::size_t>(slot); }
};

} // namespace
