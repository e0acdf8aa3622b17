#pragma once
// The tests' recording host with the rules a real window set keeps checked on every call: a
// slot names one of the 16 panes, text only goes to the server pane or an open pane, files
// asked for by peers stay inside their folders, and every line sent to the server is one line.
// Commands given to the host run through a real interpreter, as in the server window.
#include "commands/interpreter.h"
#include "fuzz_support.h"
#include "platform/program_folder.h"
#include "platform/text_values.h"
#include "support/fake_client.h"

#include <string>
#include <vector>

namespace korbi::fuzz {

// The alias limits of the harnesses: the real depth, far fewer commands and bytes. An input that
// loops through its aliases then costs a few dozen commands instead of a thousand, so the
// fuzzer spends its time on new inputs, while every limit is still reached and checked.
inline constexpr commands::AliasLimits kAliasLimits{16, 40, 4096};

class CheckingHost : public testing::FakeClient {
  public:
    CheckingHost()
        : m_interpreter(
              CommandRoles(), [] { return commands::DateTime{}; }, kAliasLimits) {}

    // Forgets what was recorded, so that long inputs do not pile up records.
    void ForgetRecords() {
        printed.clear();
        sent.clear();
        commands.clear();
        runLines.clear();
        refused.clear();
        chanList.clear();
        sounds.clear();
        fetches.clear();
        logFiles.clear();
    }

    // The pane registry itself: a known number of open panes, the visible one among them, and
    // no two open panes with one name (the second would never get its events).
    void CheckPanes() const {
        Require(nextChan >= 1 && nextChan <= kSlots, "NextChan within 1..16");
        Require(curVisible >= 0 && curVisible < nextChan, "the visible pane is open");
        for (int i = 1; i < nextChan; ++i) {
            for (int j = i + 1; j < nextChan; ++j) {
                Require(!platform::EqualsNoCase(WinName(i), WinName(j)),
                        "two open panes share a name");
            }
        }
    }

    commands::CommandInterpreter& Interpreter() { return m_interpreter; }

    // Whether every line sent must be one protocol line. Only where nothing the client was
    // given held a line break: the user's own commands may send anything ("/RAW", "$CHR(10)").
    bool checkSentLines = false;
    // Whether file names come from peers and must stay inside their folder; the user's own
    // "/SOUND" may name any file.
    bool checkPeerFiles = false;

    void PrintCoul(int slot, const std::string& picture, irc::Rgb colour,
                   const std::string& text) override {
        RequireWritable(slot);
        FakeClient::PrintCoul(slot, picture, colour, text);
    }
    std::string WinName(int slot) const override {
        RequireSlot(slot);
        return FakeClient::WinName(slot);
    }
    void MakeVisible(int slot) override {
        RequireSlot(slot);
        FakeClient::MakeVisible(slot);
    }
    void CloseConversation(int slot) override {
        RequireSlot(slot);
        FakeClient::CloseConversation(slot);
    }
    void ClearTextWin(int slot) override {
        RequireWritable(slot);
        FakeClient::ClearTextWin(slot);
    }
    void SetWinName(int slot, const std::string& name) override {
        RequireWritable(slot);
        FakeClient::SetWinName(slot, name);
    }
    std::string TopicBar(int slot) const override {
        RequireSlot(slot);
        return FakeClient::TopicBar(slot);
    }
    void SetTopicBar(int slot, const std::string& caption) override {
        RequireWritable(slot);
        FakeClient::SetTopicBar(slot, caption);
    }
    std::vector<std::string> NickListItems(int slot) const override {
        RequireSlot(slot);
        return FakeClient::NickListItems(slot);
    }
    void SetNickListItems(int slot, const std::vector<std::string>& items) override {
        RequireWritable(slot);
        FakeClient::SetNickListItems(slot, items);
    }
    void AddNickListItem(int slot, const std::string& item) override {
        RequireWritable(slot);
        FakeClient::AddNickListItem(slot, item);
    }
    void RemoveNickListItem(int slot, int index) override {
        RequireWritable(slot);
        Require(index >= 0 && index < static_cast<int>(nickLists[Index(slot)].size()),
                "a removed nick list entry exists");
        FakeClient::RemoveNickListItem(slot, index);
    }
    int FindNick(int slot, const std::string& nick) const override {
        RequireSlot(slot);
        return FakeClient::FindNick(slot, nick);
    }
    std::vector<std::string> SelectedNicks(int slot) const override {
        RequireSlot(slot);
        return FakeClient::SelectedNicks(slot);
    }
    bool LogOpen(int slot) const override {
        RequireSlot(slot);
        return FakeClient::LogOpen(slot);
    }
    void OpenLog(int slot) override {
        RequireWritable(slot);
        FakeClient::OpenLog(slot);
    }
    void CloseLog(int slot) override {
        RequireSlot(slot);
        FakeClient::CloseLog(slot);
    }
    void PlayTextFile(const std::string& file, int slot) override {
        RequireSlot(slot);
        FakeClient::PlayTextFile(file, slot);
    }

    void Send2Serv(const std::string& line) override {
        Require(!checkSentLines || OneProtocolLine(line),
                "a line sent to the server holds one protocol line", line);
        FakeClient::Send2Serv(line);
    }
    void SendCommand2Serv(const std::string& line) override {
        FakeClient::SendCommand2Serv(line);
        m_interpreter.SendCommand2Serv(line);
    }
    void RunCommandLine(const std::string& line) override {
        FakeClient::RunCommandLine(line);
        m_interpreter.RunCommandLine(line);
    }

    void PlaySound(const std::string& file) override {
        const std::string_view folder = "SOUNDS\\";
        Require(!checkPeerFiles || (file.starts_with(folder) &&
                                    InsideFolder(std::string_view(file).substr(folder.size()))),
                "a sound played stays inside SOUNDS", file);
        FakeClient::PlaySound(file);
    }
    void FetchFile(const std::string& host, const std::string& path) override {
        // The exchange itself refuses what IsFetchable refuses (such as "face..BMP"); asking
        // for it is harmless, leaving the folder is not.
        const std::string_view folder = "PICTS\\";
        Require(!checkPeerFiles ||
                    (!platform::TrimBlanks(host).empty() && path.starts_with(folder) &&
                     InsideFolder(std::string_view(path).substr(folder.size()))),
                "a fetched picture stays inside PICTS", path);
        FakeClient::FetchFile(host, path);
    }

  private:
    // A name that cannot leave its folder, however odd ("x..WAV" is a file name like any).
    static bool InsideFolder(std::string_view name) {
        return !name.empty() && name != "." && name != ".." &&
               name.find_first_of("/\\") == std::string_view::npos;
    }
    static std::size_t Index(int slot) { return static_cast<std::size_t>(slot); }
    static void RequireSlot(int slot) {
        Require(slot >= 0 && slot < kSlots, "a slot names one of the 16 panes");
    }
    void RequireWritable(int slot) const {
        RequireSlot(slot);
        Require(slot == 0 || slot < nextChan, "a pane written to is open");
    }

    commands::CommandInterpreter m_interpreter;
};

} // namespace korbi::fuzz
