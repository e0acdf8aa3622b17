#pragma once
// The lines a pane keeps: one record per printed text, unwrapped, oldest first. The view wraps
// the ones in sight when it draws them, so a pane can keep thousands of lines for scrolling back
// and finding while printing a line costs no more than storing it. Each line has an id that
// stays its own while older lines fall off, so a view scrolled back keeps its place.
#include "irc/formatting_codes.h"

#include <cstdint>
#include <deque>
#include <string>
#include <unordered_map>
#include <vector>

namespace korbi::panes {

struct LineRecord {
    irc::Rgb colour;
    std::string pict;      // normalised picture name, "" for none
    std::string text;      // with its formatting codes
    std::int64_t time = 0; // when it was said: milliseconds since 1970 UTC
    bool highlight = false;
    friend bool operator==(const LineRecord&, const LineRecord&) = default;
};

inline constexpr int kLineViewMax = 50;
inline constexpr int kLinePixels = 20;

// How many rows a view of the given inner height shows: one per 20 pixels, rounded down, at
// least one and at most 50.
int LineCapacity(int innerHeight);

class LineStore {
  public:
    using Id = std::uint64_t;

    // LineCount: the lines kept.
    int LineCount() const { return static_cast<int>(m_lines.size()); }
    // Line k from the top, 0 being the oldest kept.
    LineRecord Line(int k) const;
    // The id of Line(0), and one past the newest line's id.
    Id FirstId() const { return m_dropped; }
    Id EndId() const { return m_dropped + m_lines.size(); }
    bool Holds(Id id) const { return id >= FirstId() && id < EndId(); }

    // The parts of line id (which the store holds), without copying.
    const std::string& Text(Id id) const { return At(id).text; }
    const std::string& Pict(Id id) const;
    irc::Rgb Colour(Id id) const { return At(id).colour; }
    std::int64_t Time(Id id) const { return At(id).time; }
    bool Highlight(Id id) const { return At(id).highlight; }
    // Whether the line's text holds formatting codes: without, it is its own plain text.
    bool HasCodes(Id id) const { return At(id).codes; }

    // Appends a line; when capacity lines are held already, the oldest ones fall off first.
    void Add(LineRecord record, int capacity);
    void Clear();

  private:
    // A picture name is shared by thousands of lines: they hold its place in m_picts.
    struct Stored {
        std::string text;
        std::int64_t time = 0;
        std::uint32_t pict = 0;
        irc::Rgb colour;
        bool highlight : 1 = false;
        bool codes : 1 = false;
    };
    const Stored& At(Id id) const { return m_lines[static_cast<std::size_t>(id - m_dropped)]; }
    std::uint32_t PictIndex(const std::string& name);

    std::deque<Stored> m_lines;
    std::vector<std::string> m_picts{std::string()};
    std::unordered_map<std::string, std::uint32_t> m_pictIndex{{std::string(), 0}};
    Id m_dropped = 0; // lines fallen off or cleared: the id of the oldest kept
};

} // namespace korbi::panes
