#pragma once
// A pasted text of several lines, apart from the widgets: split into the lines it holds, and
// sent one line at a time at the pace of text playback so the server's flood limit is not hit.
// The clock is whatever the caller counts in milliseconds, so the pace needs no real time.
#include <chrono>
#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korbi::panes {

// The lines of a pasted text: it breaks at CR LF, a lone CR or a lone LF; empty lines and
// lines of blanks alone are left out, as there is nothing in them to send.
std::vector<std::string> PastedLines(std::string_view text);

bool HasLineBreak(std::string_view text);

// The lines joined with one blank each: the text as a single line.
std::string JoinedLines(const std::vector<std::string>& lines);

class PastePacer {
  public:
    using Ms = std::chrono::milliseconds;
    static constexpr Ms kInterval{500};

    explicit PastePacer(Ms interval = kInterval) : m_interval(interval) {}

    // Lines to send after those still waiting; with none waiting, the first is due
    // at once, or an interval after the last line sent.
    void Add(const std::vector<std::string>& lines, Ms now);
    // The line due at now, if any; the next one is due an interval later. A late caller gets
    // one line, not the ones it missed all at once.
    std::optional<std::string> Next(Ms now);
    // How long until the next line is due (zero when it is already); nullopt with none waiting.
    std::optional<Ms> Wait(Ms now) const;
    void Cancel() { m_lines.clear(); }
    std::size_t Waiting() const { return m_lines.size(); }

  private:
    Ms m_interval;
    Ms m_due{0};
    std::deque<std::string> m_lines;
};

} // namespace korbi::panes
