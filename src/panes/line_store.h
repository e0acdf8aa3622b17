#pragma once
// The lines a pane shows: its last lines, oldest first, as many as its view holds. The view
// is drawn from here, so a pane's text survives hiding, resizing and moving to another slot.
#include "irc/formatting_codes.h"

#include <array>
#include <cstdint>
#include <string>

namespace korbi::panes {

struct LineRecord {
    irc::Rgb colour;
    std::string pict;      // normalised picture name, "" for none
    std::string text;      // with its formatting codes
    std::int64_t time = 0; // when it was said: milliseconds since 1970 UTC
    bool highlight = false;
    friend bool operator==(const LineRecord&, const LineRecord&) = default;
};

inline constexpr int kLineStoreSize = 50;
inline constexpr int kLinePixels = 20;

// How many lines a view of the given inner height holds: one per 20 pixels, rounded down, at
// least one and at most the store's 50.
int LineCapacity(int innerHeight);

class LineStore {
  public:
    // LineCount: the lines held, which are the lines shown.
    int LineCount() const { return m_count; }
    // Line k from the top, 0 being the oldest.
    const LineRecord& Line(int k) const;
    // Appends a line; when capacity lines are held already, the oldest ones fall off first.
    void Add(LineRecord record, int capacity);
    void Clear();

  private:
    std::array<LineRecord, kLineStoreSize> m_records{};
    int m_first = 0; // ring position of line 0
    int m_count = 0;
};

} // namespace korbi::panes
