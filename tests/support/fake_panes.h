#pragma once
// The pane roles over plain arrays: the lines printed into each pane, the nick lists, topic
// bars and logs. The registry follows the real rules in their simplest form (open at NextChan
// with the limit test, close with compaction).
#include "core/nick_lists.h"
#include "core/pane_logs.h"
#include "core/pane_output.h"
#include "core/pane_registry.h"

#include <array>
#include <map>
#include <ostream>
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

using Log = std::vector<std::string>;

// Where the fakes note each effect as one readable line ("send JOIN #c", "open bob private in
// 3", "print 0 [PICTS\\X] (0,0,0) text"), for tests where the order of effects across roles
// matters. Off (null) unless a test points it at a log.
struct EventNotes {
    Log* events = nullptr;
    void Note(const std::string& line) const {
        if (events != nullptr) {
            events->push_back(line);
        }
    }
};

class FakePanes : public core::PaneOutput,
                  public core::PaneRegistry,
                  public core::NickLists,
                  public core::PaneLogs,
                  public EventNotes {
  public:
    static constexpr int kSlots = 16;
    // The time and date the fake's log lines carry.
    static constexpr const char* kLogStamp = "12:34:56 06-15-1998";

    FakePanes();

    // Opens panes as the user's own joins and queries would, without recording anything.
    int AddPane(const std::string& name, const std::vector<std::string>& nicks = {});

    // What was recorded.
    std::vector<PrintedLine> printed;
    std::vector<std::string> refused;                         // names NoMoreChan refused
    std::map<std::string, std::vector<std::string>> logFiles; // by log file name
    std::vector<PrintedLine> TakePrinted();
    std::vector<std::string> highlighted; // the texts printed as highlights

    // State the tests set and read.
    std::array<std::string, kSlots> winName;
    std::array<std::string, kSlots> topicBar;
    std::array<std::vector<std::string>, kSlots> nickLists;
    std::array<std::vector<std::string>, kSlots> selected;
    std::array<std::string, kSlots> logName; // the log file a slot writes, "" when closed
    int nextChan = 1;
    int curVisible = 0;

    void PrintCoul(int slot, const std::string& picture, irc::Rgb colour,
                   const std::string& text) override;
    // Printed like any line, and its text noted in highlighted.
    void PrintHighlighted(int slot, const std::string& picture, irc::Rgb colour,
                          const std::string& text) override;
    void ClearTextWin(int slot) override;
    std::string TopicBar(int slot) const override { return Get(topicBar, slot); }
    void SetTopicBar(int slot, const std::string& caption) override {
        Set(topicBar, slot, caption);
    }

    int FindChanWin(const std::string& name) const override;
    std::string WinName(int slot) const override { return Get(winName, slot); }
    int NextChan() const override { return nextChan; }
    int CurVisible() const override { return curVisible; }
    void MakeVisible(int slot) override;
    int OpenChanWin(const std::string& name, bool isPrivate) override;
    void CloseConversation(int slot) override;
    void PartAllChan() override;
    void SetWinName(int slot, const std::string& name) override { Set(winName, slot, name); }

    std::vector<std::string> NickListItems(int slot) const override { return Get(nickLists, slot); }
    void SetNickListItems(int slot, const std::vector<std::string>& items) override {
        Set(nickLists, slot, items);
    }
    std::vector<std::string> SelectedNicks(int slot) const override { return Get(selected, slot); }

    bool LogOpen(int slot) const override;
    void OpenLog(int slot) override;
    void CloseLog(int slot) override;

  private:
    static bool Valid(int slot) { return slot >= 0 && slot < kSlots; }
    // A slot's entry of one of the arrays; a slot out of range reads empty and keeps nothing.
    template <class T> static T Get(const std::array<T, kSlots>& values, int slot) {
        return Valid(slot) ? values[static_cast<std::size_t>(slot)] : T{};
    }
    template <class T> static void Set(std::array<T, kSlots>& values, int slot, const T& value) {
        if (Valid(slot)) {
            values[static_cast<std::size_t>(slot)] = value;
        }
    }
    bool InUse(int slot) const { return slot >= 1 && slot < nextChan; }
    // MakeVisible as the registry's own steps do it, unnoted.
    void Show(int slot);
    void EmptySlot(int slot);
};

} // namespace korbi::testing
