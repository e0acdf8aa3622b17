#pragma once
// The lines entered in one input line, for Up and Down to bring back. Walking away from a
// half-typed line keeps it as the newest entry, so walking back down returns to it. Text is
// bytes.
#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <string>

namespace korbi::panes {

class InputHistory {
  public:
    static constexpr std::size_t kMaxLines = 100;
    // Which entries a walk stops at; an empty filter stops at every one.
    using Filter = std::function<bool(const std::string&)>;

    // A line was entered: it becomes the newest entry (an empty line, or one equal to the
    // newest, adds nothing) and the walk starts again from the typing position.
    void Add(const std::string& line);
    // One step to an older entry; current is the line's text, kept when the walk leaves the
    // typing position. nullopt when no older entry passes the filter.
    std::optional<std::string> Older(const std::string& current, const Filter& filter = {});
    // One step to a newer entry, or past the newest back to the line that was being typed.
    // nullopt at the typing position already.
    std::optional<std::string> Newer(const Filter& filter = {});
    void Clear();
    std::size_t Size() const { return m_lines.size(); }

  private:
    std::deque<std::string> m_lines; // oldest first
    std::size_t m_position = 0;      // m_lines.size() is the typing position
    std::string m_typing;
};

// The raw protocol lines of the server pane: what was entered without a leading "/".
bool IsRawLine(const std::string& line);

} // namespace korbi::panes
