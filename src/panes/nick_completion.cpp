#include "panes/nick_completion.h"

#include "platform/text_values.h"

#include <algorithm>

namespace korbi::panes {

namespace {

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           platform::EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

// Where the recent speakers list has nick; its size when nick is not there.
std::size_t RecentRank(const std::vector<std::string>& recent, std::string_view nick) {
    const auto found = std::find_if(recent.begin(), recent.end(), [nick](const std::string& n) {
        return platform::EqualsNoCase(n, nick);
    });
    return static_cast<std::size_t>(found - recent.begin());
}

} // namespace

void RecentSpeakers::Spoke(std::string_view nick) {
    if (nick.empty()) {
        return;
    }
    Speaker& speaker = m_speakers[platform::UpperAscii(nick)];
    speaker.when = ++m_clock;
    if (speaker.nick != nick) {
        speaker.nick = nick; // the spelling the speaker uses now
    }
    // Forgetting in batches keeps the table small without sorting at every message.
    if (m_speakers.size() > 2 * kMaxSpeakers) {
        const std::uint64_t oldestKept = m_clock - kMaxSpeakers;
        std::erase_if(m_speakers,
                      [oldestKept](const auto& entry) { return entry.second.when <= oldestKept; });
    }
}

std::vector<std::string> RecentSpeakers::Order() const {
    std::vector<const Speaker*> speakers;
    speakers.reserve(m_speakers.size());
    for (const auto& entry : m_speakers) {
        speakers.push_back(&entry.second);
    }
    std::sort(speakers.begin(), speakers.end(),
              [](const Speaker* a, const Speaker* b) { return a->when > b->when; });
    std::vector<std::string> nicks;
    for (std::size_t i = 0; i < speakers.size() && i < kMaxSpeakers; ++i) {
        nicks.push_back(speakers[i]->nick);
    }
    return nicks;
}

std::vector<std::string> CompletionMatches(std::string_view prefix,
                                           const CompletionSource& source) {
    struct Match {
        std::size_t rank;
        std::string key;
        std::string nick;
    };
    std::vector<Match> matches;
    for (const std::string& entry : source.entries) {
        std::string nick = irc::WithoutRanks(entry, source.rankMarks);
        if (nick.empty() || !StartsWithNoCase(nick, prefix) ||
            platform::EqualsNoCase(nick, source.ownNick)) {
            continue;
        }
        std::string key = platform::UpperAscii(nick);
        const bool seen = std::any_of(matches.begin(), matches.end(),
                                      [&key](const Match& m) { return m.key == key; });
        if (!seen) {
            matches.push_back({RecentRank(source.recent, nick), std::move(key), std::move(nick)});
        }
    }
    std::sort(matches.begin(), matches.end(), [](const Match& a, const Match& b) {
        return a.rank != b.rank ? a.rank < b.rank : a.key < b.key;
    });
    std::vector<std::string> nicks;
    nicks.reserve(matches.size());
    for (Match& match : matches) {
        nicks.push_back(std::move(match.nick));
    }
    return nicks;
}

std::optional<InputLineText> NickCompleter::Complete(const InputLineText& line,
                                                     const CompletionSource& source) {
    if (!m_matches.empty() && line.text == m_left.text && line.caret == m_left.caret) {
        return Put(line, (m_index + 1) % m_matches.size());
    }
    m_matches.clear();
    const std::size_t caret = std::min(line.caret, line.text.size());
    const std::size_t blank = line.text.rfind(' ', caret == 0 ? 0 : caret - 1);
    const std::size_t start = blank == std::string::npos || caret == 0 ? 0 : blank + 1;
    if (start == caret) {
        return std::nullopt;
    }
    m_matches = CompletionMatches(std::string_view(line.text).substr(start, caret - start), source);
    if (m_matches.empty()) {
        return std::nullopt;
    }
    m_wordStart = start;
    // The caret may stand before the end of the text: what follows it stays.
    InputLineText word = line;
    word.caret = caret;
    return Put(word, 0);
}

// Replaces what stands between the word's start and the caret by match index.
InputLineText NickCompleter::Put(const InputLineText& line, std::size_t index) {
    m_index = index;
    const std::string rest = line.text.substr(line.caret);
    std::string completion = m_matches[index] + (m_wordStart == 0 ? ": " : " ");
    // A blank after the caret already parts the nick from what follows.
    if (rest.starts_with(' ')) {
        completion.pop_back();
    }
    std::string text = line.text.substr(0, m_wordStart) + completion + rest;
    m_left = {std::move(text), m_wordStart + completion.size()};
    return m_left;
}

} // namespace korbi::panes
