#include "panes/paste_lines.h"

#include <algorithm>

namespace korbi::panes {

namespace {

bool IsBreak(char c) {
    return c == '\r' || c == '\n';
}

} // namespace

std::vector<std::string> PastedLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        const auto end =
            std::find_if(text.begin() + static_cast<std::ptrdiff_t>(start), text.end(), IsBreak);
        const std::size_t stop = static_cast<std::size_t>(end - text.begin());
        const std::string_view line = text.substr(start, stop - start);
        if (line.find_first_not_of(' ') != std::string_view::npos) {
            lines.emplace_back(line);
        }
        // CR LF is one break.
        start = stop + (stop + 1 < text.size() && text.substr(stop, 2) == "\r\n" ? 2 : 1);
    }
    return lines;
}

bool HasLineBreak(std::string_view text) {
    return std::any_of(text.begin(), text.end(), IsBreak);
}

std::string JoinedLines(const std::vector<std::string>& lines) {
    std::string joined;
    for (const std::string& line : lines) {
        joined += (joined.empty() ? "" : " ") + line;
    }
    return joined;
}

void PastePacer::Add(const std::vector<std::string>& lines, Ms now) {
    // A paste right after the last line of another still keeps the pace.
    if (m_lines.empty()) {
        m_due = std::max(m_due, now);
    }
    m_lines.insert(m_lines.end(), lines.begin(), lines.end());
}

std::optional<std::string> PastePacer::Next(Ms now) {
    if (m_lines.empty() || now < m_due) {
        return std::nullopt;
    }
    std::string line = std::move(m_lines.front());
    m_lines.pop_front();
    m_due = now + m_interval;
    return line;
}

std::optional<PastePacer::Ms> PastePacer::Wait(Ms now) const {
    if (m_lines.empty()) {
        return std::nullopt;
    }
    return std::max(Ms{0}, m_due - now);
}

} // namespace korbi::panes
