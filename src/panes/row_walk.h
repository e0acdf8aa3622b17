#pragma once
// Moving through the rows of the kept lines, as the view wraps them, without wrapping more of
// them than the move passes: a view is placed by its bottom row, so walking up from it reaches
// only the lines in sight. No Qt: the rows a line takes come from the caller.
#include "panes/line_store.h"

#include <functional>
#include <vector>

namespace korbi::panes {

// One row: row k (0 being the first) of the line with that id.
struct RowPlace {
    LineStore::Id line = 0;
    int row = 0;
    friend bool operator==(const RowPlace&, const RowPlace&) = default;
    friend auto operator<=>(const RowPlace&, const RowPlace&) = default;
};

// The rows of lines [first, end), and how many each takes (at least one).
struct RowSpan {
    LineStore::Id first = 0;
    LineStore::Id end = 0;
    std::function<int(LineStore::Id)> rowsOf;

    bool Empty() const { return first >= end; }
    RowPlace Top() const { return {first, 0}; }
    RowPlace Bottom() const { return {end - 1, rowsOf(end - 1) - 1}; }
};

// place moved up (count < 0) or down by count rows, stopping at the first and the last row.
RowPlace StepRows(const RowSpan& span, RowPlace place, int count);

// The rows a view of viewRows rows shows when its bottom row is bottom, top to bottom: fewer
// when there are fewer rows above.
std::vector<RowPlace> RowsUpTo(const RowSpan& span, RowPlace bottom, int viewRows);

// A bottom row for a view scrolled back: place, or lower when the view would run out of rows
// at the top (a full view stays full); a place outside the kept lines moves to the nearest
// line kept.
RowPlace ClampBottom(const RowSpan& span, RowPlace place, int viewRows);

} // namespace korbi::panes
