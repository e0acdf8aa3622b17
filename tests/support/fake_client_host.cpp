#include "support/fake_client_host.h"

#include "platform/text_values.h"

#include <cstdio>
#include <utility>

namespace korbi::testing {

void PrintTo(const PrintedLine& line, std::ostream* out) {
    std::string text;
    for (const char c : line.text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 32 || byte == 127) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            text += escaped;
        } else {
            text += c;
        }
    }
    *out << "{" << line.slot << ", \"" << line.picture << "\", (" << line.red << "," << line.green
         << "," << line.blue << "), \"" << text << "\"}";
}

FakeClientHost::FakeClientHost() {
    winName.fill("raw");
    winName[0] = "";
    topicBar[0] = "Not Connected to a server";
}

int FakeClientHost::AddPane(const std::string& name, const std::vector<std::string>& nicks) {
    const int slot = OpenChanWin(name, name.empty() || name.front() != '#');
    if (slot > 0) {
        nickLists[static_cast<std::size_t>(slot)] = nicks;
    }
    return slot;
}

std::vector<PrintedLine> FakeClientHost::TakePrinted() {
    return std::exchange(printed, {});
}

std::vector<std::string> FakeClientHost::TakeSent() {
    return std::exchange(sent, {});
}

void FakeClientHost::PrintCoul(int slot, const std::string& picture, int red, int green, int blue,
                               const std::string& text) {
    printed.push_back({slot, picture, red, green, blue, text});
    if (Valid(slot) && LogOpen(slot)) {
        logFiles[logName[static_cast<std::size_t>(slot)]].push_back(text);
    }
}

int FakeClientHost::FindChanWin(const std::string& name) const {
    int found = 0;
    for (int i = 1; i < nextChan; ++i) {
        if (platform::EqualsNoCase(winName[static_cast<std::size_t>(i)], name)) {
            found = i;
        }
    }
    return found;
}

std::string FakeClientHost::WinName(int slot) const {
    return Valid(slot) ? winName[static_cast<std::size_t>(slot)] : std::string();
}

void FakeClientHost::MakeVisible(int slot) {
    if (Valid(slot)) {
        curVisible = slot;
    }
}

int FakeClientHost::OpenChanWin(const std::string& name, bool isPrivate) {
    const int limit = isPrivate ? MaxWins + 1 : MaxWins;
    if (nextChan >= limit) {
        refused.push_back(name);
        Send2Serv("PART " + name);
        return 0;
    }
    const int s = nextChan;
    EmptySlot(s);
    winName[static_cast<std::size_t>(s)] = name;
    topicBar[static_cast<std::size_t>(s)] = name;
    MakeVisible(s);
    ++nextChan;
    return s;
}

void FakeClientHost::EmptySlot(int slot) {
    const auto s = static_cast<std::size_t>(slot);
    winName[s] = "none";
    topicBar[s].clear();
    nickLists[s].clear();
    selected[s].clear();
    logName[s].clear();
}

void FakeClientHost::CloseConversation(int slot) {
    if (!InUse(slot)) {
        return;
    }
    // Higher slots move down by one; an open log goes with its conversation.
    for (int i = slot + 1; i < nextChan; ++i) {
        const auto from = static_cast<std::size_t>(i);
        const auto to = from - 1;
        winName[to] = winName[from];
        topicBar[to] = topicBar[from];
        nickLists[to] = nickLists[from];
        selected[to] = selected[from];
        logName[to] = logName[from];
    }
    EmptySlot(nextChan - 1);
    --nextChan;
    MakeVisible(slot - 1);
}

void FakeClientHost::PartAllChan() {
    for (int i = 1; i < kSlots; ++i) {
        CloseLog(i);
        EmptySlot(i);
    }
    nextChan = 1;
    MakeVisible(0);
}

void FakeClientHost::ClearTextWin(int slot) {
    clearedViews.push_back(slot);
}

void FakeClientHost::SetWinName(int slot, const std::string& name) {
    if (Valid(slot)) {
        winName[static_cast<std::size_t>(slot)] = name;
    }
}

std::string FakeClientHost::TopicBar(int slot) const {
    return Valid(slot) ? topicBar[static_cast<std::size_t>(slot)] : std::string();
}

void FakeClientHost::SetTopicBar(int slot, const std::string& caption) {
    if (Valid(slot)) {
        topicBar[static_cast<std::size_t>(slot)] = caption;
    }
}

std::vector<std::string> FakeClientHost::NickListItems(int slot) const {
    return Valid(slot) ? nickLists[static_cast<std::size_t>(slot)] : std::vector<std::string>{};
}

void FakeClientHost::SetNickListItems(int slot, const std::vector<std::string>& items) {
    if (Valid(slot)) {
        nickLists[static_cast<std::size_t>(slot)] = items;
    }
}

std::vector<std::string> FakeClientHost::SelectedNicks(int slot) const {
    return Valid(slot) ? selected[static_cast<std::size_t>(slot)] : std::vector<std::string>{};
}

bool FakeClientHost::LogOpen(int slot) const {
    return Valid(slot) && !logName[static_cast<std::size_t>(slot)].empty();
}

void FakeClientHost::OpenLog(int slot) {
    if (!Valid(slot)) {
        return;
    }
    const auto s = static_cast<std::size_t>(slot);
    logName[s] = "LOGS\\" + winName[s] + ".LOG";
    logFiles[logName[s]].push_back(std::string("Log File opened at ") + kLogStamp);
}

void FakeClientHost::CloseLog(int slot) {
    if (!LogOpen(slot)) {
        return;
    }
    const auto s = static_cast<std::size_t>(slot);
    auto& lines = logFiles[logName[s]];
    lines.push_back(std::string("Log File Closed at ") + kLogStamp);
    lines.push_back("--");
    logName[s].clear();
}

void FakeClientHost::Send2Serv(const std::string& line) {
    // Like the real connection: lost silently while disconnected.
    if (socketState == 7) {
        sent.push_back(line);
    }
}

void FakeClientHost::ConnectToServer(const std::string& server, const std::string& port) {
    connects.push_back(server + " " + port);
}

void FakeClientHost::PlayTextFile(const std::string& file, int slot) {
    playedText.push_back(file + " " + std::to_string(slot));
}

void FakeClientHost::FetchFile(const std::string& host, const std::string& path) {
    fetches.push_back(host + " " + path);
}

} // namespace korbi::testing
