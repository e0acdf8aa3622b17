#pragma once
// Recording fakes of the roles that are not panes: each keeps what it was asked to do, in the
// order asked, and the state a test sets.
#include "commands/interpreter.h"
#include "core/alerts.h"
#include "core/channel_listing.h"
#include "core/command_runner.h"
#include "core/media.h"
#include "core/server_link.h"
#include "core/settings_access.h"
#include "support/fake_panes.h"

#include <set>
#include <string>
#include <vector>

namespace korbi::testing {

class FakeSettings : public core::SettingsAccess {
  public:
    core::Settings settingsValue;
    core::FrameFlags flagsValue;
    core::NickPictTable picts;

    core::Settings& settings() override { return settingsValue; }
    core::FrameFlags& flags() override { return flagsValue; }
    core::NickPictTable& nickPicts() override { return picts; }
};

class FakeServerLink : public core::ServerLink, public EventNotes {
  public:
    std::vector<std::string> sent; // Send2Serv lines, without framing
    int notifyQueries = 0;
    int socketState = 7;
    std::string localIp = "127.0.0.1";
    std::string localHostName = "localhost";

    int SocketState() const override { return socketState; }
    // Like the real connection: lost silently while disconnected.
    void Send2Serv(const std::string& line) override {
        if (socketState == 7) {
            sent.push_back(line);
            Note("send " + line);
        }
    }
    void SendRaw(const std::string& bytes) override { Note("raw " + bytes); }
    void ConnectToServer(const std::string& server, const std::string& port) override {
        Note("connect " + server + "|" + port);
    }
    void SendNotifyQuery() override { ++notifyQueries; }
    std::string LocalIP() const override { return localIp; }
    std::string LocalHostName() const override { return localHostName; }
};

class FakeCommandRunner : public core::CommandRunner, public EventNotes {
  public:
    std::vector<std::string> commands; // SendCommand2Serv lines
    std::vector<std::string> runLines; // RunCommandLine lines
    // When set, the commands run through it, as the server window does.
    commands::CommandInterpreter* interpreter = nullptr;

    void SendCommand2Serv(const std::string& line) override {
        commands.push_back(line);
        Note("command " + line);
        if (interpreter != nullptr) {
            interpreter->SendCommand2Serv(line);
        }
    }
    void RunCommandLine(const std::string& line) override {
        runLines.push_back(line);
        Note("commandline " + line);
        if (interpreter != nullptr) {
            interpreter->RunCommandLine(line);
        }
    }
};

class FakeMedia : public core::Media, public EventNotes {
  public:
    std::vector<std::string> sounds;    // PlaySound files
    std::vector<std::string> fetches;   // "host path" of FetchFile
    std::vector<std::string> refreshed; // RefreshPict pictures
    std::set<std::string> files;        // what CheckFileExist finds
    bool fetching = false;

    void PlaySound(const std::string& file) override {
        sounds.push_back(file);
        Note("sound " + file);
    }
    void PlayTextFile(const std::string& file, int slot) override {
        Note("playtext " + file + " in " + std::to_string(slot));
    }
    bool CheckFileExist(const std::string& path) const override { return files.contains(path); }
    bool IsFetching() const override { return fetching; }
    void FetchFile(const std::string& host, const std::string& path) override {
        fetches.push_back(host + " " + path);
        Note("fetch " + host + " " + path);
    }
    void RefreshPict(const std::string& picture) override {
        refreshed.push_back(picture);
        Note("refresh " + picture);
    }
};

// The desktop notifications asked for, as "pane|summary|body".
class FakeNotifier : public core::Notifier {
  public:
    std::vector<std::string> notifications;

    void Notify(const std::string& pane, const std::string& summary,
                const std::string& body) override {
        notifications.push_back(pane + "|" + summary + "|" + body);
    }
};

class FakeChannelListing : public core::ChannelListing {
  public:
    std::vector<std::string> chanList;      // rows of the channel list window
    std::vector<std::string> chanListNames; // the channel of each row

    void ClearChanList() override {
        chanList.clear();
        chanListNames.clear();
    }
    void AddChanListEntry(const irc::ChanListRow& row) override {
        chanList.push_back(row.text);
        chanListNames.push_back(row.chan);
    }
};

} // namespace korbi::testing
