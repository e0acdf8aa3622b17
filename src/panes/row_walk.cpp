#include "panes/row_walk.h"

#include <algorithm>

namespace korbi::panes {

RowPlace StepRows(const RowSpan& span, RowPlace place, int count) {
    if (span.Empty()) {
        return place;
    }
    for (; count < 0; ++count) {
        if (place.row > 0) {
            --place.row;
        } else if (place.line > span.first) {
            --place.line;
            place.row = span.rowsOf(place.line) - 1;
        } else {
            break;
        }
    }
    for (; count > 0; --count) {
        if (place.row + 1 < span.rowsOf(place.line)) {
            ++place.row;
        } else if (place.line + 1 < span.end) {
            ++place.line;
            place.row = 0;
        } else {
            break;
        }
    }
    return place;
}

std::vector<RowPlace> RowsUpTo(const RowSpan& span, RowPlace bottom, int viewRows) {
    std::vector<RowPlace> rows;
    if (span.Empty()) {
        return rows;
    }
    for (RowPlace place = bottom; static_cast<int>(rows.size()) < viewRows;) {
        rows.push_back(place);
        const RowPlace above = StepRows(span, place, -1);
        if (above == place) {
            break;
        }
        place = above;
    }
    std::reverse(rows.begin(), rows.end());
    return rows;
}

RowPlace ClampBottom(const RowSpan& span, RowPlace place, int viewRows) {
    if (span.Empty()) {
        return place;
    }
    if (place.line < span.first) {
        place = span.Top();
    } else if (place.line >= span.end) {
        return span.Bottom();
    } else {
        place.row = std::clamp(place.row, 0, span.rowsOf(place.line) - 1);
    }
    const RowPlace lowest = StepRows(span, span.Top(), viewRows - 1);
    return std::max(place, lowest);
}

} // namespace korbi::panes
