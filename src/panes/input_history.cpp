#include "panes/input_history.h"

namespace korbi::panes {

namespace {

bool Passes(const InputHistory::Filter& filter, const std::string& line) {
    return !filter || filter(line);
}

} // namespace

void InputHistory::Add(const std::string& line) {
    if (!line.empty() && (m_lines.empty() || m_lines.back() != line)) {
        m_lines.push_back(line);
        if (m_lines.size() > kMaxLines) {
            m_lines.pop_front();
        }
    }
    m_position = m_lines.size();
    m_typing.clear();
}

std::optional<std::string> InputHistory::Older(const std::string& current, const Filter& filter) {
    for (std::size_t k = m_position; k > 0; --k) {
        if (!Passes(filter, m_lines[k - 1])) {
            continue;
        }
        if (m_position == m_lines.size()) {
            m_typing = current;
        }
        m_position = k - 1;
        return m_lines[m_position];
    }
    return std::nullopt;
}

std::optional<std::string> InputHistory::Newer(const Filter& filter) {
    if (m_position == m_lines.size()) {
        return std::nullopt;
    }
    for (std::size_t k = m_position + 1; k < m_lines.size(); ++k) {
        if (Passes(filter, m_lines[k])) {
            m_position = k;
            return m_lines[k];
        }
    }
    m_position = m_lines.size();
    return m_typing;
}

void InputHistory::Clear() {
    m_lines.clear();
    m_position = 0;
    m_typing.clear();
}

bool IsRawLine(const std::string& line) {
    return line.empty() || line.front() != '/';
}

} // namespace korbi::panes
