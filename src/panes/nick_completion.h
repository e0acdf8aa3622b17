#pragma once
// Tab completion of nicks in an input line, apart from the widget: the word before the caret is
// completed to a nick of the pane's list, and pressing Tab again puts the next match in its
// place. Text is bytes.
#include "panes/input_line_logic.h"

#include "irc/ranks.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace korbi::panes {

// The line of the extra settings that turns completion off ("0"); on without it.
inline constexpr std::string_view kNickCompletionSetting = "NickCompletion";

// Who spoke last in a pane, most recent first, letter case ignored; the oldest fall off.
class RecentSpeakers {
  public:
    static constexpr std::size_t kMaxSpeakers = 50;

    void Spoke(std::string_view nick);
    void Clear() { m_speakers.clear(); }
    // At most kMaxSpeakers nicks, the latest speaker first, each as last spelled.
    std::vector<std::string> Order() const;

  private:
    struct Speaker {
        std::uint64_t when = 0;
        std::string nick;
    };
    // Every message of a channel passes here, floods included: a speaker is found by the
    // hash of its upper-cased nick, and the order is made only when a Tab asks for it.
    std::unordered_map<std::string, Speaker> m_speakers;
    std::uint64_t m_clock = 0;
};

// What a pane offers to complete.
struct CompletionSource {
    std::vector<std::string> entries;              // nick list entries, rank marks and all
    std::vector<std::string> recent;               // RecentSpeakers::Order
    std::string ownNick;                           // never offered: nobody addresses themselves
    std::string rankMarks{irc::kDefaultRankMarks}; // the server's (irc/ranks.h)
};

// The nicks that complete prefix, without rank marks and each once: the recent speakers first
// (most recent first), then the others in alphabetical order. Letter case is ignored both in
// matching and in sorting.
std::vector<std::string> CompletionMatches(std::string_view prefix, const CompletionSource& source);

class NickCompleter {
  public:
    // One Tab. Right after a completion, with the line as it left it, the next match takes
    // the place of the last one (after the last match, the first again). Otherwise the word
    // before the caret is completed to the first match: "nick: " at the start of the line,
    // "nick " elsewhere. nullopt when there is nothing to complete: the caret at the start
    // of the line or after a blank, or no nick matching.
    std::optional<InputLineText> Complete(const InputLineText& line,
                                          const CompletionSource& source);
    // Forget the last completion: the next Tab starts afresh.
    void Reset() { m_matches.clear(); }

  private:
    InputLineText Put(const InputLineText& line, std::size_t index);

    std::vector<std::string> m_matches;
    std::size_t m_index = 0;
    std::size_t m_wordStart = 0;
    InputLineText m_left; // the line as the last completion left it
};

} // namespace korbi::panes
