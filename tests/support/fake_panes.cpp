#include "support/fake_panes.h"

#include "platform/text_values.h"

#include <gtest/gtest.h>

#include <utility>

namespace korbi::testing {

void PrintTo(const PrintedLine& line, std::ostream* out) {
    *out << "{" << line.slot << ", \"" << line.picture << "\", (" << line.red << "," << line.green
         << "," << line.blue << "), " << ::testing::PrintToString(line.text) << "}";
}

FakePanes::FakePanes() {
    winName.fill("raw");
    winName[0] = "";
    topicBar[0] = "Not Connected to a server";
}

int FakePanes::AddPane(const std::string& name, const std::vector<std::string>& nicks) {
    const int slot = OpenChanWin(name, name.empty() || name.front() != '#');
    if (slot > 0) {
        nickLists[static_cast<std::size_t>(slot)] = nicks;
    }
    return slot;
}

std::vector<PrintedLine> FakePanes::TakePrinted() {
    return std::exchange(printed, {});
}

void FakePanes::PrintCoul(int slot, const std::string& picture, irc::Rgb colour,
                          const std::string& text) {
    printed.push_back({slot, picture, colour.red, colour.green, colour.blue, text});
    Note("print " + std::to_string(slot) + " [" + picture + "] (" + std::to_string(colour.red) +
         "," + std::to_string(colour.green) + "," + std::to_string(colour.blue) + ") " + text);
    if (Valid(slot) && LogOpen(slot)) {
        logFiles[logName[static_cast<std::size_t>(slot)]].push_back(text);
    }
}

void FakePanes::PrintHighlighted(int slot, const std::string& picture, irc::Rgb colour,
                                 const std::string& text) {
    highlighted.push_back(text);
    PrintCoul(slot, picture, colour, text);
}

int FakePanes::FindChanWin(const std::string& name) const {
    int found = 0;
    for (int i = 1; i < nextChan; ++i) {
        if (platform::EqualsNoCase(winName[static_cast<std::size_t>(i)], name)) {
            found = i;
        }
    }
    return found;
}

void FakePanes::MakeVisible(int slot) {
    Note("visible " + std::to_string(slot));
    Show(slot);
}

void FakePanes::Show(int slot) {
    if (Valid(slot)) {
        curVisible = slot;
    }
}

int FakePanes::OpenChanWin(const std::string& name, bool isPrivate) {
    const int limit = isPrivate ? MaxWins + 1 : MaxWins;
    if (nextChan >= limit) {
        refused.push_back(name);
        Note("nomorechan " + name);
        return 0;
    }
    const int s = nextChan;
    EmptySlot(s);
    winName[static_cast<std::size_t>(s)] = name;
    topicBar[static_cast<std::size_t>(s)] = name;
    Show(s);
    ++nextChan;
    Note("open " + name + (isPrivate ? " private" : " channel") + " in " + std::to_string(s));
    return s;
}

void FakePanes::EmptySlot(int slot) {
    const auto s = static_cast<std::size_t>(slot);
    winName[s] = "none";
    topicBar[s].clear();
    nickLists[s].clear();
    selected[s].clear();
    logName[s].clear();
}

void FakePanes::CloseConversation(int slot) {
    Note("close " + std::to_string(slot));
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
    Show(slot - 1);
}

void FakePanes::PartAllChan() {
    Note("partall");
    for (int i = 1; i < kSlots; ++i) {
        CloseLog(i);
        EmptySlot(i);
    }
    nextChan = 1;
    Show(0);
}

void FakePanes::ClearTextWin(int slot) {
    Note("clear " + std::to_string(slot));
}

bool FakePanes::LogOpen(int slot) const {
    return Valid(slot) && !logName[static_cast<std::size_t>(slot)].empty();
}

void FakePanes::OpenLog(int slot) {
    if (!Valid(slot)) {
        return;
    }
    const auto s = static_cast<std::size_t>(slot);
    logName[s] = "LOGS\\" + winName[s] + ".LOG";
    Note("log " + std::to_string(slot));
    logFiles[logName[s]].push_back(std::string("Log File opened at ") + kLogStamp);
}

void FakePanes::CloseLog(int slot) {
    if (!LogOpen(slot)) {
        return;
    }
    const auto s = static_cast<std::size_t>(slot);
    auto& lines = logFiles[logName[s]];
    lines.push_back(std::string("Log File Closed at ") + kLogStamp);
    lines.push_back("--");
    logName[s].clear();
}

} // namespace korbi::testing
